#include "TestEnvironment.h"
#include "XServer.h"
#include "platform/x11/Edid.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11Session.h"
#include "platform/x11/XcbConnection.h"

#include <QSignalSpy>
#include <QTest>
#include <xcb/randr.h>

using namespace corvane;
using corvane::test::XServer;

namespace {

// A base EDID block for a made-up monitor: vendor 0x10ac, product 0x4321, serial 0x12345678,
// named "Corvane Test".
QByteArray sampleEdid()
{
    QByteArray edid(128, '\0');
    const unsigned char header[] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00,
                                    0x10, 0xac, 0x21, 0x43, 0x78, 0x56, 0x34, 0x12};
    for (int i = 0; i < 16; ++i)
        edid[i] = char(header[i]);
    const int at = 54 + 18; // the second descriptor
    edid[at + 3] = char(0xfc);
    const QByteArray name = "Corvane Test\n";
    for (int i = 0; i < name.size(); ++i)
        edid[at + 5 + i] = name[i];
    return edid;
}

} // namespace

class X11DisplaysTest : public QObject {
    Q_OBJECT
    std::unique_ptr<XServer> server_;

    void resetMonitors()
    {
        for (const char* name : {"A", "B", "C"})
            server_->deleteMonitor(QString::fromLatin1(name));
    }

    // A on the left with Xvfb's one output, B to its right and 100 pixels lower.
    void twoMonitors(bool primaryB)
    {
        resetMonitors();
        QVERIFY(server_->setMonitor(QStringLiteral("A"), QRect(0, 0, 1920, 1080), !primaryB,
                                    QStringLiteral("screen")));
        QVERIFY(server_->setMonitor(QStringLiteral("B"), QRect(1920, 100, 1440, 900), primaryB));
    }

    // A panel; an unmanaged one stays out of the window manager's client list, as a tiling
    // window manager's own bar does.
    xcb_window_t createDock(const QRect& rect, const QList<std::uint32_t>& strut,
                            bool managed = true)
    {
        xcb_connection_t* c = server_->connection();
        const xcb_window_t w = xcb_generate_id(c);
        const std::uint32_t overrideRedirect = managed ? 0 : 1;
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, server_->root(), rect.x(), rect.y(),
                          rect.width(), rect.height(), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
        const xcb_atom_t dock = server_->atom("_NET_WM_WINDOW_TYPE_DOCK");
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, server_->atom("_NET_WM_WINDOW_TYPE"),
                            XCB_ATOM_ATOM, 32, 1, &dock);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, server_->atom("_NET_WM_STRUT_PARTIAL"),
                            XCB_ATOM_CARDINAL, 32, strut.size(), strut.constData());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, 10,
                            "dock\0Dock\0");
        xcb_map_window(c, w);
        xcb_flush(c);
        return w;
    }

private slots:
    void initTestCase()
    {
        if (!XServer::isAvailable())
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        server_ = std::make_unique<XServer>();
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
    }

    void cleanupTestCase() { server_.reset(); }

    void monitorsAreListedPrimaryFirstInScreenSpace()
    {
        twoMonitors(true);
        X11Platform platform;
        QVERIFY(platform.accessibility().isProcessTrusted(false));
        const DisplayList screens = platform.displays().screens();
        QCOMPARE(screens.size(), 2);
        // B is primary: it comes first and is the origin of screen space.
        QCOMPARE(screens[0].key, QStringLiteral("B"));
        QCOMPARE(screens[0].frame, Rect(0, 0, 1440, 900));
        QCOMPARE(screens[1].key, QStringLiteral("A"));
        QCOMPARE(screens[1].frame, Rect(-1920, -80, 1920, 1080));
        QCOMPARE(platform.displays().primaryOriginInGlobal(), QPointF(1920, 100));
        // Only A has an output: it has a number and is named after the output.
        QVERIFY(!screens[0].number);
        QVERIFY(screens[1].number);
        QCOMPARE(screens[1].localizedName, QStringLiteral("screen"));
        QCOMPARE(screens[0].localizedName, QStringLiteral("B"));
        QCOMPARE(monitorID(screens[0]), QStringLiteral("screen_0_0_1440_900"));
        QCOMPARE(monitorID(screens[1]), QStringLiteral("displayid_%1").arg(*screens[1].number));
        // With no panels and no work area, the visible frame is the whole monitor.
        QCOMPARE(screens[1].visibleFrame, screens[1].frame);

        twoMonitors(false);
        QTRY_COMPARE(platform.displays().screens().value(0).key, QStringLiteral("A"));
        QCOMPARE(platform.displays().screens()[0].frame, Rect(0, 0, 1920, 1080));
        QCOMPARE(platform.displays().screens()[1].frame, Rect(1920, 80, 1440, 900));
        QCOMPARE(platform.displays().primaryOriginInGlobal(), QPointF(0, 0));
        // The one conversion to the toolkit's coordinates agrees with the server's.
        QCOMPARE(platform.displays().toGlobal(platform.displays().screens()[1].frame),
                 QRectF(1920, 100, 1440, 900));
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
        QCOMPARE(a.model, 0x4321u);
        QCOMPARE(a.serial, 0x12345678u);
        QCOMPARE(a.localizedName, QStringLiteral("Corvane Test"));
        QCOMPARE(a.uuid, parseEdid(edid)->uuid);
        QCOMPARE(monitorID(a), QStringLiteral("display_4268_17185_305419896"));

        xcb_randr_delete_output_property(c, output, server_->atom("EDID"));
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).vendor, 0u);
        QVERIFY(!platform.displays().screens()[0].uuid);
    }

    void aDockShrinksOnlyItsOwnMonitor()
    {
        twoMonitors(false);
        X11Platform platform;
        // A panel 30 pixels high along the top of A.
        const xcb_window_t dock =
            createDock(QRect(0, 0, 1920, 30), {0, 0, 30, 0, 0, 0, 0, 0, 0, 1919, 0, 0});
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 0, 1920, 1050));
        QCOMPARE(platform.displays().screens()[0].frame, Rect(0, 0, 1920, 1080));
        QCOMPARE(platform.displays().screens()[1].visibleFrame, Rect(1920, 80, 1440, 900));

        // A panel at the bottom of B reaches from the bottom of the root window (1080) up to 40
        // pixels above B's bottom edge (1000).
        const xcb_window_t bottom =
            createDock(QRect(1920, 960, 1440, 40), {0, 0, 0, 120, 0, 0, 0, 0, 0, 0, 1920, 3359});
        QTRY_COMPARE(platform.displays().screens().value(1).visibleFrame,
                     Rect(1920, 120, 1440, 860));
        QCOMPARE(platform.displays().screens()[0].visibleFrame, Rect(0, 0, 1920, 1050));

        xcb_destroy_window(server_->connection(), dock);
        xcb_destroy_window(server_->connection(), bottom);
        xcb_flush(server_->connection());
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 0, 1920, 1080));
        QTRY_COMPARE(platform.displays().screens().value(1).visibleFrame,
                     Rect(1920, 80, 1440, 900));
    }

    // A bar outside the client list counts, live; the work area adds a panel of the window
    // manager's own, which has no strut, where the struts do not account for it.
    void everyPanelAndTheWorkAreaAreHonoured()
    {
        twoMonitors(false);
        X11Platform platform;
        xcb_connection_t* c = server_->connection();
        const xcb_window_t bar =
            createDock(QRect(0, 0, 1920, 24), {0, 0, 24, 0, 0, 0, 0, 0, 0, 1919, 0, 0}, false);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 0, 1920, 1056));

        // 20 pixels along the bottom of the root for the window manager's panel; the top of its
        // work area is the bar's.
        const xcb_atom_t workArea = server_->atom("_NET_WORKAREA");
        const std::uint32_t area[] = {0, 24, 3360, 1036};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, server_->root(), workArea, XCB_ATOM_CARDINAL,
                            32, 4, area);
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 20, 1920, 1036));
        // B ends above that panel.
        QCOMPARE(platform.displays().screens()[1].visibleFrame, Rect(1920, 80, 1440, 900));

        const QList<std::uint32_t> taller{0, 0, 40, 0, 0, 0, 0, 0, 0, 1919, 0, 0};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, bar, server_->atom("_NET_WM_STRUT_PARTIAL"),
                            XCB_ATOM_CARDINAL, 32, taller.size(), taller.constData());
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 20, 1920, 1020));

        xcb_delete_property(c, server_->root(), workArea);
        xcb_unmap_window(c, bar);
        xcb_flush(c);
        QTRY_COMPARE(platform.displays().screens().value(0).visibleFrame, Rect(0, 0, 1920, 1080));
        xcb_destroy_window(c, bar);
        xcb_flush(c);
    }

    void addingRemovingAndResizingMonitorsIsNotified()
    {
        twoMonitors(false);
        X11Platform platform;
        QSignalSpy changed(&platform.displays(), &Displays::screenParametersChanged);
        QVERIFY(server_->setMonitor(QStringLiteral("C"), QRect(1920, 1000, 1440, 80)));
        QTRY_COMPARE(platform.displays().screens().size(), 3);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(platform.displays().screens()[2].key, QStringLiteral("C"));
        QCOMPARE(platform.displays().screens()[2].frame, Rect(1920, 0, 1440, 80));

        changed.clear();
        QVERIFY(server_->deleteMonitor(QStringLiteral("C")));
        QTRY_COMPARE(platform.displays().screens().size(), 2);
        QVERIFY(changed.count() >= 1);

        changed.clear();
        QVERIFY(server_->deleteMonitor(QStringLiteral("B")));
        QVERIFY(server_->setMonitor(QStringLiteral("B"), QRect(1920, 0, 1280, 720)));
        QTRY_COMPARE(platform.displays().screens().value(1).frame, Rect(1920, 360, 1280, 720));
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
        const auto xterm =
            server_->startClient(QStringLiteral("xterm"), {}, QStringLiteral("xterm"));
        QVERIFY(xterm);
        const QString id = QString::number(xterm->window);
        QVERIFY(server_->xdotool(
            {QStringLiteral("windowmove"), id, QStringLiteral("100"), QStringLiteral("100")}));
        QVERIFY(server_->xdotool({QStringLiteral("windowactivate"), id}));
        QTest::qWait(200);
        QCOMPARE(platform.displays().mainScreen().value_or(corvane::Display()).key,
                 QStringLiteral("B"));
        server_->killProcess(xterm->pid);

        // With no primary monitor, the first one.
        resetMonitors();
        QVERIFY(server_->setMonitor(QStringLiteral("A"), QRect(0, 0, 1920, 1080), false,
                                    QStringLiteral("screen")));
        QVERIFY(server_->setMonitor(QStringLiteral("B"), QRect(1920, 100, 1440, 900), false));
        QTRY_COMPARE(platform.displays().screens().size(), 2);
        QCOMPARE(platform.displays().mainScreen().value_or(corvane::Display()).key,
                 platform.displays().screens().first().key);
    }

    void theSessionNamesItsWindowManagerAndItsMoveKey()
    {
        X11Platform platform;
        const WindowManagerInfo wm = platform.session().windowManager();
        QCOMPARE(wm.name, QStringLiteral("Openbox"));
        // Openbox moves windows dragged with Alt; a title-bar drag with Shift held stays put.
        QCOMPARE(wm.moveModifierKey, QStringLiteral("option"));
        QCOMPARE(wm.titleBarDragMovesWithModifier, std::optional(false));
        // KWin tiles a window dragged with Shift held and moves one dragged with Super.
        const WindowManagerInfo kwin = X11Session::bindingFor(QStringLiteral("KWin"));
        QCOMPARE(kwin.moveModifierKey, QStringLiteral("command"));
        QCOMPARE(kwin.titleBarDragMovesWithModifier, std::optional(false));
        const SessionAccess access = platform.session().access();
        QVERIFY(access.windowsReachable);
        QVERIFY(access.remedy.isEmpty());
    }

    void withoutAnXServerTheBackendStillComesUp()
    {
        // A display nobody serves.
        X11Platform platform(":4999");
        QVERIFY(!platform.connection().isConnected());
        QVERIFY(!platform.accessibility().isProcessTrusted(true));
        Accessibility& ax = platform.accessibility();
        QVERIFY(!ax.elementAtPosition(ax.systemWide(), {10, 10}));
        QCOMPARE(ax.copyAttribute(ax.applicationElement(::getpid()), AXAttribute::role).error,
                 AXError::APIDisabled);
        QCOMPARE(ax.setAttribute(ax.applicationElement(::getpid()), AXAttribute::size, Size{1, 1}),
                 AXError::APIDisabled);
        QVERIFY(!platform.windowServer().windowList(0));
        QVERIFY(!platform.windowServer().describeWindows({1}));
        QCOMPARE(platform.hotKeys().registerHotKey(35, 4864, 1), HotKeyStatus::Failed);
        const auto id = platform.inputMonitor().addGlobalMonitor(70, [](const MouseEvent&) {});
        platform.inputMonitor().removeMonitor(id);
        QCOMPARE(platform.inputMonitor().modifierFlags(), 0u);
        // Without a toolkit session either there are simply no screens.
        QVERIFY(platform.displays().screens().isEmpty());
        QVERIFY(!platform.displays().mainScreen());
        // The session says what cannot work and what to do.
        QVERIFY(!platform.session().access().windowsReachable);
        QVERIFY(!platform.session().access().remedy.isEmpty());
        QVERIFY(platform.session().windowManager().name.isEmpty());
    }
};

QTEST_GUILESS_MAIN(X11DisplaysTest)
#include "tst_x11displays.moc"
