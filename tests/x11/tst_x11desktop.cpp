// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "XServer.h"
#include "models/Layouts.h"
#include "platform/x11/Edid.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/XcbConnection.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "windows/WindowSnapper.h"

#include <QDebug>
#include <QSignalSpy>
#include <QTest>
#include <unistd.h>
#include <xcb/randr.h>

using namespace corvane;
using namespace Qt::StringLiterals;
using corvane::test::XServer;

namespace {

// A base EDID block for a made-up monitor: vendor 0x10ac, product 0x4321, serial 0x12345678,
// named "Corvane Test".
QByteArray sampleEdid()
{
    QByteArray edid = test::edidBlock({0x10, 0xac, 0x21, 0x43, 0x78, 0x56, 0x34, 0x12});
    test::putEdidDescriptor(edid, 1, 0xfc, "Corvane Test\n");
    return edid;
}

} // namespace

// Windows of real clients under openbox, then the monitors and panels around them. At scale 1
// global coordinates are the root's; A is the primary monitor at first, B a second monitor to
// its right.
class X11DesktopTest : public QObject {
    Q_OBJECT
    std::unique_ptr<XServer> server_;
    X11Platform* platform_ = nullptr; // installed, for the snap path
    XServer::Client xterm_;
    XServer::Client xlogo_;

    WindowSystem& windows() { return platform_->windowSystem(); }
    static WindowHandle handle(xcb_window_t w) { return X11WindowSystem::handle(w); }

    void activate(xcb_window_t window)
    {
        QVERIFY(server_->xdotool({u"windowactivate"_s, QString::number(window)}));
    }

    void sendState(xcb_window_t window, std::uint32_t action, const char* first,
                   const char* second = nullptr)
    {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = server_->atom("_NET_WM_STATE");
        event.data.data32[0] = action;
        event.data.data32[1] = server_->atom(first);
        event.data.data32[2] = second ? server_->atom(second) : 0;
        event.data.data32[3] = 2;
        xcb_send_event(server_->connection(), 0, server_->root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(server_->connection());
    }

    QList<xcb_atom_t> states(xcb_window_t window)
    {
        return server_->property(window, "_NET_WM_STATE");
    }

    std::optional<Rect> frameOf(xcb_window_t window) { return windows().frame(handle(window)); }

    // What the snap does: the frame in one step.
    void snap(xcb_window_t window, const Rect& target)
    {
        QCOMPARE(windows().setFrame(handle(window), target), WindowResult::Done);
    }

    void resetMonitors()
    {
        for (const char* name : {"A", "B", "C"})
            server_->deleteMonitor(QString::fromLatin1(name));
    }

    // A on the left with Xvfb's one output, B to its right and 100 pixels lower.
    void twoMonitors(bool primaryB)
    {
        resetMonitors();
        QVERIFY(server_->setMonitor(u"A"_s, QRect(0, 0, 1920, 1080), !primaryB, u"screen"_s));
        QVERIFY(server_->setMonitor(u"B"_s, QRect(1920, 100, 1440, 900), primaryB));
    }

private slots:
    void initTestCase()
    {
        if (!XServer::isAvailable())
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        XServer::Options options;
        options.monitors = {{u"A"_s, QRect(0, 0, 1920, 1080), true, u"screen"_s},
                            {u"B"_s, QRect(1920, 100, 1440, 900)}};
        server_ = std::make_unique<XServer>(options);
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
        const auto xterm = server_->startClient(u"xterm"_s, {}, u"xterm"_s);
        const auto xlogo = server_->startClient(u"xlogo"_s, {}, u"xlogo"_s);
        QVERIFY(xterm && xlogo);
        xterm_ = *xterm;
        xlogo_ = *xlogo;
        QVERIFY(server_->xdotool(
            {u"windowmove"_s, QString::number(xterm_.window), u"100"_s, u"100"_s}));
        QVERIFY(server_->xdotool(
            {u"windowmove"_s, QString::number(xlogo_.window), u"700"_s, u"200"_s}));
        test::resetStores();
        Platform::install(std::make_unique<X11Platform>());
        platform_ = static_cast<X11Platform*>(&Platform::current());
        QVERIFY(windows().canMoveWindows());
    }

    void cleanupTestCase()
    {
        platform_ = nullptr;
        Platform::install(nullptr);
        server_.reset();
    }

    void titleBarAndContentLeadToTheClient()
    {
        activate(xterm_.window);
        QTRY_COMPARE(server_->property(server_->root(), "_NET_ACTIVE_WINDOW").value(0),
                     xterm_.window);
        const QRect frame = *server_->frameGeometry(xterm_.window);
        const QRect client = *server_->clientGeometry(xterm_.window);
        QVERIFY(client.top() > frame.top() + 5);
        const Point titleBar{double(frame.center().x()), double(frame.top() + 5)};
        const Point content{double(client.center().x()), double(client.center().y())};

        for (const Point& p : {titleBar, content})
            QCOMPARE(windows().windowAt(p), std::optional(handle(xterm_.window)));
        // An input-only window over everything (KWin holds the pointer with one while it
        // moves a window) is looked through.
        xcb_connection_t* c = server_->connection();
        const xcb_window_t glass = xcb_generate_id(c);
        const std::uint32_t overrideRedirect = 1;
        xcb_create_window(c, 0, glass, server_->root(), 0, 0, 3360, 1080, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                          XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
        xcb_map_window(c, glass);
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        const auto under = windows().windowAt(content);
        xcb_destroy_window(c, glass);
        xcb_flush(c);
        QCOMPARE(under, std::optional(handle(xterm_.window)));
        // What excluded applications are matched by: the client's class.
        QCOMPARE(windows().application(handle(xterm_.window)),
                 (QStringList{u"xterm"_s, u"XTerm"_s}));
        QCOMPARE(frameOf(xterm_.window),
                 std::optional(Rect(frame.x(), frame.y(), frame.width(), frame.height())));
        QCOMPARE(windows().activeWindow(), std::optional(handle(xterm_.window)));
        QVERIFY(windows().windows().contains(handle(xlogo_.window)));
    }

    void aMaximizedWindowIsRestoredBeforeItIsMoved()
    {
        const xcb_window_t xlogo = xlogo_.window;
        sendState(xlogo_.window, 1, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
        QTRY_VERIFY(states(xlogo_.window).contains(server_->atom("_NET_WM_STATE_MAXIMIZED_VERT")));
        // The window manager says so before it has reshaped the window (to its monitor, A):
        // wait for the shape.
        QTRY_COMPARE(server_->frameGeometry(xlogo_.window).value_or(QRect()),
                     QRect(0, 0, 1920, 1080));
        const Rect second(300, 150, 640, 480);
        snap(xlogo, second);
        QTRY_COMPARE(server_->frameGeometry(xlogo_.window).value_or(QRect()),
                     QRect(300, 150, 640, 480));
        QVERIFY(!states(xlogo_.window).contains(server_->atom("_NET_WM_STATE_MAXIMIZED_VERT")));
        QVERIFY(!states(xlogo_.window).contains(server_->atom("_NET_WM_STATE_MAXIMIZED_HORZ")));
    }

    // The space around zones the user chose reaches the window: zone 4 of "Grid" on monitor A
    // ends 16 inside the monitor's edges and 16 from its neighbours.
    void spaceAroundZonesInsetsTheZone()
    {
        Settings::setValue(SettingsKeys::spaceAroundZones, 16);
        const auto grid = templateNamed(u"Grid"_s);
        QVERIFY(grid && grid->zones.size() == 4);
        const corvane::Display a = platform_->displays().screens().first();
        QCOMPARE(a.visibleFrame, Rect(0, 0, 1920, 1080));
        QCOMPARE(WindowSnapper::snap(handle(xlogo_.window), {a, grid->zones[3], 4}),
                 SnapOutcome::Snapped);
        QTRY_COMPARE(server_->frameGeometry(xlogo_.window).value_or(QRect()),
                     QRect(968, 548, 936, 516));
        Settings::setValue(SettingsKeys::spaceAroundZones, 0);
    }

    // A window that draws its own decorations (a GTK header bar) carries an invisible shadow
    // margin: what the user sees fills the target, the shadow reaches past it.
    void theVisiblePartOfAWindowWithItsOwnShadowFillsTheTarget()
    {
        const std::uint32_t shadow[] = {26, 26, 23, 29}; // left, right, top, bottom
        xcb_connection_t* c = server_->connection();
        const xcb_atom_t extents = server_->atom("_GTK_FRAME_EXTENTS");
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, xlogo_.window, extents, XCB_ATOM_CARDINAL, 32,
                            4, shadow);
        // Read back, so that the server has it before Corvane's connection asks.
        QCOMPARE(server_->property(xlogo_.window, "_GTK_FRAME_EXTENTS").size(), 4);
        const xcb_window_t xlogo = xlogo_.window;
        const Rect target(300, 150, 640, 480);
        snap(xlogo, target);
        QTRY_COMPARE(server_->frameGeometry(xlogo_.window).value_or(QRect()),
                     QRect(300 - 26, 150 - 23, 640 + 52, 480 + 52));
        QCOMPARE(frameOf(xlogo), std::optional(target));
        xcb_delete_property(c, xlogo_.window, extents);
        xcb_flush(c);
    }

    // xterm resizes in whole character cells: it ends less than a cell short of the zone and is
    // centred in it, not left in its corner.
    void aWindowThatSizesInStepsIsCentredInItsZone()
    {
        const auto grid = templateNamed(u"Grid"_s);
        QVERIFY(grid && grid->zones.size() == 4);
        const corvane::Display a = platform_->displays().screens().first();
        QCOMPARE(WindowSnapper::snap(handle(xterm_.window), {a, grid->zones[3], 4}),
                 SnapOutcome::Snapped);
        const QRect zone(960, 540, 960, 540);
        const auto centred = [&] {
            const QRect f = server_->frameGeometry(xterm_.window).value_or(QRect());
            return zone.contains(f) && zone.width() - f.width() < 20 &&
                   zone.height() - f.height() < 40 &&
                   qAbs((f.left() - zone.left()) - (zone.right() - f.right())) <= 1 &&
                   qAbs((f.top() - zone.top()) - (zone.bottom() - f.bottom())) <= 1 &&
                   f.size() != zone.size();
        };
        QTRY_VERIFY2(centred(), qPrintable(QDebug::toString(
                                    server_->frameGeometry(xterm_.window).value_or(QRect()))));
    }

    void valuesBeyondTheProtocolAreClamped()
    {
        const xcb_window_t xlogo = xlogo_.window;
        // Openbox keeps the window on screen, far from the corner asked for.
        QCOMPARE(windows().setFrame(handle(xlogo), Rect(-1e9, 1e9, 1e12, std::nan(""))),
                 WindowResult::KeptOut);
        // Still a readable window afterwards.
        QTRY_VERIFY(frameOf(xlogo));
        snap(xlogo, Rect(300, 150, 640, 480));
        QTRY_COMPARE(server_->frameGeometry(xlogo_.window).value_or(QRect()),
                     QRect(300, 150, 640, 480));
    }

    void aClientKilledBetweenLookupAndMoveGivesErrors()
    {
        const auto victim = server_->startClient(u"xlogo"_s, {}, u"xlogo"_s, 10000);
        QVERIFY(victim);
        const QRect client = *server_->clientGeometry(victim->window);
        const auto window =
            windows().windowAt(Point{double(client.center().x()), double(client.center().y())});
        QCOMPARE(window, std::optional(handle(victim->window)));
        QSignalSpy closed(&windows(), &WindowSystem::windowClosed);

        QVERIFY(server_->killProcess(victim->pid));
        QVERIFY(server_->waitForWindowGone(victim->window));

        QCOMPARE(windows().setFrame(*window, Rect(10, 10, 400, 300)), WindowResult::Gone);
        QVERIFY(!windows().frame(*window));
        QVERIFY(windows().application(*window).isEmpty());
        // The window manager's list tells that it closed.
        const auto toldClosed = [&] {
            return std::any_of(closed.begin(), closed.end(), [&](const QVariantList& args) {
                return args.at(0).value<WindowHandle>() == *window;
            });
        };
        QTRY_VERIFY(toldClosed());

        // And the backend goes on.
        QVERIFY(frameOf(xterm_.window));
        QVERIFY(platform_->connection().isConnected());
    }

    // The monitors, from here on rearranged test by test.
    void monitorsAreListedPrimaryFirst()
    {
        twoMonitors(true);
        X11Platform platform;
        QVERIFY(platform.windowSystem().canMoveWindows());
        const DisplayList screens = platform.displays().screens();
        QCOMPARE(screens.size(), 2);
        // B is primary: it comes first; frames are where the server has them.
        QCOMPARE(screens[0].key, u"B"_s);
        QCOMPARE(screens[0].frame, Rect(1920, 100, 1440, 900));
        QCOMPARE(screens[1].key, u"A"_s);
        QCOMPARE(screens[1].frame, Rect(0, 0, 1920, 1080));
        // Only A has an output: it has a number and is named after the output. B's identifier
        // keeps the form stored choices have always had: from the primary's bottom-left corner.
        QVERIFY(!screens[0].number);
        QVERIFY(screens[1].number);
        QCOMPARE(screens[1].localizedName, u"screen"_s);
        QCOMPARE(screens[0].localizedName, u"B"_s);
        QCOMPARE(monitorID(screens[0]), u"screen_0_0_1440_900"_s);
        QCOMPARE(monitorID(screens[1]), u"displayid_%1"_s.arg(*screens[1].number));
        // With no panels and no work area, the visible frame is the whole monitor.
        QCOMPARE(screens[1].visibleFrame, screens[1].frame);

        twoMonitors(false);
        QTRY_COMPARE(platform.displays().screens().value(0).key, u"A"_s);
        QCOMPARE(platform.displays().screens()[0].frame, Rect(0, 0, 1920, 1080));
        QCOMPARE(platform.displays().screens()[1].frame, Rect(1920, 100, 1440, 900));
        QCOMPARE(monitorID(platform.displays().screens()[1]), u"screen_1920_80_1440_900"_s);
    }

    void edidGivesTheDisplayNumbersNameAndUuid()
    {
        twoMonitors(false);
        X11Platform platform;
        QSignalSpy changed(&platform.displays(), &Displays::screenParametersChanged);
        xcb_connection_t* c = server_->connection();
        auto* resources = xcb_randr_get_screen_resources_current_reply(
            c, xcb_randr_get_screen_resources_current(c, server_->root()), nullptr);
        QVERIFY(resources);
        const xcb_randr_output_t output =
            xcb_randr_get_screen_resources_current_outputs(resources)[0];
        free(resources);
        const QByteArray edid = sampleEdid();
        xcb_randr_change_output_property(c, output, server_->atom("EDID"), XCB_ATOM_INTEGER, 8,
                                         XCB_PROP_MODE_REPLACE, edid.size(), edid.constData());
        xcb_flush(c);

        QTRY_COMPARE(platform.displays().screens().value(0).vendor, 0x10acu);
        QVERIFY(changed.count() >= 1);
        const corvane::Display a = platform.displays().screens()[0];
        QCOMPARE(a.localizedName, u"Corvane Test"_s);
        QCOMPARE(a.uuid, parseEdid(edid)->uuid);
        QCOMPARE(monitorID(a), u"display_4268_17185_305419896"_s);

        xcb_randr_delete_output_property(c, output, server_->atom("EDID"));
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).vendor, 0u);
        QVERIFY(!platform.displays().screens()[0].uuid);
    }

    // A managed panel shrinks only its own monitor; a bar outside the client list counts too,
    // live; the work area adds a panel of the window manager's own, which has no strut, where the
    // struts do not account for it.
    void everyPanelAndTheWorkAreaAreHonoured()
    {
        twoMonitors(false);
        X11Platform platform;
        xcb_connection_t* c = server_->connection();
        // At the bottom of B: from the bottom of the root window (1080) up to 40 pixels above B's
        // bottom edge (1000).
        const xcb_window_t bottom = server_->createDock(
            QRect(1920, 960, 1440, 40), {0, 0, 0, 120, 0, 0, 0, 0, 0, 0, 1920, 3359});
        QTRY_COMPARE(platform.displays().screens().value(1).visibleFrame,
                     Rect(1920, 100, 1440, 860));
        QCOMPARE(platform.displays().screens()[0].visibleFrame, Rect(0, 0, 1920, 1080));
        xcb_destroy_window(c, bottom);
        const xcb_window_t bar = server_->createDock(
            QRect(0, 0, 1920, 24), {0, 0, 24, 0, 0, 0, 0, 0, 0, 1919, 0, 0}, false);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 24, 1920, 1056));
        QTRY_COMPARE(platform.displays().screens().value(1).visibleFrame,
                     Rect(1920, 100, 1440, 900));

        // 20 pixels along the bottom of the root for the window manager's panel; the top of its
        // work area is the bar's.
        const xcb_atom_t workArea = server_->atom("_NET_WORKAREA");
        const std::uint32_t area[] = {0, 24, 3360, 1036};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, server_->root(), workArea, XCB_ATOM_CARDINAL,
                            32, 4, area);
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 24, 1920, 1036));
        // B ends above that panel.
        QCOMPARE(platform.displays().screens()[1].visibleFrame, Rect(1920, 100, 1440, 900));

        const QList<std::uint32_t> taller{0, 0, 40, 0, 0, 0, 0, 0, 0, 1919, 0, 0};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, bar, server_->atom("_NET_WM_STRUT_PARTIAL"),
                            XCB_ATOM_CARDINAL, 32, taller.size(), taller.constData());
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 40, 1920, 1020));

        xcb_delete_property(c, server_->root(), workArea);
        xcb_unmap_window(c, bar);
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 0, 1920, 1080));
        xcb_destroy_window(c, bar);
        xcb_flush(c);
    }

    // Openbox counts a panel's strut from the root's edge: along the bottom of the upper of two
    // stacked monitors it keeps windows out of the lower one, which Corvane leaves whole. A
    // snap there says that the window was kept out of its zone, and why.
    void aWindowKeptOutOfItsZoneIsToldWithTheReason()
    {
        resetMonitors();
        QVERIFY(server_->setMonitor(u"A"_s, QRect(0, 0, 1920, 540), true, u"screen"_s));
        QVERIFY(server_->setMonitor(u"C"_s, QRect(0, 540, 1920, 540)));
        const xcb_window_t panel =
            server_->createDock(QRect(0, 500, 1920, 40), {0, 0, 0, 580, 0, 0, 0, 0, 0, 0, 0, 1919});
        QTRY_COMPARE(platform_->displays().screens().value(0).visibleFrame, Rect(0, 0, 1920, 500));
        const DisplayList screens = platform_->displays().screens();
        QCOMPARE(screens.value(1).visibleFrame, Rect(0, 540, 1920, 540));
        const auto grid = templateNamed(u"Grid"_s);
        QSignalSpy told(&Notifications::shared(), &Notifications::windowKeptOutOfZone);
        QCOMPARE(WindowSnapper::snap(handle(xlogo_.window), {screens[0], grid->zones[0], 1}),
                 SnapOutcome::Snapped);
        QCOMPARE(WindowSnapper::snap(handle(xlogo_.window), {screens[1], grid->zones[0], 1}),
                 SnapOutcome::KeptOut);
        QCOMPARE(told.count(), 1);
        QVERIFY2(told[0][0].toString().contains(u"all of C"_s), qPrintable(told[0][0].toString()));
        xcb_destroy_window(server_->connection(), panel);
        xcb_flush(server_->connection());
    }

    void addingRemovingAndResizingMonitorsIsNotified()
    {
        twoMonitors(false);
        X11Platform platform;
        QSignalSpy changed(&platform.displays(), &Displays::screenParametersChanged);
        QVERIFY(server_->setMonitor(u"C"_s, QRect(1920, 1000, 1440, 80)));
        QTRY_COMPARE(platform.displays().screens().size(), 3);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(platform.displays().screens()[2].key, u"C"_s);
        QCOMPARE(platform.displays().screens()[2].frame, Rect(1920, 1000, 1440, 80));

        changed.clear();
        QVERIFY(server_->deleteMonitor(u"C"_s));
        QTRY_COMPARE(platform.displays().screens().size(), 2);
        QVERIFY(changed.count() >= 1);

        changed.clear();
        QVERIFY(server_->deleteMonitor(u"B"_s));
        QVERIFY(server_->setMonitor(u"B"_s, QRect(1920, 0, 1280, 720)));
        QTRY_COMPARE(platform.displays().screens().value(1).frame, Rect(1920, 0, 1280, 720));
        QVERIFY(changed.count() >= 1);

        // Nothing changed, nothing is said.
        changed.clear();
        platform.displays().screens();
        QTest::qWait(200);
        QCOMPARE(changed.count(), 0);
    }

    void theMainDisplayIsThePrimaryMonitorWhateverHasTheFocus()
    {
        twoMonitors(true);
        X11Platform platform;
        const auto xterm = server_->startClient(u"xterm"_s, {}, u"xterm"_s);
        QVERIFY(xterm);
        const QString id = QString::number(xterm->window);
        QVERIFY(server_->xdotool({u"windowmove"_s, id, u"100"_s, u"100"_s}));
        QVERIFY(server_->xdotool({u"windowactivate"_s, id}));
        QTest::qWait(200);
        QCOMPARE(platform.displays().mainScreen().value_or(corvane::Display()).key, u"B"_s);
        server_->killProcess(xterm->pid);

        // With no primary monitor, the first one.
        resetMonitors();
        QVERIFY(server_->setMonitor(u"A"_s, QRect(0, 0, 1920, 1080), false, u"screen"_s));
        QVERIFY(server_->setMonitor(u"B"_s, QRect(1920, 100, 1440, 900), false));
        QTRY_COMPARE(platform.displays().screens().size(), 2);
        QCOMPARE(platform.displays().mainScreen().value_or(corvane::Display()).key,
                 platform.displays().screens().first().key);
    }

    void theSessionNamesItsWindowManagerAndItsMoveKey()
    {
        X11Platform platform;
        const WindowManagerInfo wm = platform.session().windowManager();
        QCOMPARE(wm.name, u"Openbox"_s);
        // Openbox moves windows dragged with Alt; a title-bar drag with Shift held stays put.
        QCOMPARE(wm.moveModifierKey, u"option"_s);
        QCOMPARE(wm.titleBarDragMovesWithModifier, std::optional(false));
        const SessionAccess access = platform.session().access();
        QVERIFY(access.windowsReachable);
        QVERIFY(access.remedy.isEmpty());
    }

    void withoutAnXServerTheBackendStillComesUp()
    {
        // A display nobody serves.
        X11Platform platform(":4999");
        QVERIFY(!platform.connection().isConnected());
        WindowSystem& windows = platform.windowSystem();
        QVERIFY(!windows.canMoveWindows());
        QVERIFY(!windows.windowAt({10, 10}));
        QVERIFY(!windows.activeWindow());
        QCOMPARE(windows.setFrame(WindowHandle{42}, Rect(0, 0, 1, 1)), WindowResult::Unavailable);
        QCOMPARE(platform.hotKeys().registerHotKey(35, 4864, 1), HotKeyStatus::Failed);
        const auto connection =
            QObject::connect(&windows, &WindowSystem::moveStarted, [](const WindowMove&) {});
        QObject::disconnect(connection);
        QCOMPARE(windows.heldKeys().value_or(HeldKeys{}).modifiers, Modifiers());
        // Without a toolkit session either there are simply no screens.
        QVERIFY(platform.displays().screens().isEmpty());
        QVERIFY(!platform.displays().mainScreen());
        // The session says what cannot work and what to do.
        QVERIFY(!platform.session().access().windowsReachable);
        QVERIFY(!platform.session().access().remedy.isEmpty());
        QVERIFY(platform.session().windowManager().name.isEmpty());
    }
};

QTEST_GUILESS_MAIN(X11DesktopTest)
#include "tst_x11desktop.moc"
