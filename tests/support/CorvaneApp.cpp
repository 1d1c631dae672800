// SPDX-License-Identifier: GPL-3.0-or-later
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

using namespace Qt::StringLiterals;

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
        return u"no application at "_s + binaryPath();
    // The data folder is emptied below: never the working folder of a test run by hand.
    if (qEnvironmentVariable("XDG_DATA_HOME").isEmpty())
        return u"XDG_DATA_HOME is not set (run the test through ctest)"_s;
    resetStores();
    Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
    QDir(qEnvironmentVariable("XDG_DATA_HOME")).removeRecursively();

    XServer::Options options;
    options.openboxConfig = openboxConfig();
    if (options.openboxConfig.isEmpty())
        return u"no openbox configuration"_s;
    scene.server = std::make_unique<XServer>(options);
    XServer& x = *scene.server;
    if (!x.isRunning())
        return x.errorString();
    if (!x.setMonitor(u"Left"_s, QRect(0, 0, 1440, 900), true, u"screen"_s) ||
        !x.setMonitor(u"Right"_s, QRect(1440, 0, 1920, 1080)))
        return u"the monitors could not be set"_s;
    scene.tray = startTray(x);
    if (scene.tray <= 0)
        return u"the tray did not start"_s;
    scene.app = std::make_unique<CorvaneApp>(x);
    if (scene.app->start() <= 0)
        return u"the application did not start"_s;
    const auto logo = x.startClient(u"xlogo"_s, {u"-geometry"_s, u"400x300+200+200"_s}, u"xlogo"_s);
    if (!logo)
        return u"xlogo did not start"_s;
    scene.logo = *logo;
    // The application is up once its services have applied the layouts.
    QDeadlineTimer deadline(10000);
    while (!isReady() && !deadline.hasExpired())
        QTest::qWait(50);
    return isReady() ? QString() : u"the application did not come up"_s;
}

qint64 CorvaneApp::startTray(XServer& server)
{
    const qint64 pid =
        server.startProcess(u"trayer"_s, {u"--edge"_s, u"bottom"_s, u"--align"_s, u"left"_s,
                                          u"--widthtype"_s, u"pixel"_s, u"--width"_s, u"100"_s,
                                          u"--heighttype"_s, u"pixel"_s, u"--height"_s, u"24"_s});
    return pid > 0 && server.waitForWindow(u"trayer"_s) ? pid : 0;
}

std::optional<QRect> CorvaneApp::trayIcon()
{
    QByteArray panels;
    if (!x_.xdotool({u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"trayer"_s}, &panels))
        return std::nullopt;
    // xwininfo's tree line of a window of the application: size, offset in its parent, then
    // its position on the root.
    static const QRegularExpression line(
        u"\\(\"corvane\" \"Corvane\"\\)\\s+(\\d+)x(\\d+)\\+-?\\d+\\+-?\\d+\\s+"
        "\\+(-?\\d+)\\+(-?\\d+)"_s);
    for (const QByteArray& panel : panels.trimmed().split('\n')) {
        QByteArray tree;
        if (panel.isEmpty() ||
            !x_.run(u"xwininfo"_s, {u"-tree"_s, u"-id"_s, QString::fromLatin1(panel)}, &tree))
            continue;
        if (const auto m = line.match(QString::fromLatin1(tree)); m.hasMatch())
            return QRect(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
                         m.captured(2).toInt());
    }
    return std::nullopt;
}

qint64 CorvaneApp::start()
{
    pid_ = x_.startProcess(binaryPath(), {u"--log-level"_s, u"info"_s});
    return pid_;
}

bool CorvaneApp::isReady()
{
    return logText().contains(u"Preferences Key: "_s);
}

QString CorvaneApp::logText()
{
    QFile file(QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath(u"Corvane/corvane.log"_s));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int CorvaneApp::logCount(const QString& text)
{
    return static_cast<int>(logText().count(text));
}

QList<QByteArray> CorvaneApp::visibleWindows(const QString& name)
{
    QByteArray out;
    QStringList args{u"search"_s, u"--onlyvisible"_s};
    if (name.isEmpty())
        args << u"--class"_s << u"corvane"_s;
    else
        args << u"--name"_s << name;
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
        x_.xdotool({u"getwindowgeometry"_s, QString::fromLatin1(id)}, &geometry);
        if (geometry.contains(position) && geometry.contains(size))
            return true;
    }
    return false;
}

void CorvaneApp::press(xcb_window_t client, bool shift)
{
    const auto frame = x_.frameGeometry(client);
    const auto inner = x_.clientGeometry(client);
    if (!frame || !inner)
        return;
    pointer_ = QPoint(frame->center().x(), frame->top() + (inner->top() - frame->top()) / 2);
    x_.fakeMotion(pointer_);
    QTest::qWait(100);
    if (shift)
        x_.fakeKey(XK_Shift_L, true);
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
    QTest::qWait(400); // the overlay follows the last move
}

void CorvaneApp::release(bool shift)
{
    x_.fakeButton(1, false);
    // Shift goes up at once after the button, before Corvane handles either: the release still
    // counts as made with Shift held.
    if (shift)
        x_.fakeKey(XK_Shift_L, false);
    QTest::qWait(500);
}

bool CorvaneApp::restart()
{
    const QString ready = u"Preferences Key: "_s;
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
