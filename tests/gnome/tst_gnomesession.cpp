// SPDX-License-Identifier: GPL-3.0-or-later
// The real application in a headless GNOME Shell Wayland session (two 1280 x 800 monitors,
// Xwayland), driven through mutter's remote desktop input as users act; targets come from the
// layout file and the shell's work areas. The first login lacks Corvane's extension: Corvane
// installs it and asks for a new login; at the next, Corvane enables it and snaps a native
// GTK window and an X11 window.
#include "CorvaneApp.h"
#include "GnomeSession.h"
#include "TestEnvironment.h"
#include "models/Layouts.h"
#include "platform/gnome/GnomeExtension.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineF>
#include <QTest>
#include <csignal>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

const QString gtkTitle = u"gtk3-demo"_s; // its class: the title follows the demo chosen
// Linux key codes.
constexpr int keyLeftCtrl = 29, keyLeftAlt = 56, keyLeftMeta = 125, key1 = 2;

} // namespace

class GnomeSessionTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::GnomeSession> session_;
    qint64 corvane_ = 0;

    qint64 startCorvane()
    {
        return session_->startProcess(test::CorvaneApp::binaryPath(),
                                      {u"--log-level"_s, u"info"_s});
    }

    void stopCorvane()
    {
        ::kill(pid_t(corvane_), SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(::kill(pid_t(corvane_), 0) != 0, 10000);
    }

    void chord(std::initializer_list<int> keys)
    {
        for (int k : keys)
            session_->key(k, true);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            session_->key(*it, false);
    }

    // Each monitor shows the built-in "Tall" layout until another is chosen.
    static ZoneList tallZones()
    {
        for (const ScreenLayout& layout : allLayouts()) {
            if (layout.name == u"Tall")
                return layout.zones;
        }
        return {};
    }

    static QRectF frameIn(const Zone& zone, const QRectF& area)
    {
        const Rect& f = zone.frame;
        return QRectF(
            QPointF(qRound(area.x() + f.x * area.width()), qRound(area.y() + f.y * area.height())),
            QPointF(qRound(area.x() + (f.x + f.width) * area.width()),
                    qRound(area.y() + (f.y + f.height) * area.height())));
    }

    // Of the monitor under `point`, the zone whose centre is nearest.
    QRectF zoneFrameAt(const QPointF& point)
    {
        for (const QRectF& area : session_->workAreas()) {
            if (!area.contains(point))
                continue;
            QRectF best;
            for (const Zone& zone : tallZones()) {
                const QRectF frame = frameIn(zone, area);
                if (best.isEmpty() ||
                    QLineF(frame.center(), point).length() < QLineF(best.center(), point).length())
                    best = frame;
            }
            return best;
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        if (!test::GnomeSession::isAvailable())
            QSKIP("gnome-shell is not installed");
        test::resetStores();
        Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
        const QString data = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY2(!data.isEmpty(), "XDG_DATA_HOME is not set: run the test through ctest");
        QDir(data).removeRecursively();
    }

    void cleanupTestCase() { session_.reset(); }

    // A login without the extension: Corvane installs it for the user and says, in its menu
    // and a notification, that a new login is needed.
    void aMissingExtensionIsInstalledAndANewLoginAskedFor()
    {
        session_ = std::make_unique<test::GnomeSession>();
        QVERIFY2(session_->isRunning(), qPrintable(session_->errorString()));
        corvane_ = startCorvane();
        QVERIFY(corvane_);
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::isReady(), 20000);
        QVERIFY(QFile::exists(GnomeExtension::userFolder() + u"/extension.js"_s));
        QCOMPARE(test::CorvaneApp::logCount(u"Told the user: Log out and log in again"_s), 1);
        stopCorvane();
        session_.reset();
    }

    // At the next login the shell knows the extension, disabled: Corvane enables it.
    void anInstalledExtensionIsEnabledAtTheNextLogin()
    {
        session_ = std::make_unique<test::GnomeSession>();
        QVERIFY2(session_->isRunning(), qPrintable(session_->errorString()));
        corvane_ = startCorvane();
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::logCount(u"Preferences Key: "_s) == 2, 20000);
        QCOMPARE(test::CorvaneApp::logCount(u"Corvane can see and move windows"_s), 1);
        QVERIFY(session_->startProcess(u"gtk3-demo"_s, {}));
        QVERIFY(session_->startProcess(u"xlogo"_s, {u"-geometry"_s, u"240x160+300+200"_s}));
        QVERIFY(session_->waitForWindow(gtkTitle));
        QVERIFY(session_->waitForWindow(u"xlogo"_s));
    }

    // Dragged by the title bar with the snap key held, across zones and monitors, a window
    // fills the zone under the release exactly.
    void aWindowDraggedWithTheSnapKeyFillsTheZoneUnderTheRelease_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("snapKey");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<QList<QPointF>>("path");
        QTest::newRow("native GTK, Ctrl, first monitor to second")
            << gtkTitle << u"control"_s << keyLeftCtrl
            << QList<QPointF>{{300, 400}, {1600, 400}, {2380, 650}};
        QTest::newRow("X11, Alt, second monitor to first")
            << u"xlogo"_s << u"option"_s << keyLeftAlt
            << QList<QPointF>{{2380, 650}, {1100, 650}, {1100, 150}};
    }

    void aWindowDraggedWithTheSnapKeyFillsTheZoneUnderTheRelease()
    {
        QFETCH(QString, title);
        QFETCH(QString, snapKey);
        QFETCH(int, keyCode);
        QFETCH(QList<QPointF>, path);
        QVERIFY(session_ && session_->isRunning());
        Settings::setValue(SettingsKeys::dragModifierKey, snapKey);
        const QRectF frame = session_->windowFrame(title);
        QVERIFY(!frame.isEmpty());
        session_->pointerTo(QPointF(frame.center().x(), frame.top() + 12));
        QTest::qWait(100);
        session_->key(keyCode, true);
        session_->button(true);

        QPointF at(frame.center().x(), frame.top() + 12);
        for (const QPointF& to : path) {
            const QPointF from = at;
            for (int i = 1; i <= 10; ++i) {
                session_->pointerTo(from + (to - from) * i / 10.0);
                QTest::qWait(30);
            }
            at = to;
        }
        QTest::qWait(200);
        session_->button(false);
        session_->key(keyCode, false);
        const QRectF zone = zoneFrameAt(path.last());
        QVERIFY(!zone.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(title), zone, 3000);
    }

    // Ctrl+Super+1 and the command line move the window the shell has focused.
    void theActiveWindowSnapsFromTheKeyboardAndTheCommandLine()
    {
        QVERIFY(session_ && session_->isRunning());
        const QRectF start = session_->windowFrame(gtkTitle);
        const int monitor = start.center().x() < 1280 ? 0 : 1;
        session_->pointerTo(QPointF(start.center().x(), start.top() + 12));
        session_->button(true);
        session_->button(false);
        QTest::qWait(300);
        const QRectF area = session_->workAreas().value(monitor);
        chord({keyLeftCtrl, keyLeftMeta, key1});
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(gtkTitle), frameIn(tallZones().at(0), area),
                                  3000);
        QProcess command;
        command.setProcessEnvironment(session_->environment());
        command.start(test::CorvaneApp::binaryPath(), {u"--snap-active"_s, u"3"_s});
        QVERIFY(command.waitForFinished(10000));
        QCOMPARE(command.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(gtkTitle), frameIn(tallZones().at(2), area),
                                  3000);
    }
};

QTEST_GUILESS_MAIN(GnomeSessionTest)

#include "tst_gnomesession.moc"
