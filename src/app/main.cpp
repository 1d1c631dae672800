#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/QtPlatformPlugin.h"
#include "app/SingleInstance.h"
#include "logging/QtMessageLog.h"
#include "platform/Platform.h"

#include <QApplication>
#include <cstdio>

using namespace corvane;

namespace {

// What keeps the chosen backend, or the toolkit platform its windows run on, from starting.
std::optional<QString> startProblem(const PlatformChoice& platform, int argc, char** argv)
{
    if (!platform.problem.isEmpty())
        return platform.problem;
    const QByteArray requested = CommandLine::requestedQtPlatform(argc, argv);
    return qtPlatformPluginProblem(requested.isEmpty() ? platform.qtPlatform : requested);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    // Answered before any window system is touched, so they work without a display.
    if (const auto early = CommandLine::answerEarly(argc, argv); early.exitCode)
        return *early.exitCode;

    // The backend and the toolkit platform its windows need; whatever is missing for them ends
    // the process here with one line, before the toolkit would abort over it.
    const PlatformChoice platform = choosePlatform();
    if (const auto problem = startProblem(platform, argc, argv)) {
        std::fprintf(stderr, "corvane: %s\n", qPrintable(*problem));
        return 1;
    }
    // Over what the session sets for every application; -platform on the command line still wins.
    qputenv("QT_QPA_PLATFORM", platform.qtPlatform);

    installQtMessageLog();
    QApplication app(argc, argv);
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
    if (instance.notifyRunningInstance())
        return 0;
    if (!instance.listen())
        std::fputs("Corvane: could not open the single-instance channel\n", stderr);

    Platform::install(platform.create());
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
