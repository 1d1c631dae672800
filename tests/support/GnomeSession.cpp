// SPDX-License-Identifier: GPL-3.0-or-later
#include "GnomeSession.h"

#include "ProcessGroup.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>
#include <csignal>

using namespace Qt::StringLiterals;

namespace corvane::test {
namespace {

const QString evalExtension = u"corvane-test-eval@corvane.app"_s;
constexpr int buttonLeft = 0x110; // BTN_LEFT

// Lets the test evaluate JavaScript (org.gnome.Shell.Eval): only unsafe mode allows it.
const char* evalExtensionScript = R"JS(
function init() {
    return {
        enable() { global.context.unsafe_mode = true; },
        disable() { global.context.unsafe_mode = false; },
    };
}
)JS";

bool writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The X display a running Xwayland child of `shell` serves (":1"), or empty.
QString xwaylandDisplay(qint64 shell)
{
    for (const QString& pid : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        QFile stat(u"/proc/%1/stat"_s.arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(stat.readAll());
        if (!text.contains(u"(Xwayland)"_s) ||
            text.section(u')', -1).split(u' ', Qt::SkipEmptyParts).value(1).toLongLong() != shell)
            continue;
        QFile cmdline(u"/proc/%1/cmdline"_s.arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& argument : cmdline.readAll().split('\0')) {
            if (argument.startsWith(':'))
                return QString::fromLatin1(argument);
        }
    }
    return {};
}

} // namespace

bool GnomeSession::isAvailable()
{
    return !QStandardPaths::findExecutable(u"gnome-shell"_s).isEmpty() &&
           !QStandardPaths::findExecutable(u"Xwayland"_s).isEmpty();
}

GnomeSession::GnomeSession()
{
    running_ = start();
}

GnomeSession::~GnomeSession()
{
    QDBusConnection::disconnectFromBus(busName_);
    // Clients first, then the shell (Xwayland goes with it), the buses last.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
        if (it->get() == shell_)
            stopShell();
        stopProcessGroup(**it, 3000);
    }
    processes_.clear();
}

void GnomeSession::stopShell()
{
    if (!shell_ || shell_->state() == QProcess::NotRunning)
        return;
    // The shell alone: a signal to its whole group at once hangs it; alone it ends with
    // Xwayland and takes the X lock files away.
    ::kill(pid_t(shell_->processId()), SIGTERM);
    shell_->waitForFinished(5000);
}

QProcessEnvironment GnomeSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_RUNTIME_DIR"_s, directory_.filePath(u"run"_s));
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, busAddress_);
    env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, systemBusAddress_);
    env.insert(u"WAYLAND_DISPLAY"_s, socket_);
    env.insert(u"DISPLAY"_s, x11Display_);
    env.insert(u"XAUTHORITY"_s, xauthority_);
    env.insert(u"XDG_SESSION_TYPE"_s, u"wayland"_s);
    env.insert(u"XDG_CURRENT_DESKTOP"_s, u"GNOME"_s);
    env.insert(u"GDK_BACKEND"_s, u"wayland,x11"_s);
    env.remove(u"QT_QPA_PLATFORM"_s);
    return env;
}

QDBusConnection GnomeSession::bus() const
{
    return QDBusConnection(busName_);
}

QProcess* GnomeSession::spawn(const QString& program, const QStringList& arguments,
                              const QProcessEnvironment& environment, bool readOutput)
{
    auto process = startProcessGroup(program, arguments, environment,
                                     qEnvironmentVariable("CORVANE_GNOME_LOG"), readOutput);
    if (!process)
        return nullptr;
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

qint64 GnomeSession::startProcess(const QString& program, const QStringList& arguments,
                                  const QProcessEnvironment& extra)
{
    QProcessEnvironment env = environment();
    for (const QString& key : extra.keys())
        env.insert(key, extra.value(key));
    QProcess* process = spawn(program, arguments, env);
    return process ? process->processId() : 0;
}

bool GnomeSession::start()
{
    const QDir dir(directory_.path());
    if (!directory_.isValid() || !dir.mkpath(u"run"_s)) {
        error_ = u"No temporary folder"_s;
        return false;
    }
    QFile::setPermissions(directory_.filePath(u"run"_s),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (QString* address : {&busAddress_, &systemBusAddress_}) {
        QProcess* bus =
            spawn(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s},
                  QProcessEnvironment::systemEnvironment(), true);
        if (!bus || !bus->waitForReadyRead(5000)) {
            error_ = u"dbus-daemon could not be started"_s;
            return false;
        }
        *address = QString::fromUtf8(bus->readLine()).trimmed();
    }
    busName_ = u"gnome-session-%1"_s.arg(quintptr(this));
    if (!QDBusConnection::connectToBus(busAddress_, busName_).isConnected()) {
        error_ = u"Cannot connect to the session's bus"_s;
        return false;
    }

    // Settings as a login would have them, without banners (as root a notice would cover the
    // top bar); the test's own extension on.
    const QString config = directory_.filePath(u"config"_s);
    const QString share = directory_.filePath(u"share"_s);
    writeFile(config + u"/glib-2.0/settings/keyfile"_s,
              "[org/gnome/desktop/notifications]\nshow-banners=false\n\n"
              "[org/gnome/shell]\ndisable-user-extensions=false\nenabled-extensions=['" +
                  evalExtension.toLatin1() + "']\n");
    const QString eval = share + u"/gnome-shell/extensions/"_s + evalExtension;
    writeFile(eval + u"/extension.js"_s, evalExtensionScript);
    writeFile(eval + u"/metadata.json"_s,
              "{\"uuid\": \"" + evalExtension.toLatin1() +
                  "\", \"name\": \"Corvane test\", \"description\": \"Lets tests evaluate\", "
                  "\"shell-version\": [\"43\", \"44\"]}");

    socket_ = u"corvane-gnome-%1"_s.arg(::getpid());
    QProcessEnvironment env = environment();
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"DISPLAY"_s);
    env.remove(u"XAUTHORITY"_s);
    env.insert(u"XDG_CONFIG_HOME"_s, config);
    env.insert(u"GSETTINGS_BACKEND"_s, u"keyfile"_s);
    env.insert(u"XDG_DATA_DIRS"_s, share + u":/usr/share"_s);
    shell_ = spawn(u"gnome-shell"_s,
                   {u"--wayland"_s, u"--headless"_s, u"--wayland-display"_s, socket_,
                    u"--virtual-monitor"_s, u"1280x800"_s, u"--virtual-monitor"_s, u"1280x800"_s},
                   env);
    if (!shell_) {
        error_ = u"gnome-shell could not be started"_s;
        return false;
    }
    // Up once it evaluates and Xwayland answers; GNOME 43 opens the overview at start.
    const bool up = QTest::qWaitFor(
        [&] {
            if (shell_->state() == QProcess::NotRunning)
                return true;
            x11Display_ = xwaylandDisplay(shell_->processId());
            return !x11Display_.isEmpty() &&
                   evaluate(u"Main.layoutManager._startingUp"_s) == QJsonValue(false);
        },
        20000);
    if (!up || shell_->state() == QProcess::NotRunning) {
        error_ = u"GNOME Shell or Xwayland did not come up"_s;
        return false;
    }
    const QStringList auth =
        QDir(directory_.filePath(u"run"_s))
            .entryList({u".mutter-Xwaylandauth.*"_s}, QDir::Files | QDir::Hidden);
    if (!auth.isEmpty())
        xauthority_ = directory_.filePath(u"run/"_s + auth.first());
    evaluate(u"Main.overview.hide()"_s);
    if (!QTest::qWaitFor([&] { return evaluate(u"Main.overview.visible"_s) == QJsonValue(false); },
                         5000)) {
        error_ = u"The overview did not close"_s;
        return false;
    }
    if (!startInput()) {
        error_ = u"mutter gives no remote desktop input"_s;
        return false;
    }
    return true;
}

QJsonValue GnomeSession::evaluate(const QString& expression)
{
    QDBusMessage call = QDBusMessage::createMethodCall(u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s,
                                                       u"org.gnome.Shell"_s, u"Eval"_s);
    // The shell gives the value back as JSON.
    call << u"(function () { return %1; })()"_s.arg(expression);
    const QDBusMessage reply = bus().call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2 ||
        !reply.arguments().at(0).toBool())
        return QJsonValue(QJsonValue::Undefined);
    const QByteArray json = "[" + reply.arguments().at(1).toString().toUtf8() + "]";
    return QJsonDocument::fromJson(json).array().at(0);
}

QRectF GnomeSession::windowFrame(const QString& title)
{
    const QJsonArray r =
        evaluate(
            u"(function () { const w = global.get_window_actors().map(a => a.meta_window)"
            ".find(w => (w.get_title() || '').startsWith(%1) || w.get_wm_class() === %1); "
            "if (!w) return null; "
            "const r = w.get_frame_rect(); return [r.x, r.y, r.width, r.height]; })()"_s.arg(
                QString::fromUtf8(QJsonDocument(QJsonArray{title}).toJson(QJsonDocument::Compact))
                    .mid(1)
                    .chopped(1)))
            .toArray();
    if (r.size() != 4)
        return {};
    return QRectF(r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble());
}

bool GnomeSession::waitForWindow(const QString& title, int timeoutMs)
{
    return QTest::qWaitFor([&] { return !windowFrame(title).isEmpty(); }, timeoutMs);
}

QList<QRectF> GnomeSession::workAreas()
{
    const QJsonArray areas =
        evaluate(u"Main.layoutManager.monitors.map((m, i) => { const a = "
                 "global.workspace_manager.get_active_workspace().get_work_area_for_monitor(i); "
                 "return [a.x, a.y, a.width, a.height]; })"_s)
            .toArray();
    QList<QRectF> result;
    for (const QJsonValue& a : areas) {
        const QJsonArray r = a.toArray();
        result.append(QRectF(r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble()));
    }
    return result;
}

bool GnomeSession::startInput()
{
    const QDBusReply<QDBusObjectPath> session = bus().call(QDBusMessage::createMethodCall(
        u"org.gnome.Mutter.RemoteDesktop"_s, u"/org/gnome/Mutter/RemoteDesktop"_s,
        u"org.gnome.Mutter.RemoteDesktop"_s, u"CreateSession"_s));
    if (!session.isValid())
        return false;
    remoteSession_ = session.value().path();
    QDBusMessage start =
        QDBusMessage::createMethodCall(u"org.gnome.Mutter.RemoteDesktop"_s, remoteSession_,
                                       u"org.gnome.Mutter.RemoteDesktop.Session"_s, u"Start"_s);
    if (bus().call(start).type() != QDBusMessage::ReplyMessage)
        return false;
    return true;
}

void GnomeSession::remote(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(u"org.gnome.Mutter.RemoteDesktop"_s, remoteSession_,
                                       u"org.gnome.Mutter.RemoteDesktop.Session"_s, method);
    call.setArguments(arguments);
    bus().call(call);
}

void GnomeSession::pointerTo(const QPointF& position)
{
    // Relative motion is exact, but where the pointer starts only the shell knows.
    const QJsonArray now = evaluate(u"global.get_pointer()"_s).toArray();
    const QPointF delta = position - QPointF(now.at(0).toDouble(), now.at(1).toDouble());
    remote(u"NotifyPointerMotionRelative"_s, {delta.x(), delta.y()});
}

void GnomeSession::button(bool press)
{
    remote(u"NotifyPointerButton"_s, {buttonLeft, press});
}

void GnomeSession::key(int linuxKey, bool press)
{
    remote(u"NotifyKeyboardKeycode"_s, {uint(linuxKey), press});
}

} // namespace corvane::test
