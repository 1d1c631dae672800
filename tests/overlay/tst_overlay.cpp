// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "editor/BackdropWindow.h"
#include "overlay/GridView.h"
#include "overlay/OverlayView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ShapedPainting.h"
#include "overlay/ZoneManager.h"
#include "settings/Settings.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPalette>
#include <QTest>
#include <QWindow>

using namespace corvane;
using namespace Qt::StringLiterals;
using Handle = GridView::HandlePosition;

namespace {

constexpr int viewWidth = 1000;
constexpr int viewHeight = 500;

// A widget position from unit coordinates (y from the top, like the zones).
QPointF at(double ux, double uy)
{
    return {ux * viewWidth, uy * viewHeight};
}

bool nearlyEqual(const Rect& a, const Rect& b)
{
    auto close = [](double x, double y) { return std::abs(x - y) < 1e-9; };
    return close(a.x, b.x) && close(a.y, b.y) && close(a.width, b.width) &&
           close(a.height, b.height);
}

// Catches the areas a widget is asked to repaint.
class PaintRecorder : public QObject {
public:
    QList<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            regions.append(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

int largestChannelDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            worst = std::max({worst, std::abs(qRed(la[x]) - qRed(lb[x])),
                              std::abs(qGreen(la[x]) - qGreen(lb[x])),
                              std::abs(qBlue(la[x]) - qBlue(lb[x])),
                              std::abs(qAlpha(la[x]) - qAlpha(lb[x]))});
        }
    }
    return worst;
}

} // namespace

// The two overlay views (the one shown while dragging, and the grid of the layout editor and the
// previews) and the overlay windows: frameless, never focused, placed in global coordinates;
// without a compositing manager cut to what they draw as zones, painted opaque, and following a
// compositing manager that starts or stops while they are up.
class OverlayTest : public QObject {
    Q_OBJECT
    std::unique_ptr<GridView> grid_;
    QList<Zone> clicked;
    QList<ZoneList> updates;

    void makeGrid(const ZoneList& zones, bool editing)
    {
        grid_ = std::make_unique<GridView>();
        grid_->resize(viewWidth, viewHeight);
        grid_->setCustomZones(zones);
        grid_->setEditing(editing);
        clicked.clear();
        updates.clear();
        grid_->zoneClickedHandler = [this](const Zone& z) { clicked.append(z); };
        grid_->zoneUpdatedHandler = [this](const ZoneList& zs) { updates.append(zs); };
    }

    // Two halves of an 800 x 500 view: shapes (10, 10)-(390, 490) and (410, 10)-(790, 490).
    const Zone left{Rect(0, 0, 0.5, 1)};
    const Zone right{Rect(0.5, 0, 0.5, 1)};

    std::unique_ptr<OverlayView> makeView(std::optional<ZoneList> zones, QSize size = {800, 500})
    {
        auto view = std::make_unique<OverlayView>();
        view->resize(size);
        view->setCustomZones(std::move(zones));
        return view;
    }

    FakePlatform* platform_ = nullptr;

    std::unique_ptr<OverlayWindow> makeDragOverlay(std::optional<ZoneList> zones)
    {
        auto window = std::make_unique<OverlayWindow>(test::primaryDisplay(), Rect(0, 0, 800, 500),
                                                      OverlayWindow::Level::Drag);
        window->setContentView(makeView(std::move(zones)));
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

    void anEmptyZoneListPaintsOnlyTheTint()
    {
        for (const std::optional<ZoneList>& zones :
             {std::optional<ZoneList>(ZoneList{}), std::optional<ZoneList>()}) {
            auto view = makeView(zones);
            const QImage image = test::render(*view);
            const QColor tint = image.pixelColor(0, 0);
            QCOMPARE(tint.alpha(), 51);
            QCOMPARE(tint.red(), 255);
            for (int y = 0; y < image.height(); y += 7) {
                for (int x = 0; x < image.width(); x += 7)
                    QCOMPARE(image.pixelColor(x, y), tint);
            }
        }
    }

    void oneZoneIsOutlinedFilledAndLabelledOneAtItsCentre()
    {
        auto view = makeView(ZoneList{Zone(Rect(0.25, 0.2, 0.5, 0.6))}); // (200, 100)-(600, 400)
        const QImage image = test::render(*view);
        // Outside the zone only the tint; in its gap too; inside, tint and fill.
        QCOMPARE(image.pixelColor(100, 50).alpha(), 51);
        QCOMPARE(image.pixelColor(205, 250).alpha(), 51);
        QVERIFY(std::abs(image.pixelColor(300, 200).alpha() - 92) <= 1);
        // The thin outline on the shape's edge (x = 210).
        QVERIFY(image.pixelColor(209, 250).alpha() > 180);
        QVERIFY(image.pixelColor(212, 250).alpha() < 100);

        // The label's bright pixels sit in a small box centred on the zone.
        QRect bright;
        for (int y = 200; y < 300; ++y) {
            for (int x = 300; x < 500; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() > 200 && c.lightness() > 200)
                    bright |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY2(!bright.isEmpty(), "no label");
        QVERIFY(bright.width() < 24 && bright.height() < 30);
        QVERIFY(std::abs(bright.center().x() - 400) <= 4);
        QVERIFY(std::abs(bright.center().y() - 250) <= 4);
        // Its shadow darkens the pixels just under the text.
        const QColor below = image.pixelColor(bright.center().x(), bright.bottom() + 2);
        QVERIFY(below.red() < 200);

        // The label is the zone's number: a second zone's label differs from the first's.
        auto two = makeView(ZoneList{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))});
        const QImage both = test::render(*two);
        QVERIFY(both.copy(175, 225, 50, 50) != both.copy(575, 225, 50, 50));
    }

    void theHighlightedZoneHasTheHighlightFillTheThickOutlineAndAGlowInItsColour()
    {
        auto view = makeView(ZoneList{left, right});
        view->setHighlightedZone(right);
        const QImage image = test::render(*view);

        // Inside: the highlight colour over the tint, against the white fill of the other zone.
        const QColor inside = image.pixelColor(600, 150);
        const QColor other = image.pixelColor(200, 150);
        QVERIFY2(inside.blue() - inside.red() > 60, qPrintable(inside.name(QColor::HexArgb)));
        QCOMPARE(other.red(), 255);
        QVERIFY(std::abs(other.alpha() - 92) <= 1);
        // The 5-point white outline around x = 410, opaque on both sides of the edge.
        for (int x = 408; x <= 411; ++x)
            QCOMPARE(image.pixelColor(x, 250), QColor(Qt::white));
        QVERIFY(image.pixelColor(11, 250).alpha() < 120); // the thin one of the other zone
        // The glow in the gap above the highlighted zone; none above the other one.
        const QColor glow = image.pixelColor(600, 3);
        QVERIFY2(glow.blue() - glow.red() > 30, qPrintable(glow.name(QColor::HexArgb)));
        QCOMPARE(image.pixelColor(200, 3), image.pixelColor(200, 0));
    }

    void aHighlightedZoneNoLongerInTheListHighlightsNothing()
    {
        auto plain = makeView(ZoneList{left});
        auto view = makeView(ZoneList{left, right});
        view->setHighlightedZone(right);
        view->setCustomZones(ZoneList{left});
        QVERIFY(view->highlightedZone());
        QCOMPARE(test::render(*view), test::render(*plain));
        // Only the id counts: a stale frame under a listed id still highlights that entry.
        view->setHighlightedZone(Zone(left.id, Rect(0.9, 0.9, 0.1, 0.1)));
        QVERIFY(test::render(*view) != test::render(*plain));
    }

    void aHighlightChangeRepaintsOnlyTheZonesThatChanged()
    {
        // Thirds; the pointer moves from the first to the second.
        const ZoneList zones{Zone(Rect(0, 0, 1.0 / 3, 1)), Zone(Rect(1.0 / 3, 0, 1.0 / 3, 1)),
                             Zone(Rect(2.0 / 3, 0, 1.0 / 3, 1))};
        auto view = makeView(zones, {900, 400});
        view->setHighlightedZone(zones[0]);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));

        PaintRecorder recorder;
        view->installEventFilter(&recorder);
        view->setHighlightedZone(zones[1]);
        QTRY_VERIFY(!recorder.regions.isEmpty());
        const QRegion dirty = recorder.regions.first();
        QCOMPARE(dirty, view->highlightChangeRegion(zones[0], zones[1]));
        QVERIFY(dirty.contains(QPoint(150, 200)));
        QVERIFY(dirty.contains(QPoint(450, 200)));
        QVERIFY(!dirty.contains(QPoint(750, 200)));

        // The same highlight again repaints nothing.
        recorder.regions.clear();
        view->setHighlightedZone(Zone(zones[1].id, Rect()));
        QTest::qWait(50);
        QVERIFY(recorder.regions.isEmpty());
    }

    void partialRepaintsMatchAWholeOneAfterTheLookChanges()
    {
        // Quarters; the highlight walks, and the tint changes and a zone joins the span between
        // moves: each repaint covers only what the view marks as changed.
        const ZoneList zones{Zone(Rect(0, 0, 0.5, 0.5)), Zone(Rect(0.5, 0, 0.5, 0.5)),
                             Zone(Rect(0, 0.5, 0.5, 0.5)), Zone(Rect(0.5, 0.5, 0.5, 0.5))};
        for (const qreal ratio : {1.0, 2.0}) {
            auto view = makeView(zones);
            QImage image(view->size() * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            auto repaint = [&](const QRegion& area) {
                view->render(&image, area.boundingRect().topLeft(), area, QWidget::DrawChildren);
            };
            auto move = [&](int from, int to) {
                const QRegion changed = view->highlightChangeRegion(zones[from], zones[to]);
                view->setHighlightedZone(zones[to]);
                repaint(changed);
            };
            // Twice around, so that the second round copies what the first left behind.
            auto walk = [&] {
                for (int i = 0; i < 8; ++i)
                    move(i % 4, (i + 1) % 4);
            };
            view->setHighlightedZone(zones[0]);
            repaint(view->rect());
            walk();
            view->setNormalZoneColor(QColor::fromRgbF(0, 0.6f, 0.2f, 0.3f));
            repaint(view->rect());
            walk();
            view->setSpannedZones({zones[3]});
            repaint(view->highlightChangeRegion(zones[3], zones[3]));
            move(0, 2);

            auto fresh = makeView(zones);
            fresh->setNormalZoneColor(QColor::fromRgbF(0, 0.6f, 0.2f, 0.3f));
            fresh->setSpannedZones({zones[3]});
            fresh->setHighlightedZone(zones[2]);
            QImage whole(image.size(), image.format());
            whole.setDevicePixelRatio(ratio);
            fresh->render(&whole, QPoint(), QRegion(), QWidget::DrawChildren);
            QVERIFY2(image == whole, qPrintable(u"at ratio %1"_s.arg(ratio)));
        }
    }

    void cachedAndFreshPaintingAgree()
    {
        // A large zone drawn from glow pieces, a small one rendered at its own size.
        const Zone large(Rect(0.05, 0.05, 0.6, 0.8));
        const Zone small(Rect(0.8, 0.1, 0.08, 0.12));
        for (const Zone& highlighted : {large, small}) {
            auto cached = makeView(ZoneList{large, small}, {1200, 800});
            cached->setHighlightZoneColor(QColor::fromRgbF(0.9f, 0.2f, 0.1f, 0.3f));
            cached->setHighlightedZone(highlighted);
            test::render(*cached); // fill the caches
            auto fresh = makeView(ZoneList{large, small}, {1200, 800});
            fresh->setHighlightZoneColor(QColor::fromRgbF(0.9f, 0.2f, 0.1f, 0.3f));
            fresh->setHighlightedZone(highlighted);
            fresh->setCachingEnabled(false);
            QVERIFY(largestChannelDifference(test::render(*cached), test::render(*fresh)) <= 2);
        }
    }

    // The grid.
    void overlappingZonesSelectTheFirstInTheArrayAndNoZoneNone()
    {
        const Zone first(Rect(0, 0, 0.6, 0.6));
        const Zone second(Rect(0.4, 0.4, 0.6, 0.6));
        makeGrid({first, second}, true);

        test::pressLeft(grid_.get(), at(0.5, 0.5));
        QCOMPARE(grid_->selectedZone()->id, first.id);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().id, first.id);
        QVERIFY(grid_->isDragging());
        QVERIFY(!grid_->currentResizeHandle());

        // Containment keeps the left and top edges and leaves out the right and bottom ones.
        QCOMPARE(grid_->zoneAt(at(0, 0))->id, first.id);
        QVERIFY(!grid_->zoneAt(at(0.6, 0.1)));
        QVERIFY(!grid_->zoneAt(at(0.1, 0.6)));
        QCOMPARE(grid_->zoneAt(at(0.5999, 0.5999))->id, first.id);
        QCOMPARE(grid_->zoneAt(at(0.6, 0.6))->id, second.id);

        // A press outside every zone clears the selection and reports nothing.
        test::releaseLeft(grid_.get(), at(0.5, 0.5));
        test::pressLeft(grid_.get(), at(0.2, 0.9));
        QVERIFY(!grid_->selectedZone());
        QCOMPARE(clicked.size(), 1);
    }

    void aDragPastTheRightEdgeStopsThereAndFollowsThePointerBack()
    {
        const ZoneList zones{Zone(Rect(0, 0, 0.2, 0.2)), Zone(Rect(0.5, 0.4, 0.3, 0.2)),
                             Zone(Rect(0, 0.8, 0.2, 0.2))};
        makeGrid(zones, true);

        test::pressLeft(grid_.get(), at(0.65, 0.5));
        test::dragLeft(grid_.get(), at(0.95, 0.5));
        QVERIFY(nearlyEqual(grid_->customZones()->at(1).frame, Rect(0.7, 0.4, 0.3, 0.2)));
        test::dragLeft(grid_.get(), at(0.99, 0.5)); // further out: stays at the edge
        QVERIFY(nearlyEqual(grid_->customZones()->at(1).frame, Rect(0.7, 0.4, 0.3, 0.2)));
        test::dragLeft(grid_.get(), at(0.98, 0.5)); // back by 0.01: moves at once
        QVERIFY(nearlyEqual(grid_->customZones()->at(1).frame, Rect(0.69, 0.4, 0.3, 0.2)));
        test::dragLeft(grid_.get(), at(0.98, 0.6)); // down by 0.1 (y from the top)
        QVERIFY(nearlyEqual(grid_->customZones()->at(1).frame, Rect(0.69, 0.5, 0.3, 0.2)));

        // Each drag event reported once, with the whole list in its order and the changed zone
        // in its place.
        QCOMPARE(updates.size(), 4);
        for (const ZoneList& reported : std::as_const(updates)) {
            QCOMPARE(reported.size(), 3);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(reported.at(i).id, zones.at(i).id);
            QCOMPARE(reported.at(0).frame, zones.at(0).frame);
            QCOMPARE(reported.at(2).frame, zones.at(2).frame);
        }
        QCOMPARE(updates.last().at(1).frame, grid_->customZones()->at(1).frame);
        QCOMPARE(grid_->selectedZone()->frame, grid_->customZones()->at(1).frame);

        // Release ends the drag and keeps the selection; later moves change nothing.
        test::releaseLeft(grid_.get(), at(0.98, 0.6));
        QVERIFY(!grid_->isDragging());
        QCOMPARE(grid_->selectedZone()->id, zones.at(1).id);
        test::dragLeft(grid_.get(), at(0.5, 0.5));
        QCOMPARE(updates.size(), 4);
    }

    // Handles are named as the user sees them; a corner moves only its own edges, and a resize
    // below the minimum keeps the minimum width while the dragged edge follows the pointer.
    void resizingByTheCorners()
    {
        const Zone zone(Rect(0.2, 0.2, 0.3, 0.3)); // widget rectangle (200, 100) - (500, 250)
        makeGrid({zone}, true);
        QCOMPARE(grid_->handleAt({205, 245}, zone), Handle::bottomLeft);
        QVERIFY(!grid_->handleAt({350, 175}, zone));
        QVERIFY(!grid_->handleAt({215, 105}, zone)); // outside the 20-point square

        test::pressLeft(grid_.get(), {495, 245});
        QCOMPARE(grid_->currentResizeHandle(), Handle::bottomRight);
        test::dragLeft(grid_.get(), {545, 295}); // dx = 0.05, dy = 0.1
        QVERIFY(nearlyEqual(grid_->customZones()->at(0).frame, Rect(0.2, 0.2, 0.35, 0.4)));
        test::releaseLeft(grid_.get(), {545, 295});

        test::pressLeft(grid_.get(), {545, 105}); // now the top-right corner
        QCOMPARE(grid_->currentResizeHandle(), Handle::topRight);
        test::dragLeft(grid_.get(), {495, 55}); // dx = -0.05, dy = -0.1: top edge goes up
        QVERIFY(nearlyEqual(grid_->customZones()->at(0).frame, Rect(0.2, 0.1, 0.3, 0.5)));
        test::releaseLeft(grid_.get(), {495, 55});

        test::pressLeft(grid_.get(), {205, 55});
        QCOMPARE(grid_->currentResizeHandle(), Handle::topLeft);
        test::dragLeft(grid_.get(), {405, 55}); // dx = 0.2: width 0.1
        QVERIFY(nearlyEqual(grid_->customZones()->at(0).frame, Rect(0.4, 0.1, 0.1, 0.5)));
        test::dragLeft(grid_.get(), {505, 55}); // the left edge follows, the width stays 0.1
        QVERIFY(nearlyEqual(grid_->customZones()->at(0).frame, Rect(0.5, 0.1, 0.1, 0.5)));
        test::dragLeft(grid_.get(), {605, 55});
        QVERIFY(nearlyEqual(grid_->customZones()->at(0).frame, Rect(0.6, 0.1, 0.1, 0.5)));
    }

    void aNarrowZoneAtTheEdgeEndsAtTheMinimumWidthPastTheEdge()
    {
        makeGrid({Zone(Rect(0.95, 0.4, 0.05, 0.2))}, true);
        test::pressLeft(grid_.get(), at(0.97, 0.5));
        QVERIFY(!grid_->currentResizeHandle());
        test::dragLeft(grid_.get(), at(0.971, 0.5));
        QVERIFY(nearlyEqual(grid_->customZones()->at(0).frame, Rect(0.95, 0.4, 0.1, 0.2)));
    }

    void withEditingOffAPressReportsTheZoneOnceAndStartsNoDrag()
    {
        const Zone zone(Rect(0.1, 0.1, 0.5, 0.5));
        makeGrid({zone}, false);
        test::pressLeft(grid_.get(), at(0.3, 0.3));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().id, zone.id);
        QVERIFY(!grid_->isDragging());
        QVERIFY(!grid_->selectedZone());
        test::dragLeft(grid_.get(), at(0.5, 0.5));
        test::releaseLeft(grid_.get(), at(0.5, 0.5));
        QVERIFY(updates.isEmpty());
        QCOMPARE(grid_->customZones()->at(0).frame, zone.frame);

        test::pressLeft(grid_.get(), at(0.9, 0.9)); // on no zone
        QCOMPARE(clicked.size(), 1);
    }

    void onlyTheSelectedZoneHasHandlesAndTheSelectionOutline()
    {
        // Four zones side by side, 200 x 300 points each, starting at x = 50, 300, 550, 800.
        ZoneList zones;
        for (int i = 0; i < 4; ++i)
            zones.append(Zone(Rect(0.05 + 0.25 * i, 0.2, 0.15, 0.6)));
        makeGrid(zones, true);
        test::pressLeft(grid_.get(), at(0.35, 0.5)); // the second zone
        test::releaseLeft(grid_.get(), at(0.35, 0.5));
        const QImage image = test::render(*grid_);

        for (int i = 0; i < 4; ++i) {
            const int left = 50 + 250 * i;
            const int right = left + 150;
            const bool selected = i == 1;
            // Inside each corner: an opaque white handle only on the selected zone.
            for (const QPoint corner : {QPoint(left + 3, 103), QPoint(right - 4, 396)}) {
                const QColor c = image.pixelColor(corner);
                QCOMPARE(c == QColor(Qt::white), selected);
            }
            // The top edge: the overlay colour over the white outline only when selected.
            const QColor edge = image.pixelColor(left + 75, 100);
            QVERIFY2(selected ? edge.red() < 40 && edge.blue() > 200 : edge.red() > 150,
                     qPrintable(u"zone %1 edge %2"_s.arg(i).arg(edge.name(QColor::HexArgb))));
            // The fill: the overlay colour at 0.3 in editing mode (above the zone's number).
            QCOMPARE(image.pixelColor(left + 75, 200).alpha(), 77);
        }

        // With editing off the selection stays but is not painted, and the fill is lighter.
        grid_->setEditing(false);
        const QImage passive = test::render(*grid_);
        QVERIFY(passive.pixelColor(303, 103) != QColor(Qt::white));
        QCOMPARE(passive.pixelColor(375, 250).alpha(), 26);
        QVERIFY(grid_->selectedZone());
    }

    // The windows.
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
        // highlighted zone a thick ring, also with its badge.
        for (const QPoint p :
             {QPoint(9, 250), QPoint(12, 250), QPoint(200, 250), QPoint(600, 250), QPoint(600, 15)})
            QVERIFY2(mask.contains(p), qPrintable(u"(%1, %2)"_s.arg(p.x()).arg(p.y())));
        // The gaps around and between the zones, the rounded corners and the plain zone's middle
        // show the desktop and the dragged window.
        // So does the middle of the highlighted zone: the user never drags blind.
        for (const QPoint p : {QPoint(4, 250), QPoint(200, 5), QPoint(400, 250), QPoint(200, 495),
                               QPoint(795, 250), QPoint(10, 10), QPoint(14, 250), QPoint(200, 100),
                               QPoint(600, 100), QPoint(440, 250)})
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
        QCOMPARE(image.pixelColor(600, 15), opaque(Settings::defaultZoneColors().highlight));

        // Until the user picks one, the highlight is the desktop's accent.
        const QPalette before = QGuiApplication::palette();
        QPalette accented = before;
        accented.setColor(QPalette::Highlight, QColor(0xd0, 0x30, 0x60));
        QGuiApplication::setPalette(accented);
        const QColor highlight = Settings::defaultZoneColors().highlight;
        QGuiApplication::setPalette(before);
        QCOMPARE(opaque(highlight), QColor(0xd0, 0x30, 0x60));
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

    // The middle of a zone shows what lies beneath.
    void theEditingOverlayIsCutToItsZoneRingsNumbersAndHandles()
    {
        ZoneManager manager;
        // (360, 225)-(1080, 675) on the 1440 x 900 display.
        const Zone zone{Rect(0.25, 0.25, 0.5, 0.5)};
        manager.updateZones(ZoneList{zone}, test::primaryDisplay(), true, true);
        OverlayWindow* window = manager.overlayWindow();
        QVERIFY(window);
        QVERIFY(window->isShaped());
        QVERIFY(!window->mask().contains(QPoint(700, 400)));
        QVERIFY(window->mask().contains(QPoint(720, 450)));
        QVERIFY(window->mask().contains(QPoint(359, 400)));
        QVERIFY(!window->mask().contains(QPoint(300, 400)));
        QVERIFY(!window->mask().contains(QPoint(356, 221)));

        auto* grid = qobject_cast<GridView*>(window->contentView());
        QVERIFY(grid);
        const QImage image = test::render(*grid);
        QCOMPARE(image.pixel(362, 400), GridView::defaultOverlayColor().rgb());
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
        QVERIFY(window->mask().contains(QPoint(1176, 400)));
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

QTEST_MAIN(OverlayTest)
#include "tst_overlay.moc"
