#include "platform/xdg/XdgLoginItems.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;

namespace {

struct Result {
    int exitCode = -1;
    QString output; // standard output and error together
};

Result run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(" did not run: ") + process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// The option names of a --help text: "-h, --help", "--log-level <level>", "-platform <name>".
QStringList helpOptions(const QString& help)
{
    QStringList options;
    static const QRegularExpression line(QStringLiteral("^  (-\\S.*?)(?:\\s{2,}|$)"),
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression name(QStringLiteral("(?<![\\w<-])--?[A-Za-z0-9][\\w-]*"));
    for (const auto& match : line.globalMatch(help)) {
        for (const auto& option : name.globalMatch(match.captured(1)))
            options << option.captured();
    }
    return options;
}

} // namespace

// Corvane installed as a user gets it, into a prefix whose path needs quoting, and read the way
// desktops, software centres and man read it.
class InstallTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString prefix_;

    QString installed(const QString& path) const { return prefix_ + u'/' + path; }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        prefix_ = dir_.path() + QStringLiteral("/inst 100% $HOME");
        const Result install = run(QStringLiteral(CORVANE_CMAKE_COMMAND),
                                   {QStringLiteral("--install"), QStringLiteral(CORVANE_BINARY_DIR),
                                    QStringLiteral("--prefix"), prefix_});
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    }

    void desktopEntryAndMetadataValidate()
    {
        const QString entry =
            installed(QStringLiteral("share/applications/app.corvane.Corvane.desktop"));
        Result check = run(QStringLiteral("desktop-file-validate"), {entry});
        QVERIFY2(check.exitCode == 0 && check.output.isEmpty(), qPrintable(check.output));

        // The menu and the autostart entry start the installed binary, by its quoted path.
        const QString binary = installed(QStringLiteral("bin/corvane"));
        const QString exec = QStringLiteral("\nExec=") + XdgLoginItems::execValue(binary) + u'\n';
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(QString::fromUtf8(file.readAll()).contains(exec), qPrintable(exec));
        const QString autostart = XdgLoginItems::entryText(binary);
        QVERIFY2(autostart.contains(exec), qPrintable(autostart));
        QFile autostartFile(dir_.filePath(QStringLiteral("app.corvane.Corvane.desktop")));
        QVERIFY(autostartFile.open(QIODevice::WriteOnly));
        autostartFile.write(autostart.toUtf8());
        autostartFile.close();
        check = run(QStringLiteral("desktop-file-validate"), {autostartFile.fileName()});
        QVERIFY2(check.exitCode == 0 && check.output.isEmpty(), qPrintable(check.output));

        const QString metainfo =
            installed(QStringLiteral("share/metainfo/app.corvane.Corvane.metainfo.xml"));
        // The tree, not the file alone: the metadata must also find its desktop entry.
        check = run(QStringLiteral("appstreamcli"),
                    {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), prefix_});
        QVERIFY2(check.exitCode == 0, qPrintable(check.output));
        // Software centres show the newest release as the version they install.
        QFile metainfoFile(metainfo);
        QVERIFY(metainfoFile.open(QIODevice::ReadOnly));
        static const QRegularExpression release(QStringLiteral("<release\\s+version=\"([^\"]*)\""));
        QCOMPARE(release.match(QString::fromUtf8(metainfoFile.readAll())).captured(1),
                 QStringLiteral(CORVANE_VERSION));
    }

    void theIconComesInEverySize()
    {
        const QString theme = installed(QStringLiteral("share/icons/hicolor/"));
        QVERIFY(QSvgRenderer(theme + QStringLiteral("scalable/apps/app.corvane.Corvane.svg"))
                    .isValid());
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage bitmap(theme +
                                QStringLiteral("%1x%1/apps/app.corvane.Corvane.png").arg(size));
            QCOMPARE(bitmap.size(), QSize(size, size));
            // Drawn, not an empty canvas of the right size.
            QVERIFY(bitmap.pixelColor(size / 2, size / 2).alpha() > 0);
        }
    }

    void theManualPageDescribesEveryOption()
    {
        const Result help =
            run(installed(QStringLiteral("bin/corvane")), {QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        const QStringList options = helpOptions(help.output);
        QVERIFY2(options.contains(QStringLiteral("--help")), qPrintable(help.output));

        const Result page =
            run(QStringLiteral("gzip"),
                {QStringLiteral("-dc"), installed(QStringLiteral("share/man/man1/corvane.1.gz"))});
        QCOMPARE(page.exitCode, 0);
        // The OPTIONS section, with roff's escaped hyphens and font changes taken out.
        QString text = page.output.section(QStringLiteral("\n.SH OPTIONS\n"), 1)
                           .section(QStringLiteral("\n.SH "), 0, 0);
        text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
        text.remove(QRegularExpression(QStringLiteral("\\\\f(\\[[^]]*\\]|\\(..|.)|\\\\&")));
        QVERIFY(!text.isEmpty());
        for (const QString& option : options) {
            const QRegularExpression described(QStringLiteral("(?<![\\w-])") +
                                               QRegularExpression::escape(option) +
                                               QStringLiteral("(?![\\w-])"));
            QVERIFY2(described.match(text).hasMatch(),
                     qPrintable(QStringLiteral("corvane --help lists %1, which the OPTIONS of the "
                                               "manual page (dist/corvane.1.in) do not describe")
                                    .arg(option)));
        }
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
