#include "CorvaneApp.h"

#include "TestEnvironment.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <X11/keysym.h>

namespace corvane::test {

QString CorvaneApp::binaryPath()
{
    return QStringLiteral(CORVANE_BINARY_DIR "/bin/corvane");
}

QString CorvaneApp::openboxConfig()
{
    QFile file(QStringLiteral(CORVANE_SOURCE_DIR "/scripts/openbox-rc.xml"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString CorvaneApp::startScene(Scene& scene)
{
    if (!QFile::exists(binaryPath()))
        return QStringLiteral("no application at ") + binaryPath();
    // The data folder is emptied below: never the working folder of a test run by hand.
    if (qEnvironmentVariable("XDG_DATA_HOME").isEmpty())
        return QStringLiteral("XDG_DATA_HOME is not set (run the test through ctest)");
    resetStores();
    Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
    QDir(qEnvironmentVariable("XDG_DATA_HOME")).removeRecursively();

    XServer::Options options;
    options.openboxConfig = openboxConfig();
    if (options.openboxConfig.isEmpty())
        return QStringLiteral("no openbox configuration");
    scene.server = std::make_unique<XServer>(options);
    XServer& x = *scene.server;
    if (!x.isRunning())
        return x.errorString();
    if (!x.setMonitor(QStringLiteral("Left"), QRect(0, 0, 1440, 900), true,
                      QStringLiteral("screen")) ||
        !x.setMonitor(QStringLiteral("Right"), QRect(1440, 0, 1920, 1080)))
        return QStringLiteral("the monitors could not be set");
    scene.tray = startTray(x);
    if (scene.tray <= 0)
        return QStringLiteral("the tray did not start");
    scene.app = std::make_unique<CorvaneApp>(x);
    if (scene.app->start() <= 0)
        return QStringLiteral("the application did not start");
    const auto logo = x.startClient(
        QStringLiteral("xlogo"), {QStringLiteral("-geometry"), QStringLiteral("400x300+200+200")},
        QStringLiteral("xlogo"));
    if (!logo)
        return QStringLiteral("xlogo did not start");
    scene.logo = *logo;
    // The application is up once its services have applied the layouts.
    QDeadlineTimer deadline(10000);
    while (!isReady() && !deadline.hasExpired())
        QTest::qWait(50);
    return isReady() ? QString() : QStringLiteral("the application did not come up");
}

qint64 CorvaneApp::startTray(XServer& server)
{
    const qint64 pid = server.startProcess(
        QStringLiteral("trayer"),
        {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
         QStringLiteral("left"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
         QStringLiteral("--width"), QStringLiteral("100"), QStringLiteral("--heighttype"),
         QStringLiteral("pixel"), QStringLiteral("--height"), QStringLiteral("24")});
    return pid > 0 && server.waitForWindow(QStringLiteral("trayer")) ? pid : 0;
}

std::optional<QRect> CorvaneApp::trayIcon()
{
    QByteArray panels;
    if (!x_.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--class"), QStringLiteral("trayer")},
                    &panels))
        return std::nullopt;
    // xwininfo's tree line of a window of the application: size, offset in its parent, then
    // its position on the root.
    static const QRegularExpression line(
        QStringLiteral("\\(\"corvane\" \"Corvane\"\\)\\s+(\\d+)x(\\d+)\\+-?\\d+\\+-?\\d+\\s+"
                       "\\+(-?\\d+)\\+(-?\\d+)"));
    for (const QByteArray& panel : panels.trimmed().split('\n')) {
        QByteArray tree;
        if (panel.isEmpty() ||
            !x_.run(QStringLiteral("xwininfo"),
                    {QStringLiteral("-tree"), QStringLiteral("-id"), QString::fromLatin1(panel)},
                    &tree))
            continue;
        if (const auto m = line.match(QString::fromLatin1(tree)); m.hasMatch())
            return QRect(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
                         m.captured(2).toInt());
    }
    return std::nullopt;
}

qint64 CorvaneApp::start()
{
    pid_ = x_.startProcess(binaryPath(), {QStringLiteral("--log-level"), QStringLiteral("info")});
    return pid_;
}

bool CorvaneApp::isReady()
{
    return logText().contains(QStringLiteral("Preferences Key: "));
}

QString CorvaneApp::logText()
{
    QFile file(QDir(qEnvironmentVariable("XDG_DATA_HOME"))
                   .filePath(QStringLiteral("Corvane/corvane.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int CorvaneApp::logCount(const QString& text)
{
    return static_cast<int>(logText().count(text));
}

QList<QByteArray> CorvaneApp::visibleWindows(const QString& name)
{
    QByteArray out;
    QStringList args{QStringLiteral("search"), QStringLiteral("--onlyvisible")};
    if (name.isEmpty())
        args << QStringLiteral("--class") << QStringLiteral("corvane");
    else
        args << QStringLiteral("--name") << name;
    x_.xdotool(args, &out);
    const QByteArray ids = out.trimmed();
    return ids.isEmpty() ? QList<QByteArray>{} : ids.split('\n');
}

bool CorvaneApp::coversArea(const QRect& area)
{
    const QByteArray position = QByteArray::number(area.x()) + ',' + QByteArray::number(area.y());
    const QByteArray size =
        QByteArray::number(area.width()) + 'x' + QByteArray::number(area.height());
    for (const QByteArray& id : visibleWindows()) {
        QByteArray geometry;
        x_.xdotool({QStringLiteral("getwindowgeometry"), QString::fromLatin1(id)}, &geometry);
        if (geometry.contains(position) && geometry.contains(size))
            return true;
    }
    return false;
}

void CorvaneApp::press(xcb_window_t client, bool shift)
{
    pressHolding(client, shift ? XK_Shift_L : XCB_NO_SYMBOL);
}

void CorvaneApp::pressHolding(xcb_window_t client, xcb_keysym_t key)
{
    const auto frame = x_.frameGeometry(client);
    const auto inner = x_.clientGeometry(client);
    if (!frame || !inner)
        return;
    pointer_ = QPoint(frame->center().x(), frame->top() + (inner->top() - frame->top()) / 2);
    x_.fakeMotion(pointer_);
    QTest::qWait(100);
    if (key != XCB_NO_SYMBOL)
        x_.fakeKey(key, true);
    x_.fakeButton(1, true);
    QTest::qWait(150);
}

void CorvaneApp::moveTo(const QPoint& to)
{
    const QPoint from = pointer_;
    const int steps = 25;
    for (int i = 1; i <= steps; ++i) {
        pointer_ = from + (to - from) * i / steps;
        x_.fakeMotion(pointer_);
        QTest::qWait(25);
    }
    QTest::qWait(400); // the poll sees the move and the overlay follows
}

void CorvaneApp::release(bool shift)
{
    releaseHolding(shift ? XK_Shift_L : XCB_NO_SYMBOL);
}

void CorvaneApp::releaseHolding(xcb_keysym_t key)
{
    x_.fakeButton(1, false);
    // The key goes up at once after the button, before Corvane handles either: the release
    // still counts as made with the key held.
    if (key != XCB_NO_SYMBOL)
        x_.fakeKey(key, false);
    QTest::qWait(500);
}

bool CorvaneApp::restart()
{
    const QString ready = QStringLiteral("Preferences Key: ");
    const int started = logCount(ready);
    x_.killProcess(pid_);
    if (start() <= 0)
        return false;
    QDeadlineTimer deadline(10000);
    while (logCount(ready) == started && !deadline.hasExpired())
        QTest::qWait(50);
    return logCount(ready) > started;
}

} // namespace corvane::test
