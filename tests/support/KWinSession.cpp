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

namespace corvane::test {
namespace {

constexpr int pollMs = 25;
const QString kwinService = QStringLiteral("org.kde.KWin");
const QString scriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
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
    return QFile::exists(QStringLiteral("/usr/bin/kwin_wayland")) &&
           !QStandardPaths::findExecutable(QStringLiteral("Xwayland")).isEmpty();
}

KWinSession::KWinSession() : KWinSession(Options{}) {}

KWinSession::KWinSession(Options options)
{
    running_ = start(options);
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
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), directory_.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromLatin1(socket_));
    env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(x11Display_));
    env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
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

bool KWinSession::start(const Options& options)
{
    if (!directory_.isValid() || !QDir(directory_.path()).mkpath(QStringLiteral("run")) ||
        !QDir(directory_.path()).mkpath(QStringLiteral("config"))) {
        error_ = QStringLiteral("No temporary folder");
        return false;
    }
    QFile::setPermissions(directory_.filePath(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcess* bus = spawn(QStringLiteral("dbus-daemon"),
                          {QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--print-address")},
                          QProcessEnvironment::systemEnvironment(), {}, true);
    if (!bus || !bus->waitForReadyRead(5000)) {
        error_ = QStringLiteral("dbus-daemon could not be started");
        return false;
    }
    busAddress_ = QString::fromUtf8(bus->readLine()).trimmed();
    busName_ = QStringLiteral("kwin-session-%1").arg(quintptr(this));
    if (!QDBusConnection::connectToBus(busAddress_, busName_).isConnected()) {
        error_ = QStringLiteral("Cannot connect to the session's bus");
        return false;
    }

    // The installed binary carries a file capability that a container refuses to run; a plain
    // copy runs.
    const QString kwin = directory_.filePath(QStringLiteral("kwin_wayland"));
    if (!QFile::copy(QStringLiteral("/usr/bin/kwin_wayland"), kwin)) {
        error_ = QStringLiteral("Cannot copy kwin_wayland");
        return false;
    }
    socket_ = "corvane-kwin-" + QByteArray::number(::getpid());
    const QString displayFile = directory_.filePath(QStringLiteral("display"));
    QProcessEnvironment env = environment();
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), directory_.filePath(QStringLiteral("config")));
    // Test-only switches: fake input and screenshots without asking anyone.
    env.insert(QStringLiteral("KWIN_WAYLAND_NO_PERMISSION_CHECKS"), QStringLiteral("1"));
    env.insert(QStringLiteral("KWIN_SCREENSHOT_NO_PERMISSION_CHECKS"), QStringLiteral("1"));
    // KWin starts the program given last once Xwayland is up: it tells which display that is.
    const QString announce = QStringLiteral("sh -c 'echo $DISPLAY > %1.tmp && mv %1.tmp %1; "
                                            "exec sleep 100000'")
                                 .arg(displayFile);
    const QString logFile = qEnvironmentVariable("CORVANE_KWIN_LOG");
    if (!spawn(kwin,
               {QStringLiteral("--virtual"), QStringLiteral("--width"),
                QString::number(options.outputSize.width()), QStringLiteral("--height"),
                QString::number(options.outputSize.height()), QStringLiteral("--output-count"),
                QString::number(options.outputCount), QStringLiteral("--scale"),
                QString::number(options.scale), QStringLiteral("--socket"),
                QString::fromLatin1(socket_), QStringLiteral("--no-lockscreen"),
                QStringLiteral("--xwayland"), announce},
               env, logFile)) {
        error_ = QStringLiteral("kwin_wayland could not be started");
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!QFile::exists(displayFile) && !deadline.hasExpired())
        QThread::msleep(pollMs);
    QFile file(displayFile);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("KWin or Xwayland did not come up");
        return false;
    }
    x11Display_ = file.readAll().trimmed();
    if (!connectFakeInput()) {
        error_ = QStringLiteral("KWin offers no fake input");
        return false;
    }
    return true;
}

bool KWinSession::connectFakeInput()
{
    const QByteArray path =
        QFile::encodeName(directory_.filePath(QStringLiteral("run"))) + "/" + socket_;
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

bool KWinSession::killProcess(qint64 pid)
{
    for (auto it = processes_.begin(); it != processes_.end(); ++it) {
        if ((*it)->processId() == pid) {
            stopProcessGroup(**it, 3000);
            processes_.erase(it);
            return true;
        }
    }
    return false;
}

QJsonValue KWinSession::evaluate(const QString& expression)
{
    QDBusConnection connection = bus();
    ResultSink sink;
    const QString path = QStringLiteral("/Results%1").arg(++scriptCount_);
    if (!connection.registerObject(path, &sink, QDBusConnection::ExportScriptableSlots))
        return QJsonValue(QJsonValue::Undefined);
    const QString name = QStringLiteral("corvane-test-%1").arg(scriptCount_);
    const QString file = directory_.filePath(name + QStringLiteral(".js"));
    QFile script(file);
    if (!script.open(QIODevice::WriteOnly))
        return QJsonValue(QJsonValue::Undefined);
    script.write(
        QStringLiteral("callDBus(\"%1\", \"%2\", \"app.corvane.TestResults\", "
                       "\"result\", JSON.stringify([(function () { return (%3); })()]));\n")
            .arg(connection.baseService(), path, expression)
            .toUtf8());
    script.close();

    const auto scripting = [&](const QString& method, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kwinService, QStringLiteral("/Scripting"), scriptingInterface, method);
        call.setArguments(arguments);
        connection.call(call);
    };
    scripting(QStringLiteral("loadScript"), {file, name});
    scripting(QStringLiteral("start"), {});
    QTest::qWaitFor([&] { return sink.received > 0; }, 5000);
    scripting(QStringLiteral("unloadScript"), {name});
    connection.unregisterObject(path);
    if (sink.received == 0)
        return QJsonValue(QJsonValue::Undefined);
    return QJsonDocument::fromJson(sink.last.toUtf8()).array().at(0);
}

QRectF KWinSession::windowFrame(const QString& caption)
{
    const QJsonValue frame = evaluate(
        QStringLiteral("(function () { var list = workspace.windowList ? workspace.windowList() "
                       ": workspace.clientList(); for (var i = 0; i < list.length; ++i) { "
                       "var c = list[i]; if (c.caption.indexOf(%1) === 0) { var g = "
                       "c.frameGeometry; return [g.x, g.y, g.width, g.height]; } } return []; "
                       "})()")
            .arg(
                QString::fromUtf8(QJsonDocument(QJsonArray{caption}).toJson(QJsonDocument::Compact))
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
        QDBusMessage call = QDBusMessage::createMethodCall(
            kwinService, QStringLiteral("/org/kde/KWin/ScreenShot2"),
            QStringLiteral("org.kde.KWin.ScreenShot2"), QStringLiteral("CaptureWorkspace"));
        call << QVariantMap{{QStringLiteral("native-resolution"), true}}
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
            expected = qsizetype(results.value(QStringLiteral("stride")).toInt()) *
                       results.value(QStringLiteral("height")).toInt();
        }
    }
    ::close(fds[0]);
    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const int stride = results.value(QStringLiteral("stride")).toInt();
    const auto format =
        static_cast<QImage::Format>(results.value(QStringLiteral("format")).toInt());
    if (width <= 0 || height <= 0 || data.size() < qsizetype(stride) * height)
        return {};
    return QImage(reinterpret_cast<const uchar*>(data.constData()), width, height, stride, format)
        .copy();
}

} // namespace corvane::test

#include "KWinSession.moc"
