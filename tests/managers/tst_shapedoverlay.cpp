#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "editor/BackdropWindow.h"
#include "managers/GridView.h"
#include "managers/OverlayView.h"
#include "managers/OverlayWindow.h"
#include "managers/ZoneManager.h"

#include <QTest>
#include <QWindow>

using namespace corvane;
using namespace Qt::StringLiterals;

// The overlay windows: frameless, never focused, placed in screen space; without a compositing
// manager cut to what they draw as zones, painted opaque, and following a compositing manager
// that starts or stops while they are up.
class ShapedOverlayTest : public QObject {
    Q_OBJECT

    FakePlatform* platform_ = nullptr;
    // Two halves of an 800 x 500 window: shapes (10, 10)-(390, 490) and (410, 10)-(790, 490).
    const Zone left{Rect(0, 0, 0.5, 1)};
    const Zone right{Rect(0.5, 0, 0.5, 1)};

    std::unique_ptr<OverlayWindow> makeDragOverlay(std::optional<ZoneList> zones)
    {
        auto window = std::make_unique<OverlayWindow>(test::primaryDisplay(), Rect(0, 0, 800, 500),
                                                      OverlayWindow::Level::Drag);
        auto view = std::make_unique<OverlayView>();
        view->setCustomZones(std::move(zones));
        window->setContentView(std::move(view));
        return window;
    }
    static OverlayView& viewOf(OverlayWindow& window)
    {
        return *qobject_cast<OverlayView*>(window.contentView());
    }

private slots:
    void init()
    {
        platform_ = &test::installFakePlatform();
        platform_->setDisplays({test::primaryDisplay(), test::secondDisplay()});
        platform_->setCompositingActive(false);
    }

    void aFramelessWindowThatNeverTakesFocusAndCoversItsScreenRect()
    {
        for (auto level : {OverlayWindow::Level::Floating, OverlayWindow::Level::ModalPanel,
                           OverlayWindow::Level::Drag}) {
            OverlayWindow window(test::primaryDisplay(), test::primaryDisplay().frame, level);
            const Qt::WindowFlags flags = window.windowFlags();
            QVERIFY(flags.testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                    Qt::WindowDoesNotAcceptFocus));
            QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
            // Only the drag overlay keeps out of the window manager's hands.
            QCOMPARE(flags.testFlag(Qt::X11BypassWindowManagerHint),
                     level == OverlayWindow::Level::Drag);
        }
        // The second display lies to the right, its bottom edge level with the primary's: in
        // the toolkit's top-left coordinates its top is 180 points above the primary's.
        const corvane::Display second = test::secondDisplay();
        OverlayWindow window(second, second.frame, OverlayWindow::Level::Floating);
        QCOMPARE(window.geometry(), QRect(1440, -180, 1920, 1080));
        auto content = std::make_unique<QWidget>();
        QWidget* raw = content.get();
        window.setContentView(std::move(content));
        window.setScreenRect(second.visibleFrame);
        QCOMPARE(window.geometry(), QRect(1440, -155, 1920, 1055));
        QCOMPARE(raw->geometry(), QRect(0, 0, 1920, 1055));
        const std::unique_ptr<QWidget> taken = window.takeContentView();
        QCOMPARE(taken.get(), raw);
        QVERIFY(!window.contentView() && !taken->parentWidget());
    }

    void ignoringTheMouseChangesInPlaceOnAShownWindow()
    {
        OverlayWindow window(test::primaryDisplay(), Rect(0, 0, 400, 300),
                             OverlayWindow::Level::ModalPanel);
        window.setIgnoresMouseEvents(true);
        window.orderFront();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWindow* native = window.windowHandle();
        QVERIFY(native->flags().testFlag(Qt::WindowTransparentForInput));
        window.setIgnoresMouseEvents(false);
        QVERIFY(!native->flags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowHandle(), native);
    }

    void withoutACompositorOnlyTheZonesAndTheirOutlinesAreShown()
    {
        auto window = makeDragOverlay(ZoneList{left, right});
        viewOf(*window).setHighlightedZone(right);
        QVERIFY(window->isShaped());
        QVERIFY(viewOf(*window).isShaped());
        const QRegion mask = window->mask();

        // The plain zone is a ring from one pixel outside its shape, with its label's badge; the
        // highlighted zone is filled.
        for (const QPoint p : {QPoint(9, 250), QPoint(12, 250), QPoint(200, 250), QPoint(600, 250),
                               QPoint(600, 100)})
            QVERIFY2(mask.contains(p), qPrintable(u"(%1, %2)"_s.arg(p.x()).arg(p.y())));
        // The gaps around and between the zones, the rounded corners and the plain zone's middle
        // show the desktop and the dragged window.
        for (const QPoint p : {QPoint(4, 250), QPoint(200, 5), QPoint(400, 250), QPoint(200, 495),
                               QPoint(795, 250), QPoint(10, 10), QPoint(14, 250), QPoint(200, 100)})
            QVERIFY2(!mask.contains(p), qPrintable(u"(%1, %2)"_s.arg(p.x()).arg(p.y())));
        // The highlighted zone's wide outline reaches further out than the plain one's.
        QVERIFY(mask.contains(QPoint(408, 250)));
        QVERIFY(!mask.contains(QPoint(8, 250)));

        // Every pixel the mask lets through is opaque: a translucent pixel would show black.
        const QImage image = test::render(viewOf(*window));
        for (const QRect& r : mask) {
            for (int y = r.top(); y <= r.bottom(); y += 3) {
                for (int x = r.left(); x <= r.right(); x += 3)
                    QCOMPARE(image.pixelColor(x, y).alpha(), 255);
            }
        }
        // Colours keep their hue at full strength: a white ring between dark edges, the blue
        // highlight, no tint anywhere else.
        QCOMPARE(image.pixel(10, 250), qRgb(255, 255, 255));
        QVERIFY(image.pixelColor(9, 250).lightness() < 60);
        QVERIFY(image.pixelColor(12, 250).lightness() < 60);
        QCOMPARE(image.pixel(600, 100), qRgb(0, 122, 255));
        QCOMPARE(image.pixelColor(400, 250).alpha(), 0);
        // The label is white on a dark badge.
        int dark = 0, white = 0;
        for (int y = 235; y < 265; ++y) {
            for (int x = 185; x < 215; ++x) {
                dark += image.pixelColor(x, y).lightness() < 60;
                white += image.pixelColor(x, y).lightness() > 200;
            }
        }
        QVERIFY(dark > 100 && white > 10);
    }

    void theMaskFollowsTheHighlightAndTheZones()
    {
        auto window = makeDragOverlay(ZoneList{left, right});
        OverlayView& view = viewOf(*window);
        view.setHighlightedZone(left);
        QVERIFY(window->mask().contains(QPoint(8, 250)));
        QVERIFY(!window->mask().contains(QPoint(408, 250)));

        view.setCustomZones(ZoneList{Zone(Rect(0.25, 0.2, 0.5, 0.6))}); // (200, 100)-(600, 400)
        QVERIFY(!window->mask().contains(QPoint(100, 250)));
        QVERIFY(window->mask().contains(QPoint(400, 250)));

        // Nothing to draw shows nothing at all (an empty mask would mean no mask).
        view.setCustomZones(ZoneList{});
        QVERIFY(!window->mask().isEmpty());
        QVERIFY(!window->mask().intersects(window->rect()));
    }

    void aCompositorStartingOrStoppingSwitchesAShownOverlay()
    {
        auto window = makeDragOverlay(ZoneList{left, right});
        window->orderFront();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        platform_->setCompositingActive(true);
        QVERIFY(!window->isShaped());
        QVERIFY(!viewOf(*window).isShaped());
        QVERIFY(window->mask().isEmpty());
        // The translucent look again: the whole window tinted.
        QCOMPARE(test::render(viewOf(*window)).pixelColor(400, 250).alpha(), 51);

        platform_->setCompositingActive(false);
        QVERIFY(window->isShaped());
        QVERIFY(!window->mask().contains(QPoint(400, 250)));
        QCOMPARE(test::render(viewOf(*window)).pixelColor(400, 250).alpha(), 0);

        // A window made while a compositor runs starts translucent.
        platform_->setCompositingActive(true);
        auto later = makeDragOverlay(ZoneList{left, right});
        QVERIFY(!later->isShaped());
        QVERIFY(later->mask().isEmpty());
    }

    void theEditingOverlayIsCutToItsZonesAndTheSelectedZonesHandles()
    {
        ZoneManager manager;
        // (360, 225)-(1080, 675) on the 1440 x 900 display.
        const Zone zone{Rect(0.25, 0.25, 0.5, 0.5)};
        manager.updateZones(ZoneList{zone}, test::primaryDisplay(), true, true);
        OverlayWindow* window = manager.overlayWindow();
        QVERIFY(window);
        QVERIFY(window->isShaped());
        QVERIFY(window->mask().contains(QPoint(700, 400)));
        QVERIFY(window->mask().contains(QPoint(359, 400)));
        QVERIFY(!window->mask().contains(QPoint(300, 400)));
        QVERIFY(!window->mask().contains(QPoint(356, 221)));

        auto* grid = qobject_cast<GridView*>(window->contentView());
        QVERIFY(grid);
        const QImage image = test::render(*grid);
        QCOMPARE(image.pixel(700, 400), GridView::defaultOverlayColor().rgb());
        QCOMPARE(image.pixel(359, 400), qRgb(255, 255, 255));

        // Selecting the zone shows its corner handles, which reach outside it.
        test::pressLeft(grid, QPointF(700, 400));
        test::releaseLeft(grid, QPointF(700, 400));
        QVERIFY(grid->selectedZone());
        QVERIFY(window->mask().contains(QPoint(356, 221)));
        // Moving the zone moves the mask with it.
        test::pressLeft(grid, QPointF(700, 400));
        test::dragLeft(grid, QPointF(800, 400));
        test::releaseLeft(grid, QPointF(800, 400));
        QVERIFY(!window->mask().contains(QPoint(370, 400)));
        QVERIFY(window->mask().contains(QPoint(1170, 400)));
        manager.hideOverlay();
    }

    void theBackdropTakesPressesWithOrWithoutACompositor()
    {
        // Without a compositor: not shaped away, and opaque (a dimmed picture of the desktop).
        BackdropWindow backdrop;
        backdrop.setScreenRect(test::primaryDisplay().frame);
        QVERIFY(!backdrop.isDimming());
        QVERIFY(backdrop.mask().isEmpty());
        QCOMPARE(test::render(backdrop).pixelColor(20, 20).alpha(), 255);

        platform_->setCompositingActive(true);
        QVERIFY(backdrop.isDimming());
        QVERIFY(backdrop.mask().isEmpty());
        QCOMPARE(test::render(backdrop).pixelColor(20, 20).alpha(), 77);
    }
};

QTEST_MAIN(ShapedOverlayTest)
#include "tst_shapedoverlay.moc"
