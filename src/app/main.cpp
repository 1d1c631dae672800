#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Snaps windows into zones: hold Shift while dragging a window."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
    return 0;
}
