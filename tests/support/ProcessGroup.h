// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <memory>

namespace corvane::test {

// Starts a program in a process group of its own, so that whatever it starts goes with it, and
// so that it dies with the test, also when the test crashes before its destructors run. Its
// standard output is read through the process when `readOutput` is set and dropped otherwise; its
// standard error goes to `logFile` when one is given. None when it cannot start.
std::unique_ptr<QProcess> startProcessGroup(const QString& program, const QStringList& arguments,
                                            const QProcessEnvironment& environment,
                                            const QString& logFile = {}, bool readOutput = false);

// Ends the process's whole group: asked first, killed when it does not end in time.
void stopProcessGroup(QProcess& process, int graceMs = 2000);

} // namespace corvane::test
