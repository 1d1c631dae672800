// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "XServer.h"
#include "platform/KeyCodes.h"
#include "platform/x11/X11Displays.h"
#include "platform/x11/X11InputMonitor.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/XcbConnection.h"
#include "shortcuts/KeyboardShortcuts.h"

#include <QGuiApplication>
#include <QRasterWindow>
#include <QSignalSpy>
#include <QTest>

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>
#include <vector>

using namespace corvane;
using namespace Qt::StringLiterals;
using corvane::test::XServer;

// The left button as the backend follows it, and hot keys, driven through XTest (xdotool). The
// screen is one 3360 x 1080 monitor at scale 1: root points are global points. The toolkit is
// connected to the same server, for the presses on this process's own windows: the server is
// started before the application object, so the test has its own main.
class X11InputTest : public QObject {
    Q_OBJECT
public:
    explicit X11InputTest(XServer* server) : server_(server) {}

private:
    XServer* server_;
    std::unique_ptr<X11Platform> platform_;
    using Stage = X11InputMonitor::Stage;
    struct Event {
        Stage type;
        Point location;
        HeldKeys keys;
    };
    std::unique_ptr<X11InputMonitor> monitor_;
    QList<Event> events_;

    bool xdotool(const QString& arguments)
    {
        return server_->xdotool(arguments.split(QLatin1Char(' ')));
    }

    bool grabByAnotherClient(xcb_keycode_t key, std::uint16_t modifiers)
    {
        xcb_connection_t* c = server_->connection();
        xcb_generic_error_t* error =
            xcb_request_check(c, xcb_grab_key_checked(c, 0, server_->root(), modifiers, key,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        free(error);
        return error == nullptr;
    }

    // A press, a drag and a release at a point.
    void click(const QPoint& p)
    {
        QVERIFY(server_->fakeMotion(p));
        QVERIFY(server_->fakeButton(1, true));
        QTest::qWait(100);
        QVERIFY(server_->fakeMotion(p + QPoint(40, 30)));
        QTest::qWait(100);
        QVERIFY(server_->fakeButton(1, false));
    }

private slots:
    void initTestCase()
    {
        if (!server_)
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
        QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
        test::resetStores();
        platform_ = std::make_unique<X11Platform>();
        monitor_ = std::make_unique<X11InputMonitor>(
            platform_->connection(), static_cast<const X11Displays&>(platform_->displays()));
        monitor_->setHandler([this](Stage stage, QPoint root, const HeldKeys& keys) {
            events_.append({stage, Point{double(root.x()), double(root.y())}, keys});
        });
        monitor_->setListening(true);
    }

    void cleanupTestCase()
    {
        monitor_.reset();
        platform_.reset();
    }

    // No key stays held for the next test, and no window manager menu that a click on the
    // desktop with another button opened stays open.
    void cleanup()
    {
        for (xcb_keysym_t key : {XK_Shift_L, XK_Control_L, XK_Alt_L, XK_Super_L})
            server_->fakeKey(key, false);
        server_->fakeKey(XK_Escape, true);
        server_->fakeKey(XK_Escape, false);
        QTest::qWait(50);
    }

    void aShiftDragGivesDownDraggedAndUp()
    {
        events_.clear();
        QVERIFY(server_->fakeMotion({500, 500}));
        QVERIFY(server_->fakeKey(XK_Shift_L, true));
        QTRY_COMPARE(monitor_->heldKeys().modifiers, Modifiers(Modifier::Shift));
        QCOMPARE(platform_->windowSystem().pointer(), (Point{500, 500}));

        QVERIFY(server_->fakeButton(1, true));
        QTRY_COMPARE(events_.size(), 1);
        QCOMPARE(events_[0].type, Stage::Pressed);
        QCOMPARE(events_[0].keys.modifiers, Modifiers(Modifier::Shift));
        QCOMPARE(events_[0].location, (Point{500, 500}));

        // The monitor sees the press before the moves, as it does with a hand on the mouse.
        QVERIFY(server_->fakeMotion({560, 470}));
        QVERIFY(server_->fakeMotion({650, 420}));
        QTRY_VERIFY(!events_.isEmpty() && events_.last().location == (Point{650, 420}));
        QCOMPARE(events_.last().type, Stage::Dragged);
        QCOMPARE(events_.last().keys.modifiers, Modifiers(Modifier::Shift));

        // The root does not tell of its children during a drag (each move of a frame would
        // wake Corvane): a panel that came meanwhile, one only the root tells of, is counted
        // once the drag ends.
        const xcb_window_t panel = server_->createDock(
            QRect(0, 1050, 1920, 30), {0, 0, 0, 30, 0, 0, 0, 0, 0, 0, 0, 1919}, false);

        QVERIFY(server_->fakeButton(1, false));
        QTRY_COMPARE(events_.last().type, Stage::Released);
        QCOMPARE(events_.last().location, (Point{650, 420}));
        QTRY_COMPARE(platform_->displays().screens().first().visibleFrame.height, 1050.0);
        xcb_destroy_window(server_->connection(), panel);
        xcb_flush(server_->connection());
        QTRY_COMPARE(platform_->displays().screens().first().visibleFrame.height, 1080.0);
        QCOMPARE(events_.last().keys.modifiers, Modifiers(Modifier::Shift));
        QVERIFY(server_->fakeKey(XK_Shift_L, false));
        for (const Event& e : events_.mid(1, events_.size() - 2))
            QCOMPARE(e.type, Stage::Dragged);

        // After the release, moves are not watched any more.
        const qsizetype count = events_.size();
        QVERIFY(server_->fakeMotion({900, 300}));
        QTest::qWait(150);
        QCOMPARE(events_.size(), count);
    }

    void aPointerMovingWithoutAButtonCostsNothing()
    {
        events_.clear();
        // The last release's selections are undone a moment after it.
        QTest::qWait(400);
        platform_->connection().resetCounters();
        // A second of moving.
        for (int i = 0; i < 20; ++i) {
            QVERIFY(server_->fakeMotion({100 + 50 * i, 300 + 20 * i}));
            QTest::qWait(50);
        }
        QVERIFY(events_.isEmpty());
        // Not a single request: nothing that moves with the pointer is listened to.
        QCOMPARE(platform_->connection().counters().requests, 0u);
    }

    // The events are handled after all of them happened, as when the application is busy: each
    // still carries the modifiers that were down at its own moment.
    void eachEventCarriesTheModifiersOfItsMoment()
    {
        events_.clear();
        QVERIFY(server_->fakeMotion({500, 500}));
        QVERIFY(server_->fakeKey(XK_Shift_L, true));
        QVERIFY(server_->fakeButton(1, true));
        QTRY_COMPARE(events_.size(), 1);
        QCOMPARE(events_[0].keys.modifiers, Modifiers(Modifier::Shift));

        // Shift let go right after the button, before anything is handled.
        QVERIFY(server_->fakeMotion({600, 450}));
        QVERIFY(server_->fakeButton(1, false));
        QVERIFY(server_->fakeKey(XK_Shift_L, false));
        QTRY_COMPARE(events_.last().type, Stage::Released);
        QCOMPARE(events_.last().keys.modifiers, Modifiers(Modifier::Shift));

        // Shift let go before the button, with Control pressed on the way: the move before
        // the change has Shift, the release has only Control.
        events_.clear();
        QVERIFY(server_->fakeKey(XK_Shift_L, true));
        QVERIFY(server_->fakeButton(1, true));
        QTRY_COMPARE(events_.size(), 1);
        QVERIFY(server_->fakeMotion({700, 400}));
        QVERIFY(server_->fakeKey(XK_Shift_L, false));
        QVERIFY(server_->fakeKey(XK_Control_L, true));
        QVERIFY(server_->fakeButton(1, false));
        QVERIFY(server_->fakeKey(XK_Control_L, false));
        QTRY_COMPARE(events_.last().type, Stage::Released);
        QCOMPARE(events_.last().keys.modifiers, Modifiers(Modifier::Ctrl));
        QCOMPARE(events_.size(), 3);
        QCOMPARE(events_[1].type, Stage::Dragged);
        QCOMPARE(events_[1].keys.modifiers, Modifiers(Modifier::Shift));
    }

    // A key that is not a modifier is reported once followed: held before the press (from the
    // keymap) or pressed during the drag, in the order things happened; a key the keyboard does
    // not have cannot be followed.
    void followedKeysAreReportedAtTheirMoment()
    {
        constexpr int f5 = 96, space = 49, noSuchKey = 10;
        X11InputMonitor& monitor = *monitor_;
        QVERIFY(monitor.canFollowKey(f5));
        QVERIFY(!monitor.canFollowKey(noSuchKey));
        monitor.followKeys({f5});
        QVERIFY(server_->fakeKey(XK_F5, true));
        QTRY_COMPARE(monitor.heldKeys().keys, QList<int>{f5});

        events_.clear();
        QVERIFY(server_->fakeMotion({500, 500}));
        QVERIFY(server_->fakeKey(XK_space, true)); // not followed
        QVERIFY(server_->fakeButton(1, true));
        QTRY_COMPARE(events_.size(), 1);
        // All that follows happens before any of it is handled.
        QVERIFY(server_->fakeMotion({600, 450}));
        QVERIFY(server_->fakeKey(XK_F5, false));
        QVERIFY(server_->fakeMotion({650, 450}));
        QVERIFY(server_->fakeButton(1, false));
        QVERIFY(server_->fakeKey(XK_space, false));
        QTRY_COMPARE(events_.size(), 4);
        QCOMPARE(events_[0].keys.keys, QList<int>{f5});
        QCOMPARE(events_[1].keys.keys, QList<int>{f5});
        QVERIFY(events_[2].keys.keys.isEmpty());
        QVERIFY(events_[3].keys.keys.isEmpty());

        // A key taken up in the middle of a drag is known at once, pressed before it or not.
        events_.clear();
        QVERIFY(server_->fakeKey(XK_space, true));
        QVERIFY(server_->fakeButton(1, true));
        QTRY_COMPARE(events_.size(), 1);
        monitor.followKeys({f5, space});
        QCOMPARE(monitor.heldKeys().keys, QList<int>{space});
        QVERIFY(server_->fakeButton(1, false));
        QTRY_COMPARE(events_.size(), 2);
        QCOMPARE(events_[1].keys.keys, QList<int>{space});
        QVERIFY(server_->fakeKey(XK_space, false));
        monitor.followKeys({});
    }

    // This process's own windows, a managed one (on its title bar and its content) and an
    // unmanaged one (as popups and overlays are), take presses unseen, also for the drag that
    // follows; elsewhere the same gesture is seen.
    void pressesOnOwnToolkitWindowsAreNotDelivered()
    {
        QRasterWindow managed;
        managed.setGeometry(400, 300, 300, 200);
        managed.show();
        QRasterWindow unmanaged;
        unmanaged.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        unmanaged.setGeometry(1200, 300, 300, 200);
        unmanaged.show();
        QVERIFY(server_->waitForViewable(xcb_window_t(managed.winId())));
        QVERIFY(server_->waitForViewable(xcb_window_t(unmanaged.winId())));
        QTRY_VERIFY(server_->frameGeometry(xcb_window_t(managed.winId()))->height() >
                    managed.height());
        const QRect frame = *server_->frameGeometry(xcb_window_t(managed.winId()));
        events_.clear();
        click(QPoint(frame.center().x(), frame.top() + 5)); // its title bar
        click(managed.geometry().center());
        click(unmanaged.geometry().center());
        QTest::qWait(200);
        QVERIFY(events_.isEmpty());
        click(QPoint(2500, 800));
        QTRY_COMPARE(events_.size(), 3);
    }

    // An overlay transparent for input, like the one drawn while dragging, is seen through.
    void aWindowTransparentForInputIsSeenThrough()
    {
        const auto xlogo = server_->startClient(u"xlogo"_s, {}, u"xlogo"_s);
        QVERIFY(xlogo);
        const QRect client = *server_->clientGeometry(xlogo->window);
        QRasterWindow overlay;
        overlay.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                         Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint);
        overlay.setGeometry(client.adjusted(-50, -50, 50, 50));
        overlay.show();
        QVERIFY(server_->waitForViewable(xcb_window_t(overlay.winId())));

        const auto window = platform_->windowSystem().windowAt(
            Point{double(client.center().x()), double(client.center().y())});
        QCOMPARE(window, std::optional(X11WindowSystem::handle(xlogo->window)));
        server_->killProcess(xlogo->pid);
    }

    // One combination is had once, until it is let go; a key code with no key behind it is
    // refused. The press and the release are reported by the hot key's id.
    void aCombinationIsHadOnce()
    {
        HotKeys& hotKeys = platform_->hotKeys();
        QSignalSpy released(&hotKeys, &HotKeys::released);
        QCOMPARE(hotKeys.registerHotKey(35, 4864, 7), HotKeyStatus::Success);
        QCOMPARE(hotKeys.registerHotKey(35, 4864, 8), HotKeyStatus::AlreadyTaken);
        QVERIFY(xdotool(u"key ctrl+shift+super+p"_s));
        QTRY_COMPARE(released.count(), 1);
        QCOMPARE(released[0][0].value<std::uint32_t>(), 7u);
        hotKeys.unregisterHotKey(7);
        QCOMPARE(hotKeys.registerHotKey(35, 4864, 8), HotKeyStatus::Success);
        hotKeys.unregisterHotKey(8);
        QCOMPARE(hotKeys.registerHotKey(10, 4864, 9), HotKeyStatus::InvalidKey);
    }

    void aCombinationHeldByAnotherClientFailsAndLeavesNothingGrabbed()
    {
        HotKeys& hotKeys = platform_->hotKeys();
        const xcb_keycode_t o = server_->keycode('o');
        QVERIFY(o != 0);
        // Another client holds Control-Option-O (without Caps Lock or Num Lock).
        QVERIFY(grabByAnotherClient(o, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
        QCOMPARE(hotKeys.registerHotKey(31, CarbonModifier::control | CarbonModifier::option, 3),
                 HotKeyStatus::AlreadyTaken);
        // The variants that were granted on the way were given back: the other client can
        // take them now.
        QVERIFY(grabByAnotherClient(o, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_LOCK));
        QVERIFY(grabByAnotherClient(o, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_2));

        free(xcb_request_check(
            server_->connection(),
            xcb_ungrab_key_checked(server_->connection(), o, server_->root(), XCB_MOD_MASK_ANY)));
        QCOMPARE(hotKeys.registerHotKey(31, CarbonModifier::control | CarbonModifier::option, 3),
                 HotKeyStatus::Success);
        QSignalSpy pressed(&hotKeys, &HotKeys::pressed);
        QVERIFY(xdotool(u"key ctrl+alt+o"_s));
        QTRY_COMPARE(pressed.count(), 1);
        QCOMPARE(pressed[0][0].value<std::uint32_t>(), 3u);
    }
};

int main(int argc, char* argv[])
{
    std::unique_ptr<XServer> server;
    if (XServer::isAvailable()) {
        server = std::make_unique<XServer>();
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    X11InputTest test(server.get());
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11input.moc"
