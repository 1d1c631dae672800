// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessGroup.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace corvane::test {

std::unique_ptr<QProcess> startProcessGroup(const QString& program, const QStringList& arguments,
                                            const QProcessEnvironment& environment,
                                            const QString& logFile, bool readOutput)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessEnvironment(environment);
    process->setStandardInputFile(QProcess::nullDevice());
    if (!readOutput)
        process->setStandardOutputFile(QProcess::nullDevice());
    if (logFile.isEmpty())
        process->setStandardErrorFile(QProcess::nullDevice());
    else
        process->setStandardErrorFile(logFile, QIODevice::Append);
    process->setChildProcessModifier([] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    process->start();
    return process->waitForStarted(5000) ? std::move(process) : nullptr;
}

void stopProcessGroup(QProcess& process, int graceMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    const auto pid = static_cast<pid_t>(process.processId());
    if (pid > 0)
        ::kill(-pid, SIGTERM);
    if (!process.waitForFinished(graceMs)) {
        if (pid > 0)
            ::kill(-pid, SIGKILL);
        process.waitForFinished(2000);
    }
}

} // namespace corvane::test
