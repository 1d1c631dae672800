// SPDX-License-Identifier: GPL-3.0-or-later
// The whole drag path of the real application, driven as a user drives it: build-bench/bin/
// corvane on Xvfb with openbox and a tray, an xlogo window dragged by its title bar with XTest
// input. Three figures:
//  - Corvane's CPU per motion event while a Shift-drag shows the overlay, with motion at a fixed
//    rate (CPU from /proc);
//  - mouse-up to window in place with 1, 100 and 300 windows open;
//  - the file-system calls Corvane makes during a drag (strace), per drag event and per overlay.

#include "BenchReport.h"
#include "RunningApp.h"
#include "XServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cmath>
#include <csignal>
#include <poll.h>
#include <thread>

#define XK_MISCELLANY
#include <X11/keysymdef.h>

using namespace corvane;
using namespace corvane::bench;
using corvane::test::XServer;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int motionRate = 280; // events per second, as a mouse moved briskly by hand gives
constexpr double targetMicrosPerEvent = 30;
constexpr double targetSnapMicros = 5000;
constexpr QSize screen(1920, 1080);

bool shortRun()
{
    return qEnvironmentVariableIntValue("CORVANE_BENCH_SHORT") != 0;
}

// Only the CPU of the drag (CORVANE_BENCH_CPU_ONLY=1), to compare two builds quickly.
bool cpuOnly()
{
    return qEnvironmentVariableIntValue("CORVANE_BENCH_CPU_ONLY") != 0;
}

void pause(int ms)
{
    QThread::msleep(ms);
}

// Motion at a fixed rate: each step waits for its own moment rather than for a fixed time after
// the previous one, so that slow steps do not lower the rate.
class Metronome {
public:
    explicit Metronome(int perSecond)
        : period_(std::chrono::nanoseconds(1'000'000'000 / perSecond)), next_(Clock::now())
    {}
    void tick()
    {
        next_ += period_;
        std::this_thread::sleep_until(next_);
    }

private:
    std::chrono::nanoseconds period_;
    Clock::time_point next_;
};

// A drag of one client by its title bar.
class Drag {
public:
    Drag(XServer& server, xcb_window_t client) : server_(server), client_(client) {}

    // The button goes down on the title bar and the pointer moves a little towards `towards`,
    // so that the window manager starts its move; Shift follows when asked.
    bool begin(const QPoint& towards, bool shift)
    {
        const auto frame = server_.frameGeometry(client_);
        const auto inner = server_.clientGeometry(client_);
        if (!frame || !inner)
            return false;
        at_ = QPoint(frame->center().x(), frame->top() + (inner->top() - frame->top()) / 2);
        server_.fakeMotion(at_);
        server_.fakeButton(1, true);
        pause(20);
        const QPoint step(towards.x() > at_.x() ? 12 : -12, towards.y() > at_.y() ? 6 : -6);
        for (int i = 0; i < 4; ++i) {
            at_ += step;
            server_.fakeMotion(at_);
            pause(10);
        }
        if (shift)
            server_.fakeKey(XK_Shift_L, true);
        return true;
    }
    void moveTo(const QPoint& goal, int steps)
    {
        const QPoint from = at_;
        for (int i = 1; i <= steps; ++i) {
            at_ = from + (goal - from) * i / steps;
            server_.fakeMotion(at_);
            pause(12);
        }
    }
    void motion(const QPoint& p)
    {
        at_ = p;
        server_.fakeMotion(p);
    }
    void release() { server_.fakeButton(1, false); }

private:
    XServer& server_;
    xcb_window_t client_;
    QPoint at_;
};

// Managed windows of this process's own, small, in a grid below the tray. They ask for their
// place (as a program that restores its windows does): left to its own placement, openbox takes
// many seconds to place a few hundred windows, and the snaps measured meanwhile would time
// openbox's placement. Returns once the window manager manages them all.
bool openWindows(XServer& server, int count)
{
    xcb_connection_t* c = server.connection();
    static int made = 0;
    const qsizetype managed = server.clientWindows().size();
    for (int i = 0; i < count; ++i, ++made) {
        const xcb_window_t w = xcb_generate_id(c);
        const std::uint32_t values[] = {0xc0c0c0};
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, server.root(), 40 + (made % 20) * 90,
                          60 + (made / 20) * 60, 80, 40, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL, values);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, 14,
                            "filler\0Filler\0");
        // WM_NORMAL_HINTS with only USPosition set: 18 numbers, the flags first.
        std::uint32_t hints[18] = {1};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NORMAL_HINTS,
                            XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
        xcb_map_window(c, w);
    }
    xcb_flush(c);
    const QDeadlineTimer deadline(60000);
    while (server.clientWindows().size() < managed + count) {
        if (deadline.hasExpired())
            return false;
        pause(100);
    }
    return true;
}

bool near(const QRect& a, const QRect& b)
{
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1 &&
           std::abs(a.width() - b.width()) <= 1 && std::abs(a.height() - b.height()) <= 1;
}

// The goals of the two zones the snaps go between: the middle of the default layout's main zone
// (the left 60 %) and of its top-right zone.
const QPoint goals[2] = {QPoint(576, 540), QPoint(1536, 300)};

// When a snap's steps happened, in microseconds from the synthetic release.
struct SnapTimes {
    std::optional<double> request;  // Corvane's move request reached the root
    std::optional<double> placed;   // the frame stands at its target
    std::optional<double> answered; // a round trip of another client, begun at the release
};

// The X server's own delay after a release: how long a client that is neither Corvane nor the
// window manager waits for the answer to its smallest request sent at the release.
double serverAnswer(const QByteArray& display, Clock::time_point start)
{
    static xcb_connection_t* probe = xcb_connect(display.constData(), nullptr);
    free(xcb_get_input_focus_reply(probe, xcb_get_input_focus(probe), nullptr));
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Waits for the frame to stand at `target`, told by its ConfigureNotify events (it was asked
// for them): a loop asking the server would take a CPU from the processes being measured. The
// move request Corvane sends to the window manager also goes to the root's substructure
// listeners, so its arrival splits the time between Corvane and the window manager.
SnapTimes waitForFrame(xcb_connection_t* c, xcb_window_t client, xcb_window_t frame,
                       xcb_atom_t moveResize, const QRect& target, Clock::time_point start)
{
    SnapTimes times;
    auto since = [start] {
        return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    };
    const auto deadline = start + std::chrono::seconds(2);
    pollfd socket{xcb_get_file_descriptor(c), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            std::optional<QRect> placed;
            const std::uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CONFIGURE_NOTIFY) {
                const auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
                if (e->window == frame)
                    placed = QRect(e->x, e->y, e->width + 2 * e->border_width,
                                   e->height + 2 * e->border_width);
            } else if (type == XCB_CLIENT_MESSAGE && !times.request) {
                const auto* e = reinterpret_cast<xcb_client_message_event_t*>(event);
                if (e->type == moveResize && e->window == client)
                    times.request = since();
            }
            free(event);
            if (placed && near(*placed, target)) {
                times.placed = since();
                return times;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        ::poll(&socket, 1, std::max<int>(1, int(left.count())));
    }
    return times;
}

// Snaps the client into zone `zone` with a Shift-drag. Returns when its steps happened after
// the synthetic release; with no target, waits a moment and gives the frame where it stood as
// `target`.
SnapTimes snap(XServer& server, xcb_window_t client, int zone, std::optional<QRect>& target)
{
    xcb_connection_t* c = server.connection();
    const xcb_window_t frame = server.frameOf(client);
    const std::uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, frame, XCB_CW_EVENT_MASK, &structure);
    const std::uint32_t substructure = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, server.root(), XCB_CW_EVENT_MASK, &substructure);
    Drag drag(server, client);
    if (!drag.begin(goals[zone], true))
        return {};
    drag.moveTo(goals[zone], 20);
    pause(80);
    // What the drag moved is old news.
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(c))
        free(event);
    const auto start = Clock::now();
    drag.release();
    SnapTimes times;
    if (target) {
        // Asked beside, so that the events of the snap are read as they come.
        double answered = 0;
        std::thread probe([&] { answered = serverAnswer(server.display(), start); });
        times =
            waitForFrame(c, client, frame, server.atom("_NET_MOVERESIZE_WINDOW"), *target, start);
        probe.join();
        times.answered = answered;
    } else {
        pause(400);
        target = server.frameGeometry(client);
    }
    const std::uint32_t none = XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(c, server.root(), XCB_CW_EVENT_MASK, &none);
    server.fakeKey(XK_Shift_L, false);
    pause(60);
    return times;
}

// The calls counted by strace -c in its summary table: the file-system calls, and the polls of
// the event loop, traced beside them to show that strace was attached at all.
struct TracedCalls {
    long file = 0;
    long polls = 0;
};

TracedCalls countedCalls(const QString& summary)
{
    TracedCalls calls;
    static const QRegularExpression row(
        QStringLiteral("^\\s*[\\d.]+\\s+[\\d.]+\\s+\\d+\\s+(\\d+)\\s+(?:\\d+\\s+)?(\\w+)\\s*$"));
    for (const QString& line : summary.split(QLatin1Char('\n'))) {
        const auto m = row.match(line);
        if (!m.hasMatch() || m.captured(2) == u"total")
            continue;
        const QString name = m.captured(2);
        (name == u"poll" || name == u"ppoll" ? calls.polls : calls.file) += m.captured(1).toLong();
    }
    return calls;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    XServer server(XServer::Options{screen, 24, true, {}, {}});
    if (!server.isRunning()) {
        note(QStringLiteral("Drag path: the X server did not start (%1).")
                 .arg(server.errorString()));
        return 1;
    }
    RunningApp corvane(server);
    if (!corvane.startTray()) {
        note(QStringLiteral("Drag path: trayer did not take the system tray; not measured."));
        return 1;
    }
    if (const auto error = corvane.start()) {
        note(QStringLiteral("Drag path: %1; not measured.").arg(*error));
        return 1;
    }
    const qint64 pid = corvane.pid();
    const auto logo = server.startClient(
        QStringLiteral("xlogo"), {QStringLiteral("-geometry"), QStringLiteral("400x300+300+300")},
        QStringLiteral("xlogo"));
    if (!logo) {
        note(QStringLiteral("Drag path: xlogo did not come up."));
        return 1;
    }
    pause(1000);

    // The CPU of a Shift-drag with the overlay up, the pointer sweeping the display at a fixed
    // rate; the first half second (the overlay's first paint) is left out.
    const int seconds = shortRun() ? 3 : 10;
    Drag drag(server, logo->window);
    drag.begin(QPoint(960, 540), true);
    Metronome metronome(motionRate);
    auto sweep = [&](int step) {
        const double t = double(step) / motionRate;
        drag.motion(QPoint(960 + int(800 * std::sin(t * 0.9)), 560 + int(420 * std::sin(t * 1.3))));
        metronome.tick();
    };
    int step = 0;
    for (; step < motionRate / 2; ++step)
        sweep(step);
    const ProcessTimes before = timesOf(pid);
    const int counted = motionRate * seconds;
    for (int i = 0; i < counted; ++i, ++step)
        sweep(step);
    const ProcessTimes after = timesOf(pid);
    drag.release();
    server.fakeKey(XK_Shift_L, false);
    pause(500);
    const double runMicros = (after.runSeconds - before.runSeconds) * 1e6 / counted;
    const double statMicros = (after.cpuSeconds - before.cpuSeconds) * 1e6 / counted;

    // Mouse-up to window in place with 1, 100 and 300 windows (the logo and fillers).
    const int snapsEach = shortRun() ? 6 : 20;
    std::optional<QRect> targets[2];
    for (int zone = 0; zone < 2; ++zone)
        snap(server, logo->window, zone, targets[zone]);
    struct Latency {
        int windows;
        Samples samples;
        Samples requests; // the part until Corvane's move request
        Samples answers;  // the X server's answer to another client after the release
        int missed = 0;
    };
    QList<Latency> latencies;
    int open = 1;
    for (int windows : cpuOnly() ? QList<int>{} : QList<int>{1, 100, 300}) {
        if (!openWindows(server, windows - open)) {
            note(QStringLiteral("Drag path: openbox did not manage %1 windows within a minute.")
                     .arg(windows));
            break;
        }
        open = windows;
        pause(windows > 1 ? 1000 : 200); // the window manager settles
        // The new windows came up above the logo; it goes back on top, as a click would put it.
        server.xdotool({QStringLiteral("windowraise"), QString::number(logo->window)});
        pause(200);
        Latency latency{windows, {}, {}, {}};
        for (int i = 0; i < snapsEach; ++i) {
            const int zone = i % 2;
            if (!targets[zone]) {
                ++latency.missed;
                continue;
            }
            const SnapTimes times = snap(server, logo->window, zone, targets[zone]);
            if (times.placed)
                latency.samples.add(*times.placed);
            else
                ++latency.missed;
            if (times.placed && times.request)
                latency.requests.add(*times.request);
            if (times.placed && times.answered)
                latency.answers.add(*times.answered);
        }
        latencies.append(latency);
    }

    // File-system calls during a drag: strace counts them while a Shift-drag of a few hundred
    // motion events shows and hides the overlay and ends in a snap.
    std::optional<TracedCalls> calls;
    int dragEvents = 0, overlays = 0;
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    QTemporaryDir scratch;
    if (!cpuOnly() && !strace.isEmpty() && scratch.isValid()) {
        const QString summary = scratch.filePath(QStringLiteral("strace.txt"));
        QProcess tracer;
        tracer.start(strace,
                     {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-c"),
                      QStringLiteral("-e"), QStringLiteral("trace=%file,poll,ppoll"),
                      QStringLiteral("-o"), summary, QStringLiteral("-p"), QString::number(pid)});
        if (tracer.waitForStarted()) {
            pause(1000); // attached to every thread
            Drag traced(server, logo->window);
            traced.begin(QPoint(960, 540), false);
            Metronome beat(motionRate);
            for (int i = 0; i < 4 * motionRate / 2; ++i, ++step, ++dragEvents) {
                // Shift goes down and up every quarter second: an overlay each time.
                if (i % (motionRate / 4) == 0) {
                    const bool down = (i / (motionRate / 4)) % 2 == 0;
                    server.fakeKey(XK_Shift_L, down);
                    overlays += down ? 1 : 0;
                }
                const double t = double(step) / motionRate;
                traced.motion(
                    QPoint(960 + int(800 * std::sin(t * 0.9)), 560 + int(420 * std::sin(t * 1.3))));
                beat.tick();
            }
            server.fakeKey(XK_Shift_L, true);
            traced.moveTo(goals[0], 10);
            ++overlays;
            dragEvents += 10;
            pause(80);
            traced.release();
            server.fakeKey(XK_Shift_L, false);
            pause(500);
            ::kill(static_cast<pid_t>(tracer.processId()), SIGINT);
            tracer.waitForFinished(5000);
            QFile file(summary);
            if (file.open(QIODevice::ReadOnly))
                calls = countedCalls(QString::fromUtf8(file.readAll()));
        }
    }
    corvane.stop();

    figure(QStringLiteral("Whole drag path: Corvane's CPU per motion event, Shift-drag with the "
                          "overlay up, XTest motion at %1 per second for %2 s (/proc/<pid>/stat: "
                          "%3)")
               .arg(motionRate)
               .arg(seconds)
               .arg(micros(statMicros)),
           micros(runMicros), QStringLiteral("≤ %1 µs").arg(targetMicrosPerEvent),
           runMicros <= targetMicrosPerEvent);
    for (const Latency& l : latencies) {
        if (l.samples.isEmpty()) {
            figure(QStringLiteral("Mouse-up to window in place, %1 windows open").arg(l.windows),
                   QStringLiteral("no snap landed"),
                   QStringLiteral("< %1 ms").arg(targetSnapMicros / 1000), false);
            continue;
        }
        figure(QStringLiteral("Mouse-up to window in place, %1 windows open (median of %2 snaps; "
                              "90th percentile %3; Corvane's move request sent after %4; the X "
                              "server answers another client after %5)")
                   .arg(l.windows)
                   .arg(l.samples.size())
                   .arg(millis(l.samples.quantile(0.9)))
                   .arg(l.requests.isEmpty() ? QStringLiteral("—") : millis(l.requests.median()))
                   .arg(l.answers.isEmpty() ? QStringLiteral("—") : millis(l.answers.median())),
               millis(l.samples.median()), QStringLiteral("< %1 ms").arg(targetSnapMicros / 1000),
               l.samples.median() < targetSnapMicros);
    }
    if (!calls)
        figure(QStringLiteral("File-system calls during a drag (strace)"),
               QStringLiteral("not measured (strace missing or not started)"), QStringLiteral("0"),
               std::nullopt);
    else if (calls->polls == 0)
        figure(QStringLiteral("File-system calls during a drag (strace)"),
               QStringLiteral("not measured (strace saw no call at all: not attached)"),
               QStringLiteral("0"), std::nullopt);
    else
        figure(QStringLiteral("File-system calls during a drag of %1 motion events, %2 overlays "
                              "and a snap (strace; %3 polls of the event loop beside them)")
                   .arg(dragEvents)
                   .arg(overlays)
                   .arg(calls->polls),
               QStringLiteral("%1 (%2 per drag event)")
                   .arg(calls->file)
                   .arg(double(calls->file) / dragEvents, 0, 'f', 2),
               QStringLiteral("0 per drag event or overlay"), calls->file == 0);
    QStringList missed;
    for (const Latency& l : latencies) {
        if (l.missed)
            missed << QStringLiteral("%1 at %2 windows").arg(l.missed).arg(l.windows);
    }
    note(QStringLiteral("Drag path: build-bench/bin/corvane with its own settings folder on Xvfb "
                        "1920 × 1080 with openbox and trayer, its default layout; an xlogo window "
                        "dragged by its title bar with XTest input. CPU: every thread's schedstat "
                        "time over the counted motion events (the stat ticks beside it). Snaps: "
                        "from the synthetic release to the frame read back at its zone (±1 px), "
                        "between two zones, the other windows being small managed windows of the "
                        "benchmark's own; the time of Corvane's _NET_MOVERESIZE_WINDOW request is "
                        "when it reached the benchmark, which listens on the root%1. File-system "
                        "calls: strace -f -c -e trace=%file,poll,ppoll attached to the process for "
                        "the whole drag (the polls show that it was attached).%2")
             .arg(missed.isEmpty() ? QString()
                                   : QStringLiteral("; snaps that did not land: ") +
                                         missed.join(QStringLiteral(", ")))
             .arg(shortRun() ? QStringLiteral(" Shortened (CORVANE_BENCH_SHORT).") : QString()));
    return 0;
}
