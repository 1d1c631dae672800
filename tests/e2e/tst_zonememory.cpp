// SPDX-License-Identifier: GPL-3.0-or-later
#include "CorvaneApp.h"
#include "XServer.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// The real application under openbox, remembering where windows are: a new window opens in the
// zone its application's last window was snapped into, snapped windows follow a layout change,
// snap-all, the windows sharing a zone take turns, and the keys move a window up and down.
class CorvaneZoneMemoryTest : public QObject {
    Q_OBJECT
private:
    test::CorvaneApp::Scene scene_;

    test::XServer& x() { return *scene_.server; }
    // The zone of a built-in layout on the left display (1440 x 900).
    static QRect zone(const QString& layout, int number)
    {
        const Rect z = templateNamed(layout)->zones.at(number - 1).frame;
        return QRect(qRound(z.x * 1440), qRound(z.y * 900), qRound(z.width * 1440),
                     qRound(z.height * 900));
    }
    QRect frameOf(xcb_window_t window) { return x().frameGeometry(window).value_or(QRect()); }
    bool corvane(const QStringList& arguments)
    {
        return x().run(test::CorvaneApp::binaryPath(), arguments);
    }
    std::optional<test::XServer::Client> openLogo()
    {
        auto logo = x().startClient(u"xlogo"_s, {u"-geometry"_s, u"300x200+100+500"_s}, u"xlogo"_s);
        if (logo)
            x().waitForViewable(logo->window);
        return logo;
    }
    void closeLogo(const test::XServer::Client& logo)
    {
        QVERIFY(x().killProcess(logo.pid));
        QVERIFY(x().waitForWindowGone(logo.window));
    }
    bool activate(xcb_window_t window)
    {
        return x().xdotool({u"windowactivate"_s, u"--sync"_s, QString::number(window)}) &&
               QTest::qWaitFor([&] {
                   return x().property(x().root(), "_NET_ACTIVE_WINDOW").value(0) == window;
               });
    }
    bool key(const QString& keys) { return x().xdotool({u"key"_s, keys}); }

private slots:
    void initTestCase()
    {
        if (!test::XServer::isAvailable())
            QSKIP("Xvfb is not installed");
        const QString error = test::CorvaneApp::startScene(scene_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void aNewWindowOpensInTheZoneItsClosedPredecessorWasSnappedIntoAlsoAfterARestart()
    {
        QVERIFY(activate(scene_.logo.window));
        QVERIFY(key(u"ctrl+super+2"_s));
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(scene_.logo.window), zone(u"Tall"_s, 2), 3000);
        closeLogo(scene_.logo);
        // Written once the snaps of a moment are over.
        QTRY_VERIFY_WITH_TIMEOUT(
            (Settings::reload(), Settings::contains(SettingsKeys::applicationZones)), 3000);
        QVERIFY(scene_.app->restart());
        const auto next = openLogo();
        QVERIFY(next);
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(next->window), zone(u"Tall"_s, 2), 3000);
        scene_.logo = *next;
    }

    void anExcludedApplicationsNewWindowOpensWhereItAsks()
    {
        QVERIFY(Settings::setExcludedApplications({u"XLogo"_s}));
        QVERIFY(scene_.app->restart());
        const auto excluded = openLogo();
        QVERIFY(excluded);
        QTest::qWait(500);
        QCOMPARE(frameOf(excluded->window).topLeft(), QPoint(100, 500));
        closeLogo(*excluded);
        QVERIFY(Settings::setExcludedApplications({}));
        QVERIFY(scene_.app->restart());
    }

    void aSnappedWindowFollowsToTheZoneOfTheSameNumberInTheNewLayout()
    {
        QVERIFY(activate(scene_.logo.window));
        QVERIFY(key(u"ctrl+super+1"_s));
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(scene_.logo.window), zone(u"Tall"_s, 1), 3000);
        QVERIFY(corvane({u"--apply-layout"_s, u"Halves"_s, u"--display"_s, u"1"_s}));
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(scene_.logo.window), zone(u"Halves"_s, 1), 3000);
    }

    // Two windows in the left half: Ctrl+Super+Page Down and Page Up switch between them.
    void theWindowsOfOneZoneTakeTurnsAndSnapAllFillsTheZones()
    {
        const auto second = openLogo();
        QVERIFY(second);
        // Opened in the last zone of its application: the left half, beside the first.
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(second->window), zone(u"Halves"_s, 1), 3000);
        QVERIFY(activate(second->window));
        for (const xcb_window_t expected : {scene_.logo.window, second->window}) {
            QVERIFY(key(u"ctrl+super+Next"_s));
            QTRY_COMPARE_WITH_TIMEOUT(x().property(x().root(), "_NET_ACTIVE_WINDOW").value(0),
                                      expected, 3000);
        }
        QVERIFY(key(u"ctrl+super+Prior"_s));
        QTRY_COMPARE_WITH_TIMEOUT(x().property(x().root(), "_NET_ACTIVE_WINDOW").value(0),
                                  scene_.logo.window, 3000);
        // Moved to the right by hand, then snap-all puts it in the right half.
        QVERIFY(
            x().xdotool({u"windowmove"_s, QString::number(second->window), u"900"_s, u"100"_s}));
        QTRY_VERIFY_WITH_TIMEOUT(frameOf(second->window).x() >= 880, 3000);
        QVERIFY(corvane({u"--snap-all"_s, u"--display"_s, u"1"_s}));
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(second->window), zone(u"Halves"_s, 2), 3000);
        QCOMPARE(frameOf(scene_.logo.window), zone(u"Halves"_s, 1));
        closeLogo(*second);
    }

    void upAndDownMoveBetweenTheRowsOfGrid()
    {
        QVERIFY(corvane({u"--apply-layout"_s, u"Grid"_s, u"--display"_s, u"1"_s}));
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(scene_.logo.window), zone(u"Grid"_s, 1), 3000);
        QVERIFY(activate(scene_.logo.window));
        QVERIFY(key(u"ctrl+super+Down"_s));
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(scene_.logo.window), zone(u"Grid"_s, 3), 3000);
        QVERIFY(key(u"ctrl+super+Up"_s));
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(scene_.logo.window), zone(u"Grid"_s, 1), 3000);
    }
};

QTEST_GUILESS_MAIN(CorvaneZoneMemoryTest)
#include "tst_zonememory.moc"
