// SPDX-License-Identifier: GPL-3.0-or-later
#include "KWinSession.h"

#include "ProcessGroup.h"
#include "fake-input-client-protocol.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

using namespace Qt::StringLiterals;

namespace corvane::test {
namespace {

constexpr int pollMs = 25;
const QString kwinService = u"org.kde.KWin"_s;
const QString scriptingInterface = u"org.kde.kwin.Scripting"_s;
constexpr int buttonLeft = 0x110; // BTN_LEFT

// Receives what the evaluation scripts send back.
class ResultSink : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.corvane.TestResults")
public:
    QString last;
    int received = 0;
public slots:
    Q_SCRIPTABLE void result(const QString& json)
    {
        last = json;
        ++received;
    }
};

void registryGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                    uint32_t version)
{
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        *static_cast<org_kde_kwin_fake_input**>(data) = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface,
                             std::min<uint32_t>(version, 4)));
    }
}
void registryGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registryListener{registryGlobal, registryGlobalRemove};

} // namespace

bool KWinSession::isAvailable()
{
    return QFile::exists(u"/usr/bin/kwin_wayland"_s) &&
           !QStandardPaths::findExecutable(u"Xwayland"_s).isEmpty();
}

KWinSession::KWinSession()
{
    running_ = start();
}

KWinSession::~KWinSession()
{
    if (fakeInput_)
        org_kde_kwin_fake_input_destroy(fakeInput_);
    if (wayland_)
        wl_display_disconnect(wayland_);
    QDBusConnection::disconnectFromBus(busName_);
    // Clients first, then KWin (Xwayland goes with it), the bus last.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it)
        stopProcessGroup(**it, 3000);
    processes_.clear();
}

QProcessEnvironment KWinSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_RUNTIME_DIR"_s, directory_.filePath(u"run"_s));
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, busAddress_);
    env.insert(u"WAYLAND_DISPLAY"_s, QString::fromLatin1(socket_));
    env.insert(u"DISPLAY"_s, QString::fromLatin1(x11Display_));
    env.insert(u"XDG_SESSION_TYPE"_s, u"wayland"_s);
    env.insert(u"XDG_CURRENT_DESKTOP"_s, u"KDE"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
    return env;
}

QDBusConnection KWinSession::bus() const
{
    return QDBusConnection(busName_);
}

QProcess* KWinSession::spawn(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& environment, const QString& logFile,
                             bool readOutput)
{
    auto process = startProcessGroup(program, arguments, environment, logFile, readOutput);
    if (!process)
        return nullptr;
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

bool KWinSession::start()
{
    if (!directory_.isValid() || !QDir(directory_.path()).mkpath(u"run"_s) ||
        !QDir(directory_.path()).mkpath(u"config"_s)) {
        error_ = u"No temporary folder"_s;
        return false;
    }
    QFile::setPermissions(directory_.filePath(u"run"_s),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcess* bus = spawn(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s},
                          QProcessEnvironment::systemEnvironment(), {}, true);
    if (!bus || !bus->waitForReadyRead(5000)) {
        error_ = u"dbus-daemon could not be started"_s;
        return false;
    }
    busAddress_ = QString::fromUtf8(bus->readLine()).trimmed();
    busName_ = u"kwin-session-%1"_s.arg(quintptr(this));
    if (!QDBusConnection::connectToBus(busAddress_, busName_).isConnected()) {
        error_ = u"Cannot connect to the session's bus"_s;
        return false;
    }

    // The installed binary carries a file capability that a container refuses to run; a plain
    // copy runs.
    const QString kwin = directory_.filePath(u"kwin_wayland"_s);
    if (!QFile::copy(u"/usr/bin/kwin_wayland"_s, kwin)) {
        error_ = u"Cannot copy kwin_wayland"_s;
        return false;
    }
    socket_ = "corvane-kwin-" + QByteArray::number(::getpid());
    const QString displayFile = directory_.filePath(u"display"_s);
    QProcessEnvironment env = environment();
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"DISPLAY"_s);
    env.remove(u"QT_QPA_PLATFORM"_s);
    env.insert(u"XDG_CONFIG_HOME"_s, directory_.filePath(u"config"_s));
    // Test-only switches: fake input and screenshots without asking anyone.
    env.insert(u"KWIN_WAYLAND_NO_PERMISSION_CHECKS"_s, u"1"_s);
    env.insert(u"KWIN_SCREENSHOT_NO_PERMISSION_CHECKS"_s, u"1"_s);
    // KWin starts the program given last once Xwayland is up: it tells which display that is.
    const QString announce = u"sh -c 'echo $DISPLAY > %1.tmp && mv %1.tmp %1; "
                             "exec sleep 100000'"_s.arg(displayFile);
    const QString logFile = qEnvironmentVariable("CORVANE_KWIN_LOG");
    if (!spawn(kwin,
               {u"--virtual"_s, u"--width"_s, u"1280"_s, u"--height"_s, u"800"_s,
                u"--output-count"_s, u"2"_s, u"--socket"_s, QString::fromLatin1(socket_),
                u"--no-lockscreen"_s, u"--xwayland"_s, announce},
               env, logFile)) {
        error_ = u"kwin_wayland could not be started"_s;
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!QFile::exists(displayFile) && !deadline.hasExpired())
        QThread::msleep(pollMs);
    QFile file(displayFile);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = u"KWin or Xwayland did not come up"_s;
        return false;
    }
    x11Display_ = file.readAll().trimmed();
    if (!connectFakeInput()) {
        error_ = u"KWin offers no fake input"_s;
        return false;
    }
    return true;
}

bool KWinSession::connectFakeInput()
{
    const QByteArray path = QFile::encodeName(directory_.filePath(u"run"_s)) + "/" + socket_;
    wayland_ = wl_display_connect(path.constData());
    if (!wayland_)
        return false;
    wl_registry* registry = wl_display_get_registry(wayland_);
    wl_registry_add_listener(registry, &registryListener, &fakeInput_);
    wl_display_roundtrip(wayland_);
    wl_registry_destroy(registry);
    if (!fakeInput_)
        return false;
    org_kde_kwin_fake_input_authenticate(fakeInput_, "Corvane tests", "synthetic input");
    wl_display_roundtrip(wayland_);
    return true;
}

void KWinSession::sendInput(const std::function<void()>& send)
{
    if (!fakeInput_)
        return;
    send();
    wl_display_roundtrip(wayland_);
}

void KWinSession::pointerTo(const QPointF& p)
{
    sendInput([&] {
        org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput_, wl_fixed_from_double(p.x()),
                                                        wl_fixed_from_double(p.y()));
    });
}

void KWinSession::pointerBy(const QPointF& d)
{
    sendInput([&] {
        org_kde_kwin_fake_input_pointer_motion(fakeInput_, wl_fixed_from_double(d.x()),
                                               wl_fixed_from_double(d.y()));
    });
}

void KWinSession::button(bool press)
{
    sendInput([&] { org_kde_kwin_fake_input_button(fakeInput_, buttonLeft, press ? 1 : 0); });
}

void KWinSession::key(int linuxKey, bool press)
{
    sendInput([&] { org_kde_kwin_fake_input_keyboard_key(fakeInput_, linuxKey, press ? 1 : 0); });
}

qint64 KWinSession::startProcess(const QString& program, const QStringList& arguments,
                                 const QProcessEnvironment& extra, const QString& logFile)
{
    QProcessEnvironment env = environment();
    env.insert(extra);
    QProcess* process = spawn(program, arguments, env, logFile);
    return process ? process->processId() : 0;
}

QJsonValue KWinSession::evaluate(const QString& expression)
{
    QDBusConnection connection = bus();
    ResultSink sink;
    const QString path = u"/Results%1"_s.arg(++scriptCount_);
    if (!connection.registerObject(path, &sink, QDBusConnection::ExportScriptableSlots))
        return QJsonValue(QJsonValue::Undefined);
    const QString name = u"corvane-test-%1"_s.arg(scriptCount_);
    const QString file = directory_.filePath(name + u".js"_s);
    QFile script(file);
    if (!script.open(QIODevice::WriteOnly))
        return QJsonValue(QJsonValue::Undefined);
    script.write(u"callDBus(\"%1\", \"%2\", \"app.corvane.TestResults\", "
                 "\"result\", JSON.stringify([(function () { return (%3); })()]));\n"_s
                     .arg(connection.baseService(), path, expression)
                     .toUtf8());
    script.close();

    const auto scripting = [&](const QString& method, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(kwinService, u"/Scripting"_s,
                                                           scriptingInterface, method);
        call.setArguments(arguments);
        connection.call(call);
    };
    scripting(u"loadScript"_s, {file, name});
    scripting(u"start"_s, {});
    (void)QTest::qWaitFor([&] { return sink.received > 0; }, 5000);
    scripting(u"unloadScript"_s, {name});
    connection.unregisterObject(path);
    if (sink.received == 0)
        return QJsonValue(QJsonValue::Undefined);
    return QJsonDocument::fromJson(sink.last.toUtf8()).array().at(0);
}

QRectF KWinSession::windowFrame(const QString& caption)
{
    const QJsonValue frame =
        evaluate(u"(function () { var list = workspace.windowList ? workspace.windowList() "
                 ": workspace.clientList(); for (var i = 0; i < list.length; ++i) { "
                 "var c = list[i]; if (c.caption.indexOf(%1) === 0) { var g = "
                 "c.frameGeometry; return [g.x, g.y, g.width, g.height]; } } return []; "
                 "})()"_s.arg(QString::fromUtf8(
                                  QJsonDocument(QJsonArray{caption}).toJson(QJsonDocument::Compact))
                                  .mid(1)
                                  .chopped(1)));
    const QJsonArray values = frame.toArray();
    if (values.size() != 4)
        return {};
    return QRectF(values[0].toDouble(), values[1].toDouble(), values[2].toDouble(),
                  values[3].toDouble());
}

bool KWinSession::waitForWindow(const QString& caption, int timeoutMs)
{
    return QTest::qWaitFor([&] { return !windowFrame(caption).isEmpty(); }, timeoutMs);
}

QImage KWinSession::screenshot()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return {};
    QDBusPendingCall pending = [&] {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kwinService, u"/org/kde/KWin/ScreenShot2"_s,
                                           u"org.kde.KWin.ScreenShot2"_s, u"CaptureWorkspace"_s);
        call << QVariantMap{{u"native-resolution"_s, true}}
             << QVariant::fromValue(QDBusUnixFileDescriptor(fds[1]));
        return bus().asyncCall(call);
    }();
    ::close(fds[1]);
    // KWin writes the pixels while or after it answers; the pipe is drained meanwhile, so that
    // a full pipe never holds KWin up, until the answer says how much there is.
    QByteArray data;
    qsizetype expected = -1;
    QVariantMap results;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && (expected < 0 || data.size() < expected)) {
        char buffer[65536];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, n);
            continue;
        }
        if (n == 0 && pending.isFinished())
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
        if (expected < 0 && pending.isFinished()) {
            const QDBusMessage reply = pending.reply();
            if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
                break;
            results = qdbus_cast<QVariantMap>(reply.arguments().first());
            expected =
                qsizetype(results.value(u"stride"_s).toInt()) * results.value(u"height"_s).toInt();
        }
    }
    ::close(fds[0]);
    const int width = results.value(u"width"_s).toInt();
    const int height = results.value(u"height"_s).toInt();
    const int stride = results.value(u"stride"_s).toInt();
    const auto format = static_cast<QImage::Format>(results.value(u"format"_s).toInt());
    if (width <= 0 || height <= 0 || data.size() < qsizetype(stride) * height)
        return {};
    return QImage(reinterpret_cast<const uchar*>(data.constData()), width, height, stride, format)
        .copy();
}

} // namespace corvane::test

#include "KWinSession.moc"
