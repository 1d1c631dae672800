// SPDX-License-Identifier: GPL-3.0-or-later
#include "CorvaneApp.h"
#include "TestEnvironment.h"
#include "XServer.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11WindowSystem.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;
using corvane::test::XServer;

// Window managers as they ship, one after the other on one X server with two monitors side by
// side: A (1920 x 1080, primary) and B (1440 x 900) to its right. Each test starts its window
// manager with its stock configuration and ends it. What a window must become is worked out
// here from the monitors and the panels the X server shows, never from what Corvane says.
class X11WindowManagersTest : public QObject {
    Q_OBJECT
    std::unique_ptr<XServer> server_;
    std::unique_ptr<X11Platform> platform_;
    qint64 windowManager_ = 0;
    QList<qint64> clients_;

    WindowSystem& windows() { return platform_->windowSystem(); }

    bool startWindowManager(const QString& program, const QStringList& arguments)
    {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return false;
        windowManager_ = server_->startWindowManager(program, arguments);
        return windowManager_ > 0;
    }

    std::optional<XServer::Client> startXlogo()
    {
        auto client =
            server_->startClient(u"xlogo"_s, {u"-geometry"_s, u"300x200+300+300"_s}, u"xlogo"_s);
        if (client)
            clients_.append(client->pid);
        return client;
    }

    // The window's frame once it stops changing.
    QRect settledFrame(xcb_window_t client)
    {
        QRect last;
        for (int same = 0; same < 3;) {
            QTest::qWait(50);
            const QRect now = server_->frameGeometry(client).value_or(QRect());
            same = now == last ? same + 1 : 0;
            last = now;
        }
        return last;
    }

    // Each target, one on each monitor, is where the window's frame ends up.
    void snapsExactly(xcb_window_t client)
    {
        const WindowHandle window = X11WindowSystem::handle(client);
        for (const Rect& target : {Rect(200, 150, 640, 480), Rect(2000, 100, 700, 500)}) {
            QCOMPARE(windows().setFrame(window, target), WindowResult::Done);
            QCOMPARE(settledFrame(client),
                     QRect(int(target.x), int(target.y), int(target.width), int(target.height)));
        }
    }

private slots:
    void initTestCase()
    {
        if (!XServer::isAvailable())
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        XServer::Options options;
        options.windowManager = false;
        options.monitors = {{u"A"_s, QRect(0, 0, 1920, 1080), true, u"screen"_s},
                            {u"B"_s, QRect(1920, 0, 1440, 900)}};
        server_ = std::make_unique<XServer>(options);
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
        test::resetStores();
        platform_ = std::make_unique<X11Platform>();
        QVERIFY(windows().canMoveWindows());
    }

    void cleanup()
    {
        for (qint64 pid : std::exchange(clients_, {}))
            server_->killProcess(pid);
        if (windowManager_ > 0)
            server_->killProcess(std::exchange(windowManager_, 0));
    }

    void cleanupTestCase()
    {
        platform_.reset();
        server_.reset();
    }

    // herbstluftwm announces _NET_MOVERESIZE_WINDOW and ignores it; a configure request moves
    // the window. It puts the client, not the frame, where a request says: the frame is asked
    // for again, less the decorations.
    void aMoveTheWindowManagerIgnoresIsMadeTheNextWay()
    {
        if (!startWindowManager(u"herbstluftwm"_s, {}))
            QSKIP("herbstluftwm is not installed (scripts/install-deps installs it)");
        QVERIFY(server_->run(u"herbstclient"_s, {u"floating"_s, u"on"_s}));
        const auto xlogo = startXlogo();
        QVERIFY(xlogo);
        snapsExactly(xlogo->window);
    }

    // awesome puts a client asking for static gravity, as Qt's windows do (the KWin session
    // test's), with its corner where the frame was asked to go: the frame is asked again.
    void underAwesomeAQtWindowLandsExactly()
    {
        if (!startWindowManager(u"awesome"_s, {}))
            QSKIP("awesome is not installed (scripts/install-deps installs it)");
        qputenv("QT_QPA_PLATFORM", "xcb");
        const auto window = server_->startClient(QCoreApplication::applicationDirPath() +
                                                     u"/kwin_tst_kwinsession"_s,
                                                 {u"--show-window"_s}, u"kwin_tst_kwinsession"_s);
        QVERIFY(window);
        clients_.append(window->pid);
        snapsExactly(window->window);
    }

    // i3 publishes no frame extents and holds i3bar (the panel with the strut) in a container of
    // its own. The visible window is i3's frame; the display ends at the bar.
    void underI3TheFrameFillsTheZoneAndTheBarIsAPanel()
    {
        if (!startWindowManager(u"i3"_s, {u"-c"_s, u"/etc/i3/config"_s}))
            QSKIP("i3 is not installed (scripts/install-deps installs it)");
        // i3bar is in none of i3's lists: it is looked for in the whole tree.
        QByteArray found;
        QTRY_VERIFY_WITH_TIMEOUT(
            server_->xdotool({u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"i3bar"_s}, &found),
            10000);
        const QRect barRect =
            server_->clientGeometry(found.split('\n').first().toUInt()).value_or(QRect());
        // The monitor the bar is on; it ends at the bar: that is its visible frame.
        const QRect monitor = QRect(0, 0, 1920, 1080).contains(barRect.topLeft())
                                  ? QRect(0, 0, 1920, 1080)
                                  : QRect(1920, 0, 1440, 900);
        QVERIFY(monitor.contains(barRect.topLeft()));
        const QRect usable = monitor.adjusted(0, 0, 0, barRect.top() - monitor.bottom() - 1);
        const Rect visible(usable.x(), usable.y(), usable.width(), usable.height());
        const auto hasVisibleFrame = [&] {
            const DisplayList screens = platform_->displays().screens();
            return std::any_of(screens.cbegin(), screens.cend(), [&](const corvane::Display& d) {
                return d.visibleFrame == visible;
            });
        };
        QTRY_VERIFY(hasVisibleFrame());

        const auto xlogo = startXlogo();
        QVERIFY(xlogo);
        QVERIFY(server_->run(u"i3-msg"_s, {u"[class=\"XLogo\"] floating enable"_s}));
        // The lower half of the monitor with the bar.
        const QRect half(usable.x(), usable.y() + usable.height() / 2, usable.width(),
                         usable.height() - usable.height() / 2);
        QCOMPARE(windows().setFrame(X11WindowSystem::handle(xlogo->window),
                                    Rect(half.x(), half.y(), half.width(), half.height())),
                 WindowResult::Done);
        QCOMPARE(settledFrame(xlogo->window), half);
    }

    // Openbox as it ships keeps a Shift drag on the title bar for itself: the window stays, on
    // whichever display the pointer ends, and nothing is snapped.
    void aDragTheWindowManagerRefusedSnapsNothingOnAnyDisplay()
    {
        if (qEnvironmentVariable("XDG_DATA_HOME").isEmpty())
            QSKIP("XDG_DATA_HOME is not set (run the test through ctest)");
        QVERIFY(startWindowManager(u"openbox"_s, {u"--sm-disable"_s}));
        Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
        QDir(qEnvironmentVariable("XDG_DATA_HOME")).removeRecursively();
        test::CorvaneApp app(*server_);
        QVERIFY(app.start() > 0);
        clients_.append(app.pid());
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::isReady(), 10000);
        const auto xlogo = startXlogo();
        QVERIFY(xlogo);
        const QRect before = settledFrame(xlogo->window);

        for (const QPoint& to : {QPoint(900, 700), QPoint(2600, 400)}) {
            app.press(xlogo->window, true);
            app.moveTo(to);
            app.release(true);
            QCOMPARE(settledFrame(xlogo->window), before);
        }
        QTRY_COMPARE(test::CorvaneApp::logCount(u"moved no window"_s), 2);
        QCOMPARE(test::CorvaneApp::logCount(u"Snapping window"_s), 0);
    }
};

QTEST_GUILESS_MAIN(X11WindowManagersTest)
#include "tst_x11windowmanagers.moc"
