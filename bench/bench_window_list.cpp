// SPDX-License-Identifier: GPL-3.0-or-later
// A window-list fetch through the X11 backend with 60 client windows under openbox on Xvfb:
// the time of one fetch and how many times it waits for the server (round trips).

#include "BenchReport.h"
#include "XServer.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/XcbConnection.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

using namespace corvane;
using namespace corvane::bench;
using corvane::test::XServer;

namespace {

constexpr int clients = 60;
constexpr double targetMicros = 3000;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!XServer::isAvailable()) {
        note(QStringLiteral("Window list: Xvfb is not installed; not measured."));
        return 1;
    }
    XServer server(XServer::Options{QSize(1920, 1080), 24, true, {}, {}});
    if (!server.isRunning()) {
        note(QStringLiteral("Window list: the X server did not start (%1).")
                 .arg(server.errorString()));
        return 1;
    }
    // Small real clients: each is one managed top-level window with a frame.
    for (int i = 0; i < clients; ++i) {
        server.startProcess(QStringLiteral("xlogo"),
                            {QStringLiteral("-geometry"),
                             QStringLiteral("160x120+%1+%2").arg(20 * (i % 40)).arg(15 * i)});
    }
    const QDeadlineTimer deadline(60000);
    while (server.clientWindows().size() < clients && !deadline.hasExpired())
        QThread::msleep(50);
    const qsizetype managed = server.clientWindows().size();

    X11Platform platform(server.display());
    WindowServer& windowServer = platform.windowServer();
    const unsigned options =
        WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements;
    qsizetype listed = 0;
    std::uint64_t roundTrips = 0;
    std::uint64_t requests = 0;
    const Samples fetch = timeRuns(5, 201, [&] {
        platform.connection().resetCounters();
        const auto list = windowServer.windowList(options);
        listed = list ? list->size() : -1;
        roundTrips = platform.connection().counters().roundTrips;
        requests = platform.connection().counters().requests;
    });

    figure(QStringLiteral("Window-list fetch, %1 client windows on Xvfb with openbox (median)")
               .arg(managed),
           millis(fetch.median()), QStringLiteral("< %1 ms").arg(targetMicros / 1000),
           fetch.median() < targetMicros);
    figure(QStringLiteral("Window-list fetch: round trips (waits for the server)"),
           QStringLiteral("%1 (%2 requests)").arg(roundTrips).arg(requests),
           QStringLiteral("one batch"), roundTrips <= 2);
    note(QStringLiteral("Window list: X11WindowServer::windowList(on-screen only, no desktop "
                        "elements) over the backend's own xcb connection, %1 fetches, %2 windows "
                        "listed; round trips are the connection's own count of waits for the "
                        "server: the stacking list, then one batch holding every per-window "
                        "request. Xvfb shares the CPUs with the benchmark, so a busy machine "
                        "shows in this figure more than in the others.")
             .arg(fetch.size())
             .arg(listed));
    return managed >= clients ? 0 : 1;
}
