// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningApp.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QThread>
#include <unistd.h>

namespace corvane::bench {
namespace {

// A window of the application docked somewhere below the root: the tray icon.
bool hasDockedWindow(xcb_connection_t* c, xcb_window_t window, xcb_window_t root,
                     const QByteArray& wmClass, int depth = 0)
{
    auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (!tree)
        return false;
    bool found = false;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
        const xcb_window_t child = children[i];
        if (window != root) {
            auto* cls = xcb_get_property_reply(
                c, xcb_get_property(c, 0, child, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64),
                nullptr);
            if (cls) {
                const QByteArray value(static_cast<const char*>(xcb_get_property_value(cls)),
                                       xcb_get_property_value_length(cls));
                found = value.toLower().contains(wmClass);
                free(cls);
            }
        }
        if (!found && depth < 4)
            found = hasDockedWindow(c, child, root, wmClass, depth + 1);
    }
    free(tree);
    return found;
}

bool isRunning(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

} // namespace

ProcessTimes timesOf(qint64 pid)
{
    ProcessTimes t;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        // Fields after the command name, which is in parentheses and may hold spaces.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12) {
            const double tick = double(sysconf(_SC_CLK_TCK));
            t.cpuSeconds = (fields[11].toDouble() + fields[12].toDouble()) / tick;
        }
    }
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (schedstat.open(QIODevice::ReadOnly))
            t.runSeconds += schedstat.readAll().split(' ').value(0).toDouble() / 1e9;
    }
    QFile status(QStringLiteral("/proc/%1/task/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.contains("ctxt_switches:"))
                t.mainThreadWakes += line.split(':').value(1).trimmed().toLong();
        }
    }
    return t;
}

double rssMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

QString RunningApp::binaryPath()
{
    return qEnvironmentVariable("CORVANE_BINARY_DIR") + QStringLiteral("/bin/corvane");
}

bool RunningApp::startTray()
{
    server_.startProcess(QStringLiteral("trayer"),
                         {QStringLiteral("--edge"), QStringLiteral("top"),
                          QStringLiteral("--align"), QStringLiteral("right"),
                          QStringLiteral("--widthtype"), QStringLiteral("request"),
                          QStringLiteral("--height"), QStringLiteral("24")});
    xcb_connection_t* c = server_.connection();
    const xcb_atom_t tray = server_.atom("_NET_SYSTEM_TRAY_S0");
    auto owned = [&] {
        auto* owner = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, tray), nullptr);
        const bool result = owner && owner->owner != XCB_NONE;
        free(owner);
        return result;
    };
    const QDeadlineTimer deadline(10000);
    while (!owned() && !deadline.hasExpired())
        QThread::msleep(20);
    return owned();
}

std::optional<QString> RunningApp::start(double* startupMicros)
{
    if (!QFile::exists(binaryPath()))
        return QStringLiteral("%1 is missing").arg(binaryPath());
    // A later launch, as most are: the first one opens the preferences a second after start.
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane"),
                           QStringLiteral("Corvane"));
        settings.setValue(QStringLiteral("HasLaunchedBefore"), true);
        settings.sync();
    }
    xcb_connection_t* c = server_.connection();
    QElapsedTimer clock;
    clock.start();
    pid_ = server_.startProcess(binaryPath(), {});
    bool docked = false;
    const QDeadlineTimer deadline(10000);
    while (!(docked = hasDockedWindow(c, server_.root(), server_.root(), "corvane")) &&
           !deadline.hasExpired() && isRunning(pid_))
        QThread::msleep(1);
    if (startupMicros)
        *startupMicros = clock.nsecsElapsed() / 1000.0;
    if (docked)
        return std::nullopt;
    return isRunning(pid_) ? QStringLiteral("no tray icon appeared within 10 s")
                           : QStringLiteral("corvane ended at once without showing a tray icon");
}

void RunningApp::stop()
{
    if (pid_ > 0)
        server_.killProcess(pid_);
    pid_ = 0;
}

} // namespace corvane::bench
