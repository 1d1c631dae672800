#include "CorvaneApp.h"
#include "TestEnvironment.h"
#include "XServer.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>
#include <X11/keysym.h>

using namespace corvane;
using namespace Qt::StringLiterals;

// The real application on a private X server: two monitors (1440 x 900 primary, 1920 x 1080 to
// its right), openbox, a tray, and real clients moved with synthetic input.
class CorvaneEndToEndTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::XServer> x_;
    std::unique_ptr<test::CorvaneApp> app_;
    test::XServer::Client logo_;
    QSize logoSize_; // its frame before it was ever snapped

    // Whether a window of Corvane covers the second display, as the drag overlay does.
    bool overlayShown() { return app_->coversArea(QRect(1440, 0, 1920, 1080)); }
    // Closes the preferences as the user would, through the window manager.
    void closePreferences()
    {
        x_->xdotool(
            {u"search"_s, u"--name"_s, u"^Preferences$"_s, u"windowactivate"_s, u"--sync"_s});
        // Pressed and released here rather than by xdotool's "key" on the found window: that
        // sends the releases to the window, which is gone by then, and xdotool gives up with
        // Alt and F4 still down, leaving the window manager's key grab active.
        x_->fakeKey(XK_Alt_L, true);
        x_->fakeKey(XK_F4, true);
        x_->fakeKey(XK_F4, false);
        x_->fakeKey(XK_Alt_L, false);
        QTRY_VERIFY_WITH_TIMEOUT(app_->visibleWindows(u"^Preferences$"_s).isEmpty(), 5000);
    }
    // Drags the xlogo window by its title bar to `to` (root coordinates), Shift held or not.
    void dragLogo(const QPoint& to, bool shift)
    {
        app_->press(logo_.window, shift);
        app_->moveTo(to);
    }

private slots:
    void initTestCase()
    {
        if (!test::XServer::isAvailable())
            QSKIP("Xvfb is not installed");
        test::CorvaneApp::Scene scene;
        const QString error = test::CorvaneApp::startScene(scene);
        x_ = std::move(scene.server);
        app_ = std::move(scene.app);
        logo_ = scene.logo;
        QVERIFY2(error.isEmpty(), qPrintable(error));
        logoSize_ = x_->frameGeometry(logo_.window)->size();
    }

    void cleanupTestCase()
    {
        app_.reset();
        x_.reset();
    }

    void theTrayIconIsDocked() { QTRY_VERIFY_WITH_TIMEOUT(app_->trayIcon().has_value(), 5000); }

    void aShiftDragSnapsTheWindowIntoTheNearestZone()
    {
        // No stored choice: the second display uses "Tall"; its top-right zone is at
        // (0.6, 0, 0.4, 0.5) of the 1920 x 1080 display.
        dragLogo(QPoint(1440 + 1700, 200), true);
        QVERIFY2(overlayShown(), "no overlay during the drag");
        app_->release(true);
        const QRect expected(1440 + 1152, 0, 768, 540);
        QTRY_COMPARE_WITH_TIMEOUT(*x_->frameGeometry(logo_.window), expected, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!overlayShown(), 3000);
        QVERIFY(test::CorvaneApp::logText().contains(u"Snapping window to (2592, 0, 768, 540)"_s));
    }

    // Dragged without Shift, the snapped window is dropped outside every zone: it gets back the
    // size it had before the snap, the pointer still half way along its title bar, where it
    // took hold of it. Dragged again, it just moves.
    void aSnappedWindowDroppedOutsideTheZonesGetsItsSizeBack()
    {
        dragLogo(QPoint(700, 500), false);
        QVERIFY(!overlayShown());
        app_->release(false);
        QTRY_COMPARE_WITH_TIMEOUT(x_->frameGeometry(logo_.window)->size(), logoSize_, 3000);
        const QRect restored = *x_->frameGeometry(logo_.window);
        const int titleBar = x_->clientGeometry(logo_.window)->top() - restored.top();
        QVERIFY2(qAbs(restored.center().x() - 700) <= 2 && restored.top() < 500 &&
                     500 < restored.top() + titleBar,
                 qPrintable(u"restored to %1,%2 %3x%4"_s.arg(restored.x())
                                .arg(restored.y())
                                .arg(restored.width())
                                .arg(restored.height())));

        dragLogo(QPoint(900, 600), false);
        app_->release(false);
        const QRect moved = *x_->frameGeometry(logo_.window);
        QCOMPARE(moved.size(), logoSize_);
        QVERIFY(moved.topLeft() != restored.topLeft());
    }

    void aSecondLaunchOpensThePreferencesOfTheFirst()
    {
        QVERIFY(app_->visibleWindows(u"^Preferences$"_s).isEmpty());
        // Qt's own options are taken as in any Qt application.
        QTemporaryFile style;
        QVERIFY(style.open());
        QVERIFY(x_->run(test::CorvaneApp::binaryPath(),
                        {u"-platform"_s, u"xcb"_s, u"-stylesheet"_s, style.fileName()}));
        QTRY_VERIFY_WITH_TIMEOUT(!app_->visibleWindows(u"^Preferences$"_s).isEmpty(), 5000);
        closePreferences();
    }

    void aChoiceFromTheMenuIsStored()
    {
        // Open the status menu from the tray and walk it with the keyboard: the first item that
        // takes the focus is the first display; Right opens its layouts, whose first item is
        // "No Layout".
        const auto icon = app_->trayIcon();
        QVERIFY(icon);
        x_->fakeMotion(icon->center());
        x_->fakeButton(1, true);
        x_->fakeButton(1, false);
        QTest::qWait(700);
        x_->xdotool({u"key"_s, u"Down"_s, u"Right"_s});
        QTest::qWait(300);
        x_->xdotool({u"key"_s, u"Return"_s});
        QTRY_VERIFY_WITH_TIMEOUT(Settings::data(SettingsKeys::monitorLayoutPreferences).has_value(),
                                 5000);
        const auto stored =
            json::decodePreferences(*Settings::data(SettingsKeys::monitorLayoutPreferences));
        QVERIFY(stored);
        QCOMPARE(stored->size(), 1);
        QCOMPARE(stored->first().layoutID, noLayout().uuidString());
    }

    // Any key the preferences take is followed for real: with it held a drag snaps, with Shift
    // it does not. The key is stored before a start, as the preferences page stores it.
    void anyKeyThePreferencesTakeIsTheSnapKey_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<uint>("key");
        QTest::newRow("F5") << u"f5"_s << uint(XK_F5);
        QTest::newRow("Space") << u"space"_s << uint(XK_space);
    }

    void anyKeyThePreferencesTakeIsTheSnapKey()
    {
        QFETCH(QString, stored);
        QFETCH(uint, key);
        Settings::setValue(SettingsKeys::dragModifierKey, stored);
        QVERIFY(app_->restart());
        const QRect before = *x_->frameGeometry(logo_.window);
        app_->pressHolding(logo_.window, XK_Shift_L);
        app_->moveTo(QPoint(1440 + 1700, 600));
        QVERIFY(!overlayShown());
        app_->releaseHolding(XK_Shift_L);
        QCOMPARE(x_->frameGeometry(logo_.window)->size(), before.size());

        app_->pressHolding(logo_.window, key);
        app_->moveTo(QPoint(1440 + 1700, 200));
        QVERIFY2(overlayShown(), "no overlay during the drag");
        app_->releaseHolding(key);
        QTRY_COMPARE_WITH_TIMEOUT(*x_->frameGeometry(logo_.window), QRect(1440 + 1152, 0, 768, 540),
                                  3000);
    }

    // A tool that warps the pointer makes no motion of a device: the window manager moves the
    // window, no drag event comes, and the release point picks the zone (bottom right). The
    // nudge before the warp starts openbox's move; it comes before the drag is seen, as a
    // tool's first step does.
    void aWarpedPointerSnapsWhereItIsReleased()
    {
        app_->pressHolding(logo_.window, XK_space);
        QVERIFY(x_->xdotool({u"mousemove_relative"_s, u"12"_s, u"6"_s}));
        QVERIFY(x_->xdotool({u"mousemove"_s, u"3140"_s, u"900"_s}));
        QTRY_VERIFY_WITH_TIMEOUT(overlayShown(), 3000);
        app_->releaseHolding(XK_space);
        QTRY_COMPARE_WITH_TIMEOUT(*x_->frameGeometry(logo_.window),
                                  QRect(1440 + 1152, 540, 768, 540), 3000);
    }

    // At any scale the drag overlay covers the display's usable area, in device pixels, and
    // the snap lands on the zone's pixels: Qt's scale from the X resources (Xft.dpi 192 gives
    // 2 everywhere), and a fractional scale on one monitor only.
    void atAnyScaleTheOverlayCoversItsDisplay_data()
    {
        QTest::addColumn<QByteArray>("resources");
        QTest::addColumn<QByteArray>("screenFactors");
        QTest::addColumn<int>("zoneTop"); // the right display's top or bottom side zone, in turn
        QTest::newRow("Xft.dpi 192") << QByteArray("Xft.dpi: 192\n") << QByteArray() << 0;
        QTest::newRow("1.5 beside 1") << QByteArray() << QByteArray("Left=1;Right=1.5") << 540;
    }

    void atAnyScaleTheOverlayCoversItsDisplay()
    {
        QFETCH(QByteArray, resources);
        QFETCH(QByteArray, screenFactors);
        QFETCH(int, zoneTop);
        Settings::setValue(SettingsKeys::dragModifierKey, u"shift"_s);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(resources);
        file.close();
        QVERIFY(x_->run(u"xrdb"_s, {u"-load"_s, file.fileName()}));
        if (!screenFactors.isEmpty())
            qputenv("QT_SCREEN_SCALE_FACTORS", screenFactors);
        const bool restarted = app_->restart();
        qunsetenv("QT_SCREEN_SCALE_FACTORS");
        QVERIFY(x_->run(u"xrdb"_s, {u"-remove"_s}));
        QVERIFY(restarted);

        dragLogo(QPoint(1440 + 1700, zoneTop + 200), true);
        QVERIFY2(overlayShown(), "the overlay does not cover the display");
        app_->release(true);
        QTRY_COMPARE_WITH_TIMEOUT(*x_->frameGeometry(logo_.window),
                                  QRect(1440 + 1152, zoneTop, 768, 540), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!overlayShown(), 3000);
    }

    // Help is answered without a display and without starting; with no X server at all the
    // application says so in one line and ends with status 1.
    void theCommandLineIsAnsweredBeforeAnythingStarts()
    {
        const auto run = [](const QStringList& arguments) {
            QProcess process;
            auto environment = QProcessEnvironment::systemEnvironment();
            environment.remove(u"DISPLAY"_s);
            process.setProcessEnvironment(environment);
            process.start(test::CorvaneApp::binaryPath(), arguments);
            process.waitForFinished(10000);
            return std::tuple(process.exitStatus() == QProcess::NormalExit ? process.exitCode()
                                                                           : -1,
                              QString::fromLocal8Bit(process.readAllStandardOutput()),
                              QString::fromLocal8Bit(process.readAllStandardError()));
        };
        const auto [helpCode, help, helpErrors] = run({u"--help"_s});
        QCOMPARE(helpCode, 0);
        QVERIFY2(help.startsWith(u"Usage: corvane [options]"_s), qPrintable(help));
        QVERIFY(!help.contains(u"-platform"_s));
        const auto [allCode, all, allErrors] = run({u"--help-all"_s});
        QCOMPARE(allCode, 0);
        for (const char* option : {"Usage: corvane [options]", "--log-level", "-platform"})
            QVERIFY2(all.contains(QLatin1String(option)), option);
        const auto [code, out, errors] = run({});
        QCOMPARE(code, 1);
        QCOMPARE(errors.trimmed().count(u'\n'), 0);
        QVERIFY2(errors.contains(u"needs an X server"_s) &&
                     errors.contains(u"DISPLAY is not set"_s),
                 qPrintable(errors));
    }

    // In a Wayland session the application stays on X (its overlay is a real X window placed
    // exactly), and says once that native Wayland windows are out of its reach.
    void inAWaylandSessionItStaysOnX()
    {
        const char* session[][2] = {{"XDG_SESSION_TYPE", "wayland"},
                                    {"WAYLAND_DISPLAY", "corvane-test-no-compositor"},
                                    {"QT_QPA_PLATFORM", "wayland"}};
        for (const auto& [name, value] : session)
            qputenv(name, value);
        const bool restarted = app_->restart();
        for (const auto& [name, value] : session)
            qunsetenv(name);
        QVERIFY(restarted);
        QCOMPARE(
            test::CorvaneApp::logCount(u"Only X11 windows can be snapped in a Wayland session"_s),
            1);
        dragLogo(QPoint(1440 + 1700, 200), true);
        QVERIFY2(overlayShown(), "no overlay during the drag");
        app_->release(true);
        QTRY_VERIFY_WITH_TIMEOUT(!overlayShown(), 3000);
    }
};

QTEST_GUILESS_MAIN(CorvaneEndToEndTest)
#include "tst_corvane.moc"
