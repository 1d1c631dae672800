#include "TestEnvironment.h"
#include "managers/OverlayWindow.h"

#include <QTest>
#include <QWindow>

using namespace corvane;

class OverlayWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::installFakePlatform().setDisplays({test::primaryDisplay(), test::secondDisplay()});
    }

    void itIsAFramelessTranslucentWindowThatNeverTakesFocus()
    {
        for (auto level : {OverlayWindow::Level::Floating, OverlayWindow::Level::ModalPanel,
                           OverlayWindow::Level::Drag}) {
            OverlayWindow window(test::primaryDisplay(), test::primaryDisplay().frame, level);
            const Qt::WindowFlags flags = window.windowFlags();
            QVERIFY(window.isWindow());
            QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
            QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
            QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
            QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
            QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
            // Only the drag overlay keeps out of the window manager's hands.
            QCOMPARE(flags.testFlag(Qt::X11BypassWindowManagerHint),
                     level == OverlayWindow::Level::Drag);
        }
    }

    void itCoversTheGivenScreenRectangle()
    {
        // The second display lies to the right, its bottom edge level with the primary's: in
        // the toolkit's top-left coordinates its top is 180 points above the primary's.
        const corvane::Display second = test::secondDisplay();
        OverlayWindow window(second, second.frame, OverlayWindow::Level::Floating);
        QCOMPARE(window.geometry(), QRect(1440, -180, 1920, 1080));
        QCOMPARE(window.display(), second);
        window.setScreenRect(second.visibleFrame);
        QCOMPARE(window.geometry(), QRect(1440, -155, 1920, 1055));
        QCOMPARE(window.screenRect(), second.visibleFrame);
    }

    void theContentViewFillsTheWindowAndCanBeDetached()
    {
        OverlayWindow window(test::primaryDisplay(), Rect(0, 0, 400, 300),
                             OverlayWindow::Level::Drag);
        auto content = std::make_unique<QWidget>();
        QWidget* raw = content.get();
        window.setContentView(std::move(content));
        QCOMPARE(window.contentView(), raw);
        QCOMPARE(raw->parentWidget(), &window);
        QCOMPARE(raw->geometry(), QRect(0, 0, 400, 300));
        window.setScreenRect(Rect(0, 0, 500, 200));
        QCOMPARE(raw->geometry(), QRect(0, 0, 500, 200));

        std::unique_ptr<QWidget> taken = window.takeContentView();
        QCOMPARE(taken.get(), raw);
        QVERIFY(!window.contentView());
        QVERIFY(!taken->parentWidget());
        QVERIFY(!window.takeContentView());
    }

    void ignoringTheMouseChangesInPlaceOnAShownWindow()
    {
        OverlayWindow window(test::primaryDisplay(), Rect(0, 0, 400, 300),
                             OverlayWindow::Level::ModalPanel);
        window.setIgnoresMouseEvents(true);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowTransparentForInput));
        window.orderFront();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWindow* native = window.windowHandle();

        window.setIgnoresMouseEvents(false);
        QVERIFY(!window.ignoresMouseEvents());
        QVERIFY(!native->flags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowHandle(), native);
        window.setIgnoresMouseEvents(true);
        QVERIFY(native->flags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(window.isVisible());

        window.orderOut();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(OverlayWindowTest)
#include "tst_overlaywindow.moc"
