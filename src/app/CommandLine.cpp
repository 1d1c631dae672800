#include "app/CommandLine.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
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
    QCommandLineOption logLevel{QStringLiteral("log-level"),
                                QStringLiteral("Record log lines at <level> and above for this run "
                                               "(debug, info, warning, error)."),
                                QStringLiteral("level")};

    Parser() : help(parser.addHelpOption()), version(parser.addVersionOption())
    {
        parser.setApplicationDescription(QStringLiteral(
            "Snaps windows into zones: hold Shift while dragging a window, release over a zone."));
        // Qt's own options are single-dash words (-platform, -stylesheet); read that way,
        // they are never taken for a cluster of one-letter options.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(logLevel);
    }

    bool isHelpAll() const { return parser.isSet(QStringLiteral("help-all")); }
};

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
        std::fprintf(stderr, "corvane: unknown log level '%s'\n",
                     qPrintable(p.parser.value(p.logLevel)));
        options.exitCode = 2;
    }
    return options;
}

} // namespace

CommandLine::Options CommandLine::answerEarly(int argc, char** argv)
{
    Parser p;
    // Errors are for later: an option unknown here may be the toolkit's.
    p.parser.parse(argumentList(argc, argv));
    if (p.isHelpAll())
        showHelpAll(argc, argv);
    if (p.parser.isSet(p.help)) {
        QString text = p.parser.helpText();
        text.replace(unnamedProgram, QString::fromLocal8Bit(programName(argc, argv)));
        std::fputs(qPrintable(text), stdout);
        return {std::nullopt, 0};
    }
    if (p.parser.isSet(p.version)) {
        std::printf("corvane %s\n", CORVANE_VERSION);
        return {std::nullopt, 0};
    }
    return readLogLevel(p);
}

CommandLine::Options CommandLine::parse(const QStringList& arguments)
{
    Parser p;
    if (!p.parser.parse(arguments)) {
        std::fprintf(stderr, "corvane: %s\n", qPrintable(p.parser.errorText()));
        return {std::nullopt, 2};
    }
    return readLogLevel(p);
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
