#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "logging/LogLevel.h"
#include "logging/QtMessageLog.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

using namespace corvane;

namespace {

struct Options {
    std::optional<LogLevel> logLevel;
    int exitCode = -1; // set when the command line was answered without starting
};

Options parseCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Snaps windows into zones: hold Shift while dragging a window, release over a zone."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption logLevel(
        QStringLiteral("log-level"),
        QStringLiteral("Record log lines at <level> and above for this run "
                       "(debug, info, warning, error)."),
        QStringLiteral("level"));
    parser.addOption(logLevel);

    Options options;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "corvane: %s\n", qPrintable(parser.errorText()));
        options.exitCode = 2;
        return options;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        options.exitCode = 0;
        return options;
    }
    if (parser.isSet(version)) {
        std::printf("corvane %s\n", CORVANE_VERSION);
        options.exitCode = 0;
        return options;
    }
    if (parser.isSet(logLevel)) {
        options.logLevel = logLevelFromName(parser.value(logLevel));
        if (!options.logLevel) {
            std::fprintf(stderr, "corvane: unknown log level '%s'\n",
                         qPrintable(parser.value(logLevel)));
            options.exitCode = 2;
        }
    }
    return options;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    // Answered before any window system is touched, so they work without a display.
    const Options options = parseCommandLine(argc, argv);
    if (options.exitCode >= 0)
        return options.exitCode;

    installQtMessageLog();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (instance.notifyRunningInstance())
        return 0;
    if (!instance.listen())
        std::fputs("Corvane: could not open the single-instance channel\n", stderr);

    Platform::install(createPlatform());
    int result = 0;
    {
        AppDelegate delegate(options.logLevel);
        QObject::connect(&instance, &SingleInstance::openPreferencesRequested, &delegate,
                         &AppDelegate::openPreferences);
        delegate.applicationDidFinishLaunching();
        result = QApplication::exec();
    }
    // The backend goes while the application object still exists.
    Platform::install(nullptr);
    return result;
}
