// SPDX-License-Identifier: GPL-3.0-or-later
// The real application on Xvfb with openbox and a system tray (trayer): start-up time to the
// tray icon docked, resident memory after start-up and after 100 snaps, and the CPU it spends
// while the pointer moves without a button and while nothing happens.

#include "BenchReport.h"
#include "RunningApp.h"
#include "XServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cmath>

#define XK_MISCELLANY
#include <X11/keysymdef.h>

using namespace corvane;
using namespace corvane::bench;
using corvane::test::XServer;

namespace {

constexpr double targetStartupMicros = 300000;
constexpr double targetRssMiB = 50;
constexpr double targetIdleSeconds = 0.05;
constexpr int permissionIntervalSeconds = 3;

// The moving and still phases, shortened by CORVANE_BENCH_SHORT=1 for a quick look.
int movingSeconds()
{
    return qEnvironmentVariableIntValue("CORVANE_BENCH_SHORT") ? 5 : 20;
}
int stillSeconds()
{
    return qEnvironmentVariableIntValue("CORVANE_BENCH_SHORT") ? 15 : 60;
}

void pause(int ms)
{
    QThread::msleep(ms);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    XServer server(XServer::Options{QSize(1920, 1080), 24, true, {}, {}});
    if (!server.isRunning()) {
        note(QStringLiteral("Application: the X server did not start (%1).")
                 .arg(server.errorString()));
        return 1;
    }
    RunningApp corvane(server);
    if (!corvane.startTray()) {
        note(QStringLiteral("Application: trayer did not take the system tray; not measured."));
        return 1;
    }
    // Start-up: from the process start to its icon docked in the tray.
    double startup = 0;
    if (const auto error = corvane.start(&startup)) {
        note(QStringLiteral("Application: %1; start-up, memory and idle figures are missing.")
                 .arg(*error));
        return 1;
    }
    const qint64 pid = corvane.pid();
    pause(1000);
    const double rssStart = rssMiB(pid);

    // Idle with the pointer moving continuously and no button held.
    ProcessTimes before = timesOf(pid);
    QElapsedTimer moving;
    moving.start();
    for (int step = 0; moving.elapsed() < movingSeconds() * 1000; ++step) {
        const double angle = step * 0.05;
        server.fakeMotion(
            QPoint(960 + int(400 * std::cos(angle)), 540 + int(300 * std::sin(angle))));
        pause(8);
    }
    ProcessTimes after = timesOf(pid);
    const double movingCpu = after.cpuSeconds - before.cpuSeconds;
    const double movingRun = after.runSeconds - before.runSeconds;
    const long movingWakes = after.mainThreadWakes - before.mainThreadWakes;

    // Idle with nothing happening.
    before = timesOf(pid);
    pause(stillSeconds() * 1000);
    after = timesOf(pid);
    const double stillCpu = after.cpuSeconds - before.cpuSeconds;
    const double stillRun = after.runSeconds - before.runSeconds;
    const long stillWakes = after.mainThreadWakes - before.mainThreadWakes;
    const long allowedWakes = stillSeconds() / permissionIntervalSeconds + 2;

    // 100 snaps of an xlogo window: shift-drag by the title bar from one half to the other.
    const auto client = server.startClient(
        QStringLiteral("xlogo"), {QStringLiteral("-geometry"), QStringLiteral("400x300+300+300")},
        QStringLiteral("xlogo"));
    // The first snaps make what every later one reuses (the overlay's window and backing store,
    // glyph and glow caches); growth is counted from the tenth on, where a leak would show.
    constexpr int warmSnaps = 10;
    double rssWarm = 0;
    int landed = 0;
    for (int i = 0; client && i < 100; ++i) {
        if (i == warmSnaps)
            rssWarm = rssMiB(pid);
        const auto frame = server.frameGeometry(client->window);
        if (!frame)
            break;
        QPoint at(frame->x() + frame->width() / 2, frame->y() + 8);
        const QPoint goal(i % 2 == 0 ? 1440 : 480, 540);
        server.fakeMotion(at);
        server.fakeButton(1, true);
        pause(20);
        for (int step = 0; step < 4; ++step) {
            at += QPoint(i % 2 == 0 ? 12 : -12, 6);
            server.fakeMotion(at);
            pause(10);
        }
        server.fakeKey(XK_Shift_L, true);
        for (int step = 1; step <= 20; ++step) {
            server.fakeMotion(at + (goal - at) * step / 20);
            pause(12);
        }
        pause(60);
        server.fakeButton(1, false);
        pause(60);
        server.fakeKey(XK_Shift_L, false);
        // A snap resizes the window to its zone (the zones on either side differ in size); a
        // plain move keeps the size it had.
        const auto placed = server.frameGeometry(client->window);
        if (placed && placed->size() != frame->size())
            ++landed;
        pause(20);
    }
    const double rssSnaps = rssMiB(pid);
    corvane.stop();

    figure(QStringLiteral("Start-up: process start to tray icon docked (trayer, XEmbed)"),
           millis(startup), QStringLiteral("< %1 ms").arg(targetStartupMicros / 1000),
           startup < targetStartupMicros);
    figure(QStringLiteral("Resident memory after start-up"),
           QStringLiteral("%1 MiB").arg(rssStart, 0, 'f', 1),
           QStringLiteral("< %1 MiB").arg(targetRssMiB), rssStart < targetRssMiB);
    figure(QStringLiteral("Resident memory after 100 snaps (%1 landed); growth from snap %2 to "
                          "snap 100 in brackets")
               .arg(landed)
               .arg(warmSnaps),
           QStringLiteral("%1 MiB (%2%3 MiB)")
               .arg(rssSnaps, 0, 'f', 1)
               .arg(rssSnaps >= rssWarm ? "+" : "")
               .arg(rssSnaps - rssWarm, 0, 'f', 1),
           QStringLiteral("< %1 MiB, no growth").arg(targetRssMiB),
           rssSnaps < targetRssMiB && rssSnaps - rssWarm < 0.5);
    figure(QStringLiteral("CPU while the pointer moves without a button for %1 s "
                          "(schedstat: %2 s; %3 main-thread wakes)")
               .arg(movingSeconds())
               .arg(movingRun, 0, 'f', 4)
               .arg(movingWakes),
           QStringLiteral("%1 s").arg(movingCpu, 0, 'f', 2),
           QStringLiteral("< %1 s").arg(targetIdleSeconds), movingCpu < targetIdleSeconds);
    figure(QStringLiteral("CPU while nothing happens for %1 s (schedstat: %2 s)")
               .arg(stillSeconds())
               .arg(stillRun, 0, 'f', 4),
           QStringLiteral("%1 s").arg(stillCpu, 0, 'f', 2),
           QStringLiteral("< %1 s").arg(targetIdleSeconds), stillCpu < targetIdleSeconds);
    figure(QStringLiteral("Main-thread wakes while nothing happens for %1 s").arg(stillSeconds()),
           QString::number(stillWakes),
           QStringLiteral("≤ %1 (one per %2 s permission check)")
               .arg(allowedWakes)
               .arg(permissionIntervalSeconds),
           stillWakes <= allowedWakes);
    note(QStringLiteral("Application: build-bench/bin/corvane with its own settings folder on "
                        "Xvfb 1920 × 1080 with openbox and trayer; start-up runs from QProcess "
                        "start to a window of corvane's WM_CLASS below the root (the docked "
                        "icon); CPU from /proc/<pid>/stat (10 ms ticks) with every thread's "
                        "schedstat time beside it; the moving phase is XTest motion every 8 ms; "
                        "wakes are the main thread's context switches.%1")
             .arg(movingSeconds() < 20 ? QStringLiteral(" Phases shortened (CORVANE_BENCH_SHORT).")
                                       : QString()));
    return 0;
}
