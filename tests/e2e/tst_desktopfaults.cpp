// SPDX-License-Identifier: GPL-3.0-or-later
#include "CorvaneApp.h"
#include "TestEnvironment.h"
#include "XServer.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

const QRect rightDisplay(1440, 0, 1920, 1080);

} // namespace

// Faults of the desktop around the real application, one at a time, on a private X server
// with two monitors (1440 x 900 primary, 1920 x 1080 to its right), openbox and a tray. After
// each fault the application must still snap a window (or, for the tray, show its icon in the
// new tray); when the X server goes away it must end by itself, cleanly, and say why in its log.
class DesktopFaultsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::XServer> x_;
    std::unique_ptr<test::CorvaneApp> app_;
    QTemporaryDir directory_;
    test::XServer::Client logo_;
    qint64 trayer_ = 0;
    qint64 openbox_ = 0; // the window manager started here, once there is one
    bool nextZoneIsTop_ = true;

    bool isRunning() { return !x_->waitForExit(app_->pid(), 0); }

    // Shift-drags the xlogo window onto the right display's top or bottom side zone (in turn,
    // so that it always moves) and checks that it lands there and the overlay goes.
    void checkASnapStillWorks()
    {
        const int y = nextZoneIsTop_ ? 0 : 540;
        nextZoneIsTop_ = !nextZoneIsTop_;
        app_->press(logo_.window, true);
        app_->moveTo(QPoint(1440 + 1700, y + 270));
        QVERIFY2(app_->coversArea(rightDisplay), "no overlay during the drag");
        app_->release(true);
        QTRY_COMPARE_WITH_TIMEOUT(*x_->frameGeometry(logo_.window), QRect(2592, y, 768, 540), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!app_->coversArea(rightDisplay), 5000);
    }

    qint64 startOpenbox(bool replace)
    {
        QStringList arguments{u"--sm-disable"_s, u"--config-file"_s,
                              directory_.filePath(u"rc.xml"_s)};
        if (replace)
            arguments.prepend(u"--replace"_s);
        return x_->startProcess(u"openbox"_s, arguments);
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
        trayer_ = scene.tray;
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QTRY_VERIFY_WITH_TIMEOUT(app_->trayIcon().has_value(), 5000);
    }

    void cleanupTestCase()
    {
        app_.reset();
        x_.reset();
    }

    void theDraggedWindowIsDestroyedInTheMiddleOfTheDrag()
    {
        const auto victim =
            x_->startClient(u"xlogo"_s, {u"-geometry"_s, u"300x200+300+350"_s}, u"xlogo"_s, 10000);
        QVERIFY(victim);
        app_->press(victim->window, true);
        app_->moveTo(QPoint(1440 + 1700, 200));
        QVERIFY2(app_->coversArea(rightDisplay), "no overlay during the drag");
        QVERIFY(x_->killProcess(victim->pid));
        QVERIFY(x_->waitForWindowGone(victim->window));
        app_->moveTo(QPoint(1440 + 1700, 300));
        app_->release(true);
        QTRY_VERIFY_WITH_TIMEOUT(!app_->coversArea(rightDisplay), 5000);
        QVERIFY(isRunning());
        checkASnapStillWorks();
    }

    void theWindowManagerIsReplacedDuringADrag()
    {
        const QString rc = directory_.filePath(u"rc.xml"_s);
        QFile file(rc);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(test::CorvaneApp::openboxConfig().toUtf8());
        file.close();

        const xcb_window_t oldFrame = x_->frameOf(logo_.window);
        app_->press(logo_.window, true);
        app_->moveTo(QPoint(1440 + 500, 500));
        QVERIFY2(app_->coversArea(rightDisplay), "no overlay during the drag");
        openbox_ = startOpenbox(true);
        QVERIFY(openbox_ > 0);
        // The new window manager has taken the window over once it framed it anew.
        QTRY_VERIFY_WITH_TIMEOUT(x_->frameOf(logo_.window) != oldFrame &&
                                     x_->frameOf(logo_.window) != logo_.window,
                                 10000);
        app_->moveTo(QPoint(1440 + 300, 600));
        app_->release(true);
        // The gesture still ends in a snap: the main zone of the right display.
        QTRY_COMPARE_WITH_TIMEOUT(*x_->frameGeometry(logo_.window), QRect(1440, 0, 1152, 1080),
                                  5000);
        QTRY_VERIFY_WITH_TIMEOUT(!app_->coversArea(rightDisplay), 5000);
        QVERIFY(isRunning());
        checkASnapStillWorks();
    }

    // Its properties stay on the root, so a request sent to it would go nowhere: the window is
    // moved directly instead, and the snap is not claimed for a window that stayed put.
    void theWindowManagerDiesDuringADrag()
    {
        QVERIFY(openbox_ > 0);
        app_->press(logo_.window, true);
        app_->moveTo(QPoint(1440 + 1700, 200));
        QVERIFY2(app_->coversArea(rightDisplay), "no overlay during the drag");
        QVERIFY(x_->killProcess(openbox_));
        QTRY_COMPARE_WITH_TIMEOUT(x_->frameOf(logo_.window), logo_.window, 5000);
        app_->moveTo(QPoint(1440 + 1700, 300));
        app_->release(true);
        QTRY_COMPARE_WITH_TIMEOUT(*x_->frameGeometry(logo_.window), QRect(2592, 0, 768, 540), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!app_->coversArea(rightDisplay), 5000);
        QVERIFY(isRunning());
        // A window manager again, for the faults that follow.
        openbox_ = startOpenbox(false);
        QVERIFY(openbox_ > 0);
        QTRY_VERIFY_WITH_TIMEOUT(x_->frameOf(logo_.window) != logo_.window, 10000);
        nextZoneIsTop_ = false;
        checkASnapStillWorks();
    }

    void aMonitorIsRemovedWhileItsOverlayIsShown()
    {
        const QString changed = u"Display configuration changed"_s;
        const int changes = test::CorvaneApp::logCount(changed);
        app_->press(logo_.window, true);
        app_->moveTo(QPoint(1440 + 1000, 500));
        QVERIFY2(app_->coversArea(rightDisplay), "no overlay during the drag");
        QVERIFY(x_->deleteMonitor(u"Right"_s));
        // Back for the tests that follow, also when this one fails.
        auto restore = qScopeGuard([this] { x_->setMonitor(u"Right"_s, rightDisplay); });
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::logCount(changed) > changes, 5000);
        // The overlay of a display that is gone goes with it, while the drag goes on.
        QTRY_VERIFY_WITH_TIMEOUT(!app_->coversArea(rightDisplay), 5000);
        app_->moveTo(QPoint(1440 + 1200, 600));
        QVERIFY(!app_->coversArea(rightDisplay));
        const int snaps = test::CorvaneApp::logCount(u"Snapping window to"_s);
        app_->release(true);
        QVERIFY(isRunning());
        // Released over no display: nothing to snap to.
        QCOMPARE(test::CorvaneApp::logCount(u"Snapping window to"_s), snaps);

        restore.dismiss();
        QVERIFY(x_->setMonitor(u"Right"_s, rightDisplay));
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::logCount(changed) > changes + 1, 5000);
        QTest::qWait(1500); // the layouts are applied to the display again after a delay
        checkASnapStillWorks();
    }

    void theTrayGoesAwayAndComesBack()
    {
        QVERIFY(app_->trayIcon().has_value());
        QVERIFY(x_->killProcess(trayer_));
        QTest::qWait(500);
        QVERIFY(isRunning());
        trayer_ = test::CorvaneApp::startTray(*x_);
        QVERIFY(trayer_ > 0);
        QTRY_VERIFY_WITH_TIMEOUT(app_->trayIcon().has_value(), 10000);
        QVERIFY(isRunning());
        checkASnapStillWorks();
    }

    void theXServerGoesAway()
    {
        QVERIFY(isRunning());
        QVERIFY(x_->killServer());
        const auto exit = x_->waitForExit(app_->pid(), 10000);
        QVERIFY2(exit, "the application still runs without its X server");
        QVERIFY2(!exit->crashed, "the application crashed");
        QCOMPARE(exit->code, 1);
        // Corvane's own connection or Qt's may notice first; either says so in the log.
        const QString log = test::CorvaneApp::logText();
        QVERIFY2(log.contains(u"The connection to the X server was lost"_s) ||
                     log.contains(u"Qt: The X11 connection broke"_s),
                 "no log line about the X server");
    }
};

QTEST_GUILESS_MAIN(DesktopFaultsTest)
#include "tst_desktopfaults.moc"
