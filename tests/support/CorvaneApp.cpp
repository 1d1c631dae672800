#include "CorvaneApp.h"

#include <QDir>
#include <QFile>
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
    QTest::qWait(400); // the poll sees the move and the overlay follows
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

} // namespace corvane::test
