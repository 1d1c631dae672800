// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "app/ScriptingCommands.h"
#include "app/Translations.h"
#include "windows/ZoneNavigator.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace corvane {
namespace {

// What Qt's help shows in place of the program's name when there is no application object.
const QLatin1String unnamedProgram("<executable_name>");

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption logLevel{
        QStringLiteral("log-level"),
        QCoreApplication::translate("CommandLine",
                                    "Record log lines at <level> and above for this run "
                                    "(debug, info, warning, error)."),
        QCoreApplication::translate("CommandLine", "level")};
    QCommandLineOption snapActive{
        QStringLiteral("snap-active"),
        QCoreApplication::translate("CommandLine",
                                    "Move the active window to zone <zone> (1 to 9) of "
                                    "its display, or to the next or previous zone, or "
                                    "the zone above or below (up, down), as the keyboard "
                                    "shortcuts do."),
        QCoreApplication::translate("CommandLine", "zone")};
    QCommandLineOption snapAll{
        QStringLiteral("snap-all"),
        QCoreApplication::translate("CommandLine",
                                    "Move every window of the display under the pointer, or "
                                    "of the one --display names, to the zone nearest it.")};
    QCommandLineOption applyLayout{
        QStringLiteral("apply-layout"),
        QCoreApplication::translate("CommandLine",
                                    "Use the layout <name> (or with that id) on the "
                                    "display under the pointer, or on the one --display "
                                    "names, as a choice in the tray menu does."),
        QCoreApplication::translate("CommandLine", "name")};
    QCommandLineOption display{
        QStringLiteral("display"),
        QCoreApplication::translate("CommandLine",
                                    "With --apply-layout or --snap-all: the display's "
                                    "number, as the tray menu shows it."),
        QCoreApplication::translate("CommandLine", "number")};
    QCommandLineOption desktop{
        QStringLiteral("desktop"),
        QCoreApplication::translate("CommandLine",
                                    "With --apply-layout: the virtual desktop's number (1 is the "
                                    "first), when each desktop has layouts of its own; by default "
                                    "the desktop shown."),
        QCoreApplication::translate("CommandLine", "number")};
    QCommandLineOption list{
        QStringLiteral("list"),
        QCoreApplication::translate("CommandLine",
                                    "Print the displays and the layouts, one per line.")};
    // The menu entry's actions: open a window of the running Corvane, starting it if needed.
    QCommandLineOption preferences{
        QStringLiteral("preferences"),
        QCoreApplication::translate("CommandLine", "Open the preferences window.")};
    QCommandLineOption layoutEditor{
        QStringLiteral("layout-editor"),
        QCoreApplication::translate("CommandLine", "Open the layout editor.")};
    QCommandLineOption startedForCommand{CommandLine::startedForCommandOption};

    Parser() : help(parser.addHelpOption()), version(parser.addVersionOption())
    {
        parser.setApplicationDescription(QCoreApplication::translate(
            "CommandLine",
            "Snaps windows into zones: hold Shift while dragging a window, release over a zone.\n"
            "In KDE Plasma's Wayland session no held key is read: press Super+Shift+Z while\n"
            "dragging a window (Super+Shift+X to span zones), or show the zones during every\n"
            "move in the preferences."));
        // Qt's own options are single-dash words (-platform, -stylesheet); read that way,
        // they are never taken for a cluster of one-letter options.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(logLevel);
        parser.addOptions({snapActive, snapAll, applyLayout, display, desktop, list});
        parser.addOptions({preferences, layoutEditor});
        startedForCommand.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(startedForCommand);
    }

    bool isHelpAll() const { return parser.isSet(QStringLiteral("help-all")); }
};

// The toolkit's own options (QGuiApplication, QApplication and the xcb platform's): an unknown
// option that is none of them is a mistake, whether or not a display is there to start on.
bool isToolkitOption(const QString& name)
{
    // clang-format off
    static constexpr const char* names[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
        "qwindowgeometry", "qwindowicon", "qwindowtitle", "reverse", "session", "style",
        "stylesheet", "widgetcount", "display", "geometry", "name", "title", "visual", "ncols",
        "cmap", "im", "inputstyle", "nograb", "dograb", "sync", "fn", "font", "bg", "background",
        "fg", "foreground", "btn", "button",
    };
    // clang-format on
    return std::any_of(std::begin(names), std::end(names),
                       [&](const char* known) { return name == QLatin1StringView(known); });
}

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QByteArray programName(int argc, char** argv)
{
    return argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLocal8Bit()
                    : QByteArrayLiteral("corvane");
}

bool isPlatformOption(const char* argument)
{
    return qstrcmp(argument, "-platform") == 0 || qstrcmp(argument, "--platform") == 0;
}

// Only the application object knows the toolkit's options, so it is made for the help: on a
// platform that needs no display and shows nothing. Its parser prints the text and ends the
// process.
[[noreturn]] void showHelpAll(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen;minimal");
    QByteArray name = programName(argc, argv);
    std::vector<char*> arguments{name.data()};
    for (int i = 1; i < argc; ++i) {
        if (isPlatformOption(argv[i]))
            ++i; // and its value: the help needs no other platform
        else
            arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(count, arguments.data());
    installTranslations();
    Parser p;
    p.parser.process(app);
    std::exit(0); // not reached: the parser has answered --help-all
}

CommandLine::Options readLogLevel(const Parser& p)
{
    CommandLine::Options options;
    if (!p.parser.isSet(p.logLevel))
        return options;
    options.logLevel = logLevelFromName(p.parser.value(p.logLevel));
    if (!options.logLevel) {
        std::fprintf(stderr, "corvane: %s\n",
                     qPrintable(QCoreApplication::translate("CommandLine", "unknown log level '%1'")
                                    .arg(p.parser.value(p.logLevel))));
        options.exitCode = 2;
    }
    return options;
}

CommandLine::Options exitWith(int code)
{
    CommandLine::Options options;
    options.exitCode = code;
    return options;
}

CommandLine::Options usageError(const QString& text)
{
    std::fprintf(stderr, "corvane: %s\n", qPrintable(text));
    return exitWith(2);
}

// The command given, if any, checked as far as it can be without the running instance.
CommandLine::Options readCommand(const Parser& p)
{
    const QCommandLineParser& parser = p.parser;
    const int given = int(parser.isSet(p.snapActive)) + int(parser.isSet(p.snapAll)) +
                      int(parser.isSet(p.applyLayout)) + int(parser.isSet(p.list)) +
                      int(parser.isSet(p.preferences)) + int(parser.isSet(p.layoutEditor));
    if (given > 1)
        return usageError(QCoreApplication::translate("CommandLine",
                                                      "give one of --snap-active, --snap-all, "
                                                      "--apply-layout, --list, --preferences, "
                                                      "--layout-editor"));
    if (parser.isSet(p.display) && !parser.isSet(p.applyLayout) && !parser.isSet(p.snapAll))
        return usageError(QCoreApplication::translate(
            "CommandLine", "--display goes with --apply-layout or --snap-all"));
    if (parser.isSet(p.desktop) && !parser.isSet(p.applyLayout))
        return usageError(
            QCoreApplication::translate("CommandLine", "--desktop goes with --apply-layout"));
    if (given == 0)
        return {};
    // Refused here, before the running instance is asked anything.
    for (const auto& [option, what] : {std::pair(&p.snapActive, QStringLiteral("zone")),
                                       std::pair(&p.applyLayout, QStringLiteral("layout name"))}) {
        if (!parser.isSet(*option))
            continue;
        if (const auto refusal = ScriptingCommands::refuseLength(what, parser.value(*option)))
            return usageError(*refusal);
    }
    if (!parser.unknownOptionNames().isEmpty())
        return usageError(QCoreApplication::translate("CommandLine", "unknown option '%1'")
                              .arg(parser.unknownOptionNames().constFirst()));
    if (!parser.positionalArguments().isEmpty())
        return usageError(QCoreApplication::translate("CommandLine", "unexpected argument '%1'")
                              .arg(parser.positionalArguments().constFirst()));
    ScriptCommand command;
    if (parser.isSet(p.snapActive)) {
        command.kind = ScriptCommand::Kind::SnapActive;
        command.zone = parser.value(p.snapActive);
        if (!ZoneRequest::parse(command.zone))
            return usageError(
                QCoreApplication::translate(
                    "CommandLine", "'%1' is no zone: give 1 to 9, next, previous, up or down")
                    .arg(command.zone));
    } else if (parser.isSet(p.applyLayout) || parser.isSet(p.snapAll)) {
        command.kind = parser.isSet(p.snapAll) ? ScriptCommand::Kind::SnapAll
                                               : ScriptCommand::Kind::ApplyLayout;
        command.layout = parser.value(p.applyLayout);
        if (parser.isSet(p.display)) {
            bool isNumber = false;
            command.display = parser.value(p.display).toInt(&isNumber);
            if (!isNumber || *command.display < 1)
                return usageError(
                    QCoreApplication::translate("CommandLine", "'%1' is no display number")
                        .arg(parser.value(p.display)));
        }
        if (parser.isSet(p.desktop)) {
            bool isNumber = false;
            command.desktop = parser.value(p.desktop).toInt(&isNumber);
            if (!isNumber || *command.desktop < 1)
                return usageError(
                    QCoreApplication::translate("CommandLine", "'%1' is no desktop number")
                        .arg(parser.value(p.desktop)));
        }
    } else if (parser.isSet(p.preferences)) {
        command.kind = ScriptCommand::Kind::OpenPreferences;
    } else if (parser.isSet(p.layoutEditor)) {
        command.kind = ScriptCommand::Kind::OpenLayoutEditor;
    } else {
        command.kind = ScriptCommand::Kind::List;
    }
    CommandLine::Options options = readLogLevel(p);
    options.command = command;
    return options;
}

} // namespace

const QString CommandLine::startedForCommandOption = QStringLiteral("started-for-command");

CommandLine::Options CommandLine::answerEarly(int argc, char** argv)
{
    // --help-all makes an application object of its own, which must be the only one.
    {
        Parser first;
        first.parser.parse(argumentList(argc, argv));
        if (first.isHelpAll())
            showHelpAll(argc, argv);
    }
    // A bare application object, for the translations of what is printed here: the options'
    // descriptions are translated as the parser is made.
    int count = argc;
    QCoreApplication app(count, argv);
    installTranslations();
    Parser p;
    // Unknown options are for later: they may be the toolkit's.
    if (!p.parser.parse(argumentList(argc, argv)) && p.parser.unknownOptionNames().isEmpty())
        return usageError(p.parser.errorText());
    for (const QString& name : p.parser.unknownOptionNames()) {
        if (!isToolkitOption(name))
            return usageError(
                QCoreApplication::translate("CommandLine", "unknown option '%1'").arg(name));
    }
    if (p.parser.isSet(p.help)) {
        // Qt's help names the program as it was called, path and all; the usage line names it
        // as it is known.
        QString text = p.parser.helpText();
        const QString called = QCoreApplication::arguments().value(0, unnamedProgram);
        if (const qsizetype at = text.indexOf(called); at >= 0 && !called.isEmpty())
            text.replace(at, called.size(), QString::fromLocal8Bit(programName(argc, argv)));
        std::fputs(qPrintable(text), stdout);
        return exitWith(0);
    }
    if (p.parser.isSet(p.version)) {
        std::printf("corvane %s\n", CORVANE_VERSION);
        return exitWith(0);
    }
    if (CommandLine::Options options = readCommand(p); options.exitCode || options.command)
        return options;
    return readLogLevel(p);
}

CommandLine::Options CommandLine::parse(const QStringList& arguments)
{
    Parser p;
    if (!p.parser.parse(arguments)) {
        std::fprintf(stderr, "corvane: %s\n", qPrintable(p.parser.errorText()));
        return exitWith(2);
    }
    CommandLine::Options options = readLogLevel(p);
    options.startedForCommand = p.parser.isSet(p.startedForCommand);
    return options;
}

QByteArray CommandLine::requestedQtPlatform(int argc, char** argv)
{
    QByteArray requested;
    for (int i = 1; i + 1 < argc; ++i) {
        if (isPlatformOption(argv[i]))
            requested = argv[++i];
    }
    return requested;
}

} // namespace corvane
