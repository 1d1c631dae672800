// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XServer.h"

#include <QString>
#include <optional>

namespace corvane::bench {

// What /proc says of a process.
struct ProcessTimes {
    double cpuSeconds = 0;    // user + system from /proc/<pid>/stat, clock-tick resolution
    double runSeconds = 0;    // every thread's time on a CPU from schedstat, nanoseconds
    long mainThreadWakes = 0; // context switches of the main thread
};
ProcessTimes timesOf(qint64 pid);
double rssMiB(qint64 pid);

// The real application (CORVANE_BINARY_DIR/bin/corvane) on a private X server with a tray
// (trayer along the top edge), started as a user starts it: a later launch, recording off.
class RunningApp {
public:
    explicit RunningApp(test::XServer& server) : server_(server) {}

    static QString binaryPath();
    // Starts the tray and waits until it owns the system tray; false when it does not.
    bool startTray();
    // Starts the application and waits for its icon in the tray; what went wrong, or nothing.
    // The time it took, in microseconds, goes to `startupMicros` when given.
    std::optional<QString> start(double* startupMicros = nullptr);
    qint64 pid() const { return pid_; }
    void stop();

private:
    test::XServer& server_;
    qint64 pid_ = 0;
};

} // namespace corvane::bench
