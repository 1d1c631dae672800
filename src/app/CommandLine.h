// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ScriptCommand.h"
#include "logging/LogLevel.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace corvane {

// Corvane's own command-line options. The toolkit's standard options (-platform, -stylesheet,
// -style, ...) are taken out of the arguments by the application object itself, as in any Qt
// application; Corvane's are read around it.
class CommandLine {
public:
    struct Options {
        std::optional<LogLevel> logLevel;
        // Set when the command line has been answered without starting: the exit status.
        std::optional<int> exitCode;
        // A command for the running instance (--snap-active, --apply-layout, --list).
        std::optional<ScriptCommand> command;
        // This process was started to carry out another's command: when an instance already
        // runs, it leaves without asking that one for anything.
        bool startedForCommand = false;
    };

    // The option that marks an instance started for a command.
    static const QString startedForCommandOption;

    // Answers, before any window system is touched, what needs none: --help, --help-all,
    // --version, a wrong --log-level, and a wrong command. Options it does not know may be the
    // toolkit's and are left for later, unless a command is given: a command takes none.
    static Options answerEarly(int argc, char** argv);
    // Reads what the application object left of the arguments: an unknown option is an error.
    static Options parse(const QStringList& arguments);
    // The platform plugin asked for with -platform, or empty.
    static QByteArray requestedQtPlatform(int argc, char** argv);
};

} // namespace corvane
