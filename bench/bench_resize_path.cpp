// SPDX-License-Identifier: GPL-3.0-or-later
// The resize path of the real application, driven as a user drives it: build-bench/bin/corvane
// on Xvfb with openbox in its stock configuration (Alt and the right button resize by the
// nearest edge) and a tray, two xlogo windows snapped into Halves, the left one resized with
// XTest input. Figures:
//  - Corvane's CPU per motion event while the right window follows the left one's edge, with
//    motion at a fixed rate (CPU from /proc), beside the same for a window resized with no
//    snapped neighbour (what watching a resize costs without following);
//  - how often the neighbour is moved per second of the resize (at most once a display frame);
//  - whether the two meet exactly after the release.

#include "BenchReport.h"
#include "RunningApp.h"
#include "XServer.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <chrono>
#include <cmath>
#include <thread>

#define XK_MISCELLANY
#include <X11/keysymdef.h>

using namespace corvane;
using namespace corvane::bench;
using corvane::test::XServer;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int motionRate = 280; // events per second, as with bench_drag_path

void pause(int ms)
{
    QThread::msleep(ms);
}

bool runCommand(const QStringList& arguments)
{
    return QProcess::execute(RunningApp::binaryPath(), arguments) == 0;
}

// Configure events of a frame that arrived since the last call, read without waiting.
int configures(xcb_connection_t* c, xcb_window_t frame)
{
    int count = 0;
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        if ((event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY &&
            reinterpret_cast<xcb_configure_notify_event_t*>(event)->window == frame)
            ++count;
        free(event);
    }
    return count;
}

struct Sweep {
    double microsPerEvent = 0;
    double followsPerSecond = 0;
};

// Alt and the right button down at `at`, the pointer swept back and forth along `axis` at a
// fixed rate for `seconds` (after half a second left out), then released.
Sweep resize(XServer& server, qint64 pid, QPoint at, QPoint axis, int seconds, xcb_window_t watched)
{
    xcb_connection_t* c = server.connection();
    server.fakeMotion(at);
    server.fakeKey(XK_Alt_L, true);
    server.fakeButton(3, true);
    pause(50);
    const auto period = std::chrono::nanoseconds(1'000'000'000 / motionRate);
    auto next = Clock::now();
    auto sweep = [&](int step) {
        const double t = double(step) / motionRate;
        server.fakeMotion(at + axis * std::sin(t * 2.0));
        next += period;
        std::this_thread::sleep_until(next);
    };
    int step = 0;
    for (; step < motionRate / 2; ++step)
        sweep(step);
    configures(c, watched);
    const ProcessTimes before = timesOf(pid);
    const int counted = motionRate * seconds;
    for (int i = 0; i < counted; ++i, ++step)
        sweep(step);
    const ProcessTimes after = timesOf(pid);
    const int follows = configures(c, watched);
    server.fakeButton(3, false);
    server.fakeKey(XK_Alt_L, false);
    pause(500);
    return {(after.runSeconds - before.runSeconds) * 1e6 / counted, double(follows) / seconds};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    XServer server(XServer::Options{QSize(1920, 1080), 24, true, {}, {}});
    RunningApp app(server);
    if (!server.isRunning() || !app.startTray() || app.start()) {
        note(QStringLiteral("Resize path: the desktop or the application did not start."));
        return 1;
    }
    QList<xcb_window_t> logos;
    for (const char* geometry : {"400x300+100+200", "400x300+900+200"}) {
        const auto logo = server.startClient(
            QStringLiteral("xlogo"), {QStringLiteral("-geometry"), QString::fromLatin1(geometry)},
            QStringLiteral("xlogo"));
        if (!logo) {
            note(QStringLiteral("Resize path: xlogo did not come up."));
            return 1;
        }
        logos.append(logo->window);
    }
    runCommand({QStringLiteral("--apply-layout"), QStringLiteral("Halves")});
    for (int zone = 1; zone <= 2; ++zone) {
        server.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                        QString::number(logos[zone - 1])});
        runCommand({QStringLiteral("--snap-active"), QString::number(zone)});
    }
    pause(1000);
    xcb_connection_t* c = server.connection();
    const xcb_window_t rightFrame = server.frameOf(logos[1]);
    const std::uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, rightFrame, XCB_CW_EVENT_MASK, &structure);

    const int seconds = qEnvironmentVariableIntValue("CORVANE_BENCH_SHORT") ? 3 : 10;
    const QRect left = server.frameGeometry(logos[0]).value_or(QRect());
    const Sweep following = resize(server, app.pid(), QPoint(left.right() - 20, left.center().y()),
                                   QPoint(200, 0), seconds, rightFrame);
    const QRect l = server.frameGeometry(logos[0]).value_or(QRect());
    const QRect r = server.frameGeometry(logos[1]).value_or(QRect());
    const bool exact = l.right() + 1 == r.left() && r.right() == 1919;
    // The bottom edge has no window across it: the window leaves its zone at the first step.
    const Sweep alone = resize(server, app.pid(), QPoint(l.center().x(), l.bottom() - 20),
                               QPoint(0, 150), seconds, rightFrame);

    figure(QStringLiteral("Resize path: Corvane's CPU per motion event, the right window of Halves "
                          "following the left one's edge, XTest motion at %1 per second for %2 s "
                          "(schedstat)")
               .arg(motionRate)
               .arg(seconds),
           micros(following.microsPerEvent), QStringLiteral("-"), std::nullopt);
    figure(QStringLiteral("Resize path: the same for a window resized with no snapped neighbour"),
           micros(alone.microsPerEvent), QStringLiteral("-"), std::nullopt);
    figure(QStringLiteral("Resize path: the neighbour moved per second of the resize"),
           QString::number(following.followsPerSecond, 'f', 1),
           QStringLiteral("at most 62.5 (once per 16 ms)"), following.followsPerSecond <= 62.5);
    figure(QStringLiteral("Resize path: the two windows meet after the release, far edges kept"),
           exact ? QStringLiteral("yes")
                 : QStringLiteral("no (%1 and %2)").arg(l.right() + 1).arg(r.left()),
           QStringLiteral("yes"), exact);
    app.stop();
    return 0;
}
