// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/QtPlatformPlugin.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "app/TrayApplication.h"
#include "layouts/LayoutManager.h"
#include "logging/QtMessageLog.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <cstdio>
#include <signal.h>

using namespace corvane;

namespace {

// How long a later start waits for the running instance to take its connection: it may be
// between taking its lock and listening, or, when a command started it, still starting.
constexpr int connectTimeoutMs = 5000;
constexpr int startTimeoutMs = 20000;

// What keeps the chosen backend, or the toolkit platform its windows run on, from starting.
std::optional<QString> startProblem(const PlatformChoice& platform, int argc, char** argv)
{
    if (!platform.problem.isEmpty())
        return platform.problem;
    const QByteArray requested = CommandLine::requestedQtPlatform(argc, argv);
    return qtPlatformPluginProblem(requested.isEmpty() ? platform.qtPlatform : requested);
}

int fail(const QString& text)
{
    std::fprintf(stderr, "corvane: %s\n", qPrintable(text));
    return 1;
}

int show(const ScriptReply& reply)
{
    if (!reply.ok)
        return fail(reply.text);
    if (!reply.text.isEmpty())
        std::printf("%s\n", qPrintable(reply.text));
    return 0;
}

// Starts an instance in the background that outlives this process; its process id, or 0.
qint64 startInstance(std::optional<LogLevel> logLevel)
{
    static const char* const levelNames[] = {"debug", "info", "warning", "error"};
    QStringList arguments{QStringLiteral("--") + CommandLine::startedForCommandOption};
    if (logLevel)
        arguments << QStringLiteral("--log-level")
                  << QString::fromLatin1(levelNames[static_cast<int>(*logLevel)]);
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments(arguments);
    // It must not hold this command's output open: a script reading it would wait forever.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    return process.startDetached(&pid) ? pid : 0;
}

// A command line with a command: hands it to the running instance, starting one first when
// none runs, and shows its answer. Needs no display unless an instance must be started.
int forwardCommand(const CommandLine::Options& options, int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    installTranslations();
    const ScriptCommand& command = *options.command;
    {
        SingleInstance probe;
        switch (probe.claim()) {
        case SingleInstance::Claim::Unavailable:
            return 1; // said by claim()
        case SingleInstance::Claim::Taken:
            if (const auto reply = SingleInstance::send(command, QDeadlineTimer(connectTimeoutMs)))
                return show(*reply);
            return fail(
                QCoreApplication::translate("main", "Corvane is running but does not answer"));
        case SingleInstance::Claim::Claimed:
            break; // none runs: the lock goes with the probe, for the instance to take
        }
    }
    const PlatformChoice platform = choosePlatform();
    if (const auto problem = startProblem(platform, argc, argv))
        return fail(*problem);
    const qint64 pid = startInstance(options.logLevel);
    if (pid <= 0)
        return fail(QCoreApplication::translate("main", "Corvane could not be started"));
    QDeadlineTimer deadline(startTimeoutMs);
    while (!deadline.hasExpired()) {
        if (const auto reply = SingleInstance::send(command, QDeadlineTimer(200)))
            return show(*reply);
        if (::kill(static_cast<pid_t>(pid), 0) != 0)
            return fail(QCoreApplication::translate(
                "main", "Corvane ended as it started; run corvane to see why"));
    }
    return fail(QCoreApplication::translate("main", "Corvane was started but does not answer"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    // Answered before any window system is touched, so they work without a display.
    const auto early = CommandLine::answerEarly(argc, argv);
    if (early.exitCode)
        return *early.exitCode;
    if (early.command)
        return forwardCommand(early, argc, argv);

    // The backend and the toolkit platform its windows need; whatever is missing for them ends
    // the process here with one line, before the toolkit would abort over it.
    PlatformChoice platform = choosePlatform();
    {
        // Said in the user's language: a bare application object lends its translations. The
        // backends are asked without one (KWin's probe must not outlive it), and asked again
        // only to say what is missing.
        int count = argc;
        QCoreApplication early(count, argv);
        installTranslations();
        if (!platform.problem.isEmpty())
            platform = choosePlatform();
        if (const auto problem = startProblem(platform, argc, argv))
            return fail(*problem);
    }
    // Over what the session sets for every application; -platform on the command line still wins.
    qputenv("QT_QPA_PLATFORM", platform.qtPlatform);

    installQtMessageLog();
    QApplication app(argc, argv);
    installTranslations();
    // Ties the windows to the desktop entry of the same name (its icon, its name in panels).
    QGuiApplication::setDesktopFileName(QStringLiteral("app.corvane.Corvane"));
    // Window titles end in " \u2014 Corvane", so every window and dialog says whose it is.
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Corvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The application object has taken its own options out of the arguments.
    const CommandLine::Options options = CommandLine::parse(QCoreApplication::arguments());
    if (options.exitCode)
        return *options.exitCode;

    SingleInstance instance;
    switch (instance.claim()) {
    case SingleInstance::Claim::Taken:
        // An instance started for a command that another one already serves has nothing to do.
        if (options.startedForCommand)
            return 0;
        if (SingleInstance::send(ScriptCommand{}, QDeadlineTimer(connectTimeoutMs)))
            return 0;
        return fail(QCoreApplication::translate("main", "Corvane is running but does not answer"));
    case SingleInstance::Claim::Claimed:
    case SingleInstance::Claim::Unavailable: // runs without the channel
        break;
    }
    QuitSignals quitSignals;

    Platform::install(platform.create());
    int result = 0;
    {
        TrayApplication delegate(options.logLevel);
        instance.listen([&delegate](const ScriptCommand& command, SingleInstance::Reply reply) {
            delegate.runCommand(command, std::move(reply));
        });
        delegate.applicationDidFinishLaunching();
        result = QApplication::exec();
    }
    // The backend goes while the application object still exists.
    Platform::install(nullptr);
    return result;
}
