// SPDX-License-Identifier: GPL-3.0-or-later
// The real application in a headless GNOME Shell Wayland session (two 1280 x 800 monitors,
// Xwayland), driven through mutter's remote desktop input; targets come from the layout file and
// the shell's work areas. The first login lacks Corvane's extension: Corvane installs it and
// asks for a new login; at the next, Corvane enables it and snaps a native GTK window and an
// X11 window.
#include "CorvaneApp.h"
#include "ProcessGroup.h"
#include "TestEnvironment.h"
#include "models/Layouts.h"
#include "platform/gnome/GnomeExtension.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <csignal>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

const QString gtkDemo = u"gtk3-demo"_s; // by its class: its title follows the demo chosen
// Linux key codes.
constexpr int keyLeftCtrl = 29, keyLeftAlt = 56, keyLeftMeta = 125, key1 = 2, keyPageUp = 104,
              keyPageDown = 109;
// Lets the test evaluate JavaScript in the shell (org.gnome.Shell.Eval needs unsafe mode).
const QByteArray evalUuid = "corvane-test-eval@corvane.app";
const QByteArray evalScript = "function init() { return { enable() { global.context.unsafe_mode "
                              "= true; }, disable() {} }; }\n";

void writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
}

// gnome-shell headless with its own session bus, a stand-in system bus and settings in a key
// file; the user's extensions are those of $XDG_DATA_HOME, as at a login. Ended shell first and
// alone (a signal to its whole group hangs it; alone it takes Xwayland and the X lock files with
// it), after its clients, before the buses.
class GnomeSession {
public:
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> processes;
    QProcess* shell = nullptr;
    QString address, systemAddress, xDisplay, xAuthority, remote;
    const QString busName = u"gnome-session"_s;

    ~GnomeSession()
    {
        QDBusConnection::disconnectFromBus(busName);
        for (auto it = processes.rbegin(); it != processes.rend(); ++it) {
            if (it->get() == shell && shell->state() != QProcess::NotRunning) {
                ::kill(pid_t(shell->processId()), SIGTERM);
                shell->waitForFinished(5000);
            }
            test::stopProcessGroup(**it, 3000);
        }
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{u"XDG_RUNTIME_DIR"_s, dir.filePath(u"run"_s)},
                                          {u"DBUS_SESSION_BUS_ADDRESS"_s, address},
                                          {u"DBUS_SYSTEM_BUS_ADDRESS"_s, systemAddress},
                                          {u"WAYLAND_DISPLAY"_s, u"corvane-gnome"_s},
                                          {u"DISPLAY"_s, xDisplay},
                                          {u"XAUTHORITY"_s, xAuthority},
                                          {u"XDG_SESSION_TYPE"_s, u"wayland"_s},
                                          {u"GDK_BACKEND"_s, u"wayland,x11"_s}})
            env.insert(name, value);
        return env;
    }

    qint64 start(const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& env)
    {
        auto process = test::startProcessGroup(program, arguments, env,
                                               qEnvironmentVariable("CORVANE_GNOME_LOG"), true);
        if (!process)
            return 0;
        processes.push_back(std::move(process));
        return processes.back()->processId();
    }

    QString run()
    {
        QDir(dir.path()).mkpath(u"run"_s);
        QFile::setPermissions(dir.filePath(u"run"_s), QFileDevice::ReadOwner |
                                                          QFileDevice::WriteOwner |
                                                          QFileDevice::ExeOwner);
        for (QString* bus : {&address, &systemAddress}) {
            if (!start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s},
                       QProcessEnvironment::systemEnvironment()) ||
                !processes.back()->waitForReadyRead(5000))
                return u"dbus-daemon could not be started"_s;
            *bus = QString::fromUtf8(processes.back()->readLine()).trimmed();
        }
        QDBusConnection::connectToBus(address, busName);
        // No banners: as root a notice would cover the top bar.
        writeFile(dir.filePath(u"config/glib-2.0/settings/keyfile"_s),
                  "[org/gnome/desktop/notifications]\nshow-banners=false\n[org/gnome/shell]\n"
                  "disable-user-extensions=false\nenabled-extensions=['" +
                      evalUuid + "']\n");
        const QString eval = dir.filePath(u"share/gnome-shell/extensions/"_s) + evalUuid;
        writeFile(eval + u"/extension.js"_s, evalScript);
        writeFile(eval + u"/metadata.json"_s, "{\"uuid\": \"" + evalUuid +
                                                  "\", \"name\": \"t\", \"description\": \"t\", "
                                                  "\"shell-version\": [\"43\", \"44\"]}");
        QProcessEnvironment env = environment();
        env.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
        env.insert(u"GSETTINGS_BACKEND"_s, u"keyfile"_s);
        env.insert(u"XDG_DATA_DIRS"_s, dir.filePath(u"share"_s) + u":/usr/share"_s);
        if (!start(u"gnome-shell"_s,
                   {u"--wayland"_s, u"--headless"_s, u"--wayland-display"_s, u"corvane-gnome"_s,
                    u"--virtual-monitor"_s, u"1280x800"_s, u"--virtual-monitor"_s, u"1280x800"_s},
                   env))
            return u"gnome-shell could not be started"_s;
        shell = processes.back().get();
        // Up once it evaluates and has started Xwayland; GNOME 43 opens the overview at start.
        const bool up = QTest::qWaitFor(
            [&] {
                return shell->state() == QProcess::NotRunning ||
                       evaluate(u"Main.layoutManager._startingUp"_s) == QJsonValue(false);
            },
            20000);
        xDisplay = evaluate(u"imports.gi.GLib.getenv('DISPLAY')"_s).toString();
        xAuthority = evaluate(u"imports.gi.GLib.getenv('XAUTHORITY')"_s).toString();
        const bool overviewClosed = QTest::qWaitFor([&] {
            return evaluate(u"(Main.overview.hide(), Main.overview.visible)"_s) ==
                   QJsonValue(false);
        });
        if (!up || !overviewClosed || xDisplay.isEmpty() || shell->state() == QProcess::NotRunning)
            return u"GNOME Shell or Xwayland did not come up"_s;
        const QDBusReply<QDBusObjectPath> session =
            call(u"/org/gnome/Mutter/RemoteDesktop"_s, u""_s, u"CreateSession"_s, {});
        remote = session.value().path();
        if (!session.isValid() ||
            call(remote, u".Session"_s, u"Start"_s, {}).type() != QDBusMessage::ReplyMessage)
            return u"mutter gives no remote desktop input"_s;
        return {};
    }

    QDBusMessage call(const QString& path, const QString& suffix, const QString& method,
                      const QVariantList& arguments)
    {
        QDBusMessage m =
            QDBusMessage::createMethodCall(u"org.gnome.Mutter.RemoteDesktop"_s, path,
                                           u"org.gnome.Mutter.RemoteDesktop"_s + suffix, method);
        m.setArguments(arguments);
        return QDBusConnection(busName).call(m);
    }

    // The value as JSON gives it; undefined when the shell did not answer.
    QJsonValue evaluate(const QString& expression)
    {
        QDBusMessage m = QDBusMessage::createMethodCall(u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s,
                                                        u"org.gnome.Shell"_s, u"Eval"_s);
        m << u"(function () { return %1; })()"_s.arg(expression);
        const QList<QVariant> reply = QDBusConnection(busName).call(m).arguments();
        if (reply.size() != 2 || !reply.at(0).toBool())
            return QJsonValue(QJsonValue::Undefined);
        return QJsonDocument::fromJson("[" + reply.at(1).toString().toUtf8() + "]").array().at(0);
    }

    // A rectangle of mutter's (a frame, a work area), or an empty one.
    QRectF rect(const QString& expression)
    {
        const QJsonArray r =
            evaluate(u"(r => r && [r.x, r.y, r.width, r.height])(%1)"_s.arg(expression)).toArray();
        return r.size() == 4
                   ? QRectF(r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble())
                   : QRectF();
    }
    // Of the first window with that title or class.
    QRectF frame(const QString& name)
    {
        return rect(
            u"global.get_window_actors().map(a => a.meta_window).find(w => "
            "w.get_title() === '%1' || w.get_wm_class() === '%1')?.get_frame_rect()"_s.arg(name));
    }
    QRectF frame(double id)
    {
        return rect(u"global.get_window_actors().map(a => a.meta_window)"
                    ".find(w => w.get_id() === %1)?.get_frame_rect()"_s.arg(qint64(id)));
    }
    QRectF workArea(int monitor)
    {
        return rect(u"global.workspace_manager.get_active_workspace()"
                    ".get_work_area_for_monitor(%1)"_s.arg(monitor));
    }

    // Relative motion is exact, but where the pointer is only the shell knows, and it hears of
    // the motion a little later, from its input thread.
    QPointF pointer()
    {
        const QJsonArray now = evaluate(u"global.get_pointer()"_s).toArray();
        return QPointF(now.at(0).toDouble(), now.at(1).toDouble());
    }
    void pointerTo(const QPointF& to)
    {
        const QPointF target(std::round(to.x()), std::round(to.y()));
        const QPointF by = target - pointer();
        call(remote, u".Session"_s, u"NotifyPointerMotionRelative"_s, {by.x(), by.y()});
        QVERIFY(QTest::qWaitFor([&] { return pointer() == target; }, 2000));
    }
    // From where the pointer is to `to` in ten steps, as a hand moves.
    void stepTo(const QPointF& to)
    {
        const QPointF from = pointer();
        for (int i = 1; i <= 10; ++i) {
            pointerTo(from + (to - from) * i / 10.0);
            QTest::qWait(30);
        }
    }
    void button(bool press, int code = 0x110) // BTN_LEFT; BTN_MIDDLE is 0x112
    {
        call(remote, u".Session"_s, u"NotifyPointerButton"_s, {code, press});
    }
    void key(int code, bool press)
    {
        call(remote, u".Session"_s, u"NotifyKeyboardKeycode"_s, {uint(code), press});
    }
};

} // namespace

class GnomeSessionTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GnomeSession> session_;
    QSizeF gtkDemoSize_; // as it opened

    void login()
    {
        session_ = std::make_unique<GnomeSession>();
        const QString problem = session_->run();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(session_->start(test::CorvaneApp::binaryPath(), {u"--log-level"_s, u"info"_s},
                                session_->environment()));
    }

    int command(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(session_->environment());
        process.start(test::CorvaneApp::binaryPath(), arguments);
        return process.waitForFinished(10000) ? process.exitCode() : -1;
    }

    // A snap from the keyboard or the command line flashes the zones over the monitor; a press
    // made just as that overlay maps can miss the window under it, so drags wait for it to go.
    bool theZonesFlashedAreGone()
    {
        return QTest::qWaitFor(
            [&] {
                return session_->evaluate(u"global.get_window_actors().some(a => a.visible && "
                                          "a.meta_window.get_wm_class() === 'Corvane')"_s) ==
                       QJsonValue(false);
            },
            3000);
    }

    // Each monitor shows the built-in "Tall" layout until another is chosen: its zones in order.
    QRectF zoneFrame(int monitor, int number, const QString& name = u"Tall"_s)
    {
        const QRectF area = session_->workArea(monitor);
        for (const ScreenLayout& layout : allLayouts()) {
            if (layout.name != name)
                continue;
            const Rect& f = layout.zones.at(number - 1).frame;
            return QRectF(QPointF(qRound(area.x() + f.x * area.width()),
                                  qRound(area.y() + f.y * area.height())),
                          QPointF(qRound(area.x() + (f.x + f.width) * area.width()),
                                  qRound(area.y() + (f.y + f.height) * area.height())));
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"gnome-shell"_s).isEmpty())
            QSKIP("gnome-shell is not installed");
        test::resetStores();
        Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
        const QString data = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY2(!data.isEmpty(), "XDG_DATA_HOME is not set: run the test through ctest");
        QDir(data).removeRecursively();
    }

    void cleanupTestCase() { session_.reset(); }

    // Without the extension Corvane installs it for the user and says, in its menu and a
    // notification, that a new login is needed.
    void aMissingExtensionIsInstalledAndANewLoginAskedFor()
    {
        login();
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::isReady(), 20000);
        QVERIFY(QFile::exists(GnomeExtension::userFolder() + u"/extension.js"_s));
        QCOMPARE(test::CorvaneApp::logCount(u"Log out and in to let Corvane snap windows"_s), 1);
        QCOMPARE(test::CorvaneApp::logCount(u"Told the user what to do about it"_s), 1);
    }

    // At the next login the shell knows the extension, disabled: Corvane enables it.
    void anInstalledExtensionIsEnabledAtTheNextLogin()
    {
        login();
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::logCount(u"Preferences Key: "_s) == 2, 20000);
        QCOMPARE(test::CorvaneApp::logCount(u"Corvane can see and move windows"_s), 1);
        // Each in turn, until it has the focus: a window that has not drawn yet takes no input.
        const auto focused = [&](const QString& name) {
            return session_->evaluate(u"global.display.focus_window?.get_wm_class()"_s) == name;
        };
        QVERIFY(session_->start(u"gtk3-demo"_s, {}, session_->environment()));
        QVERIFY(QTest::qWaitFor([&] { return focused(gtkDemo); }, 10000));
        gtkDemoSize_ = session_->frame(gtkDemo).size();
        QVERIFY(session_->start(u"xlogo"_s, {u"-geometry"_s, u"240x160+1500+200"_s},
                                session_->environment()));
        QVERIFY(QTest::qWaitFor([&] { return focused(u"XLogo"_s); }, 10000));
    }

    // Dragged by the title bar with the snap key held, across zones and monitors, a window
    // fills the zone under the release exactly.
    void aWindowDraggedWithTheSnapKeyFillsTheZoneUnderTheRelease_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("snapKey");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<QList<QPointF>>("path");
        QTest::addColumn<int>("monitor"); // and the zone under the release
        QTest::addColumn<int>("zone");
        // Super moves a window dragged anywhere in it (mutter's move key, what the General page
        // advises); the others move it by its title bar.
        QTest::newRow("native GTK, Super, first monitor to second")
            << gtkDemo << u"command"_s << keyLeftMeta
            << QList<QPointF>{{300, 400}, {1600, 400}, {2380, 650}} << 1 << 3;
        QTest::newRow("X11, Ctrl, second monitor to first")
            << u"xlogo"_s << u"control"_s << keyLeftCtrl
            << QList<QPointF>{{2380, 650}, {1100, 650}, {1100, 150}} << 0 << 2;
        QTest::newRow("native GTK, Alt, second monitor")
            << gtkDemo << u"option"_s << keyLeftAlt << QList<QPointF>{{2380, 150}} << 1 << 2;
    }

    void aWindowDraggedWithTheSnapKeyFillsTheZoneUnderTheRelease()
    {
        QFETCH(QString, window);
        QFETCH(QString, snapKey);
        QFETCH(int, keyCode);
        QFETCH(QList<QPointF>, path);
        QFETCH(int, monitor);
        QFETCH(int, zone);
        QVERIFY(session_ && !session_->remote.isEmpty());
        Settings::setValue(SettingsKeys::dragModifierKey, snapKey);
        const QRectF frame = session_->frame(window);
        const QPointF at(frame.center().x(),
                         snapKey == u"command" ? frame.center().y() : frame.top() + 12);
        session_->pointerTo(at);
        session_->key(keyCode, true);
        session_->button(true);
        for (const QPointF& to : path)
            session_->stepTo(to);
        QTest::qWait(200);
        session_->button(false);
        session_->key(keyCode, false);
        QTRY_COMPARE_WITH_TIMEOUT(session_->frame(window), zoneFrame(monitor, zone), 3000);
    }

    // Ctrl+Super+1 and the command line move the window the shell has focused.
    void theActiveWindowSnapsFromTheKeyboardAndTheCommandLine()
    {
        QVERIFY(session_ && !session_->remote.isEmpty());
        const QRectF start = session_->frame(gtkDemo);
        const int monitor = start.center().x() < 1280 ? 0 : 1;
        session_->pointerTo(QPointF(start.center().x(), start.top() + 12));
        session_->button(true);
        session_->button(false);
        QTest::qWait(300);
        for (int key : {keyLeftCtrl, keyLeftMeta, key1})
            session_->key(key, true);
        for (int key : {key1, keyLeftMeta, keyLeftCtrl})
            session_->key(key, false);
        QTRY_COMPARE_WITH_TIMEOUT(session_->frame(gtkDemo), zoneFrame(monitor, 1), 3000);
        QCOMPARE(command({u"--snap-active"_s, u"3"_s}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(session_->frame(gtkDemo), zoneFrame(monitor, 3), 3000);
    }

    // With the span key (Ctrl) pressed during a snap drag, the window fills the zones from the
    // one under the pointer then to the one under the release; dragged out of them without the
    // snap key, it gets back the size it opened with.
    void theSpanKeyFillsTheZonesBetweenAndADragOutGivesTheSizeBack()
    {
        QVERIFY(session_ && !session_->remote.isEmpty() && !gtkDemoSize_.isEmpty());
        Settings::setValue(SettingsKeys::dragModifierKey, u"command"_s);
        QVERIFY(theZonesFlashedAreGone());
        // From the middle of the window, in zone 3 of the second monitor.
        session_->pointerTo(session_->frame(gtkDemo).center());
        session_->key(keyLeftMeta, true);
        session_->button(true);
        session_->stepTo({2380, 150}); // zone 2
        session_->key(keyLeftCtrl, true);
        // The keys held are read at the move's steps: one in zone 2 with Ctrl down, as a hand
        // that presses a key keeps moving a little.
        QTest::qWait(200);
        session_->stepTo({2380, 170});
        QTest::qWait(200);
        session_->stepTo({2380, 650}); // zone 3
        QTest::qWait(200);
        session_->button(false);
        session_->key(keyLeftCtrl, false);
        session_->key(keyLeftMeta, false);
        QTRY_COMPARE_WITH_TIMEOUT(session_->frame(gtkDemo), zoneFrame(1, 2).united(zoneFrame(1, 3)),
                                  3000);

        const QRectF spanned = session_->frame(gtkDemo);
        session_->pointerTo({spanned.center().x(), spanned.top() + 12});
        session_->button(true);
        session_->stepTo({1800, 300});
        QTest::qWait(200);
        session_->button(false);
        QTRY_COMPARE_WITH_TIMEOUT(session_->frame(gtkDemo).size(), gtkDemoSize_, 3000);
    }

    // A second xlogo opens in the zone the first was dragged into; Ctrl+Super+Page Down and
    // Page Up switch between the two.
    void aNewWindowOpensInItsLastZoneAndTheWindowsOfTheZoneTakeTurns()
    {
        QVERIFY(session_ && !session_->remote.isEmpty());
        const auto focused = [&] {
            return session_->evaluate(u"global.display.focus_window?.get_id()"_s).toDouble();
        };
        const double first = session_
                                 ->evaluate(u"global.get_window_actors().map(a => a.meta_window)"
                                            ".find(w => w.get_wm_class() === 'XLogo').get_id()"_s)
                                 .toDouble();
        QVERIFY(session_->start(u"xlogo"_s, {u"-geometry"_s, u"240x160+1500+500"_s},
                                session_->environment()));
        const auto newest = [&] {
            return session_
                ->evaluate(u"global.get_window_actors().map(a => a.meta_window).find(w => "
                           "w.get_wm_class() === 'XLogo' && w.get_id() !== %1)?.get_id()"_s.arg(
                               qint64(first)))
                .toDouble();
        };
        QVERIFY(QTest::qWaitFor([&] { return newest() > 0 && focused() == newest(); }, 10000));
        const double second = newest();
        const auto frameOf = [&](double id) { return session_->frame(id); };
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(second), frameOf(first), 3000);
        QCOMPARE(frameOf(first), zoneFrame(0, 2));
        for (const auto& [key, expected] : {std::pair(keyPageDown, first), {keyPageUp, second}}) {
            for (int k : {keyLeftCtrl, keyLeftMeta, key})
                session_->key(k, true);
            for (int k : {key, keyLeftMeta, keyLeftCtrl})
                session_->key(k, false);
            QTRY_COMPARE_WITH_TIMEOUT(focused(), expected, 3000);
        }
    }

    // Resized by its right edge with Super and the middle button (mutter's own resize), the
    // left window of Halves takes the edge it shares with the right one along, during the
    // resize and after it; the right window's far edge stays.
    void theWindowBesideAResizedOneFollowsTheSharedEdge()
    {
        QVERIFY(session_ && !session_->remote.isEmpty());
        const QJsonArray logos =
            session_
                ->evaluate(u"global.get_window_actors().map(a => a.meta_window)"
                           ".filter(w => w.get_wm_class() === 'XLogo').map(w => w.get_id())"_s)
                .toArray();
        QCOMPARE(logos.size(), 2);
        const double left = logos[0].toDouble(), right = logos[1].toDouble();
        // Both were in zone 2 of Tall, and follow to zone 2 of Halves.
        QCOMPARE(command({u"--apply-layout"_s, u"Halves"_s, u"--display"_s, u"1"_s}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(session_->frame(right), zoneFrame(0, 2, u"Halves"_s), 3000);
        session_->evaluate(
            u"global.get_window_actors().map(a => a.meta_window)"
            ".find(w => w.get_id() === %1).activate(global.get_current_time())"_s.arg(
                qint64(left)));
        QTRY_COMPARE_WITH_TIMEOUT(
            session_->evaluate(u"global.display.focus_window?.get_id()"_s).toDouble(), left, 3000);
        QCOMPARE(command({u"--snap-active"_s, u"1"_s}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(session_->frame(left), zoneFrame(0, 1, u"Halves"_s), 3000);
        const QRectF before = session_->frame(right);
        QVERIFY(theZonesFlashedAreGone());
        // mutter's edge resistance may hold the edge short of the pointer for a while.
        const auto followed = [&](double by) {
            const QRectF resized = session_->frame(left), beside = session_->frame(right);
            return std::abs(resized.right() - (before.left() + by)) <= 16 &&
                   beside.left() == resized.right() && beside.right() == before.right() &&
                   beside.top() == before.top() && beside.bottom() == before.bottom();
        };
        const QPointF at(before.left() - 6, before.center().y());
        session_->pointerTo(at);
        session_->key(keyLeftMeta, true);
        session_->button(true, 0x112);
        session_->stepTo(at + QPointF(120, 0));
        const bool duringTheResize = QTest::qWaitFor([&] { return followed(120); }, 3000);
        session_->button(false, 0x112);
        session_->key(keyLeftMeta, false);
        QVERIFY2(duringTheResize, qPrintable(QDebug::toString(session_->frame(left)) +
                                             QDebug::toString(session_->frame(right))));
        QTRY_VERIFY_WITH_TIMEOUT(followed(120), 3000);
    }
};

QTEST_GUILESS_MAIN(GnomeSessionTest)

#include "tst_gnomesession.moc"
