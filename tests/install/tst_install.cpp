#include "platform/xdg/XdgLoginItems.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

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
        return {-1, program + u" did not run: "_s + process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// The option names of a --help text: "-h, --help", "--log-level <level>", "-platform <name>".
QStringList helpOptions(const QString& help)
{
    QStringList options;
    static const QRegularExpression line(u"^  (-\\S.*?)(?:\\s{2,}|$)"_s,
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression name(u"(?<![\\w<-])--?[A-Za-z0-9][\\w-]*"_s);
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
        prefix_ = dir_.path() + u"/inst 100% $HOME"_s;
        const Result install =
            run(QStringLiteral(CORVANE_CMAKE_COMMAND),
                {u"--install"_s, QStringLiteral(CORVANE_BINARY_DIR), u"--prefix"_s, prefix_});
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    }

    void desktopEntryAndMetadataValidate()
    {
        const QString entry = installed(u"share/applications/app.corvane.Corvane.desktop"_s);
        Result check = run(u"desktop-file-validate"_s, {entry});
        QVERIFY2(check.exitCode == 0 && check.output.isEmpty(), qPrintable(check.output));

        // The menu and the autostart entry start the installed binary, by its quoted path.
        const QString binary = installed(u"bin/corvane"_s);
        const QString exec = u"\nExec="_s + XdgLoginItems::execValue(binary) + u'\n';
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(QString::fromUtf8(file.readAll()).contains(exec), qPrintable(exec));
        const QString autostart = XdgLoginItems::entryText(binary);
        QVERIFY2(autostart.contains(exec), qPrintable(autostart));
        QFile autostartFile(dir_.filePath(u"app.corvane.Corvane.desktop"_s));
        QVERIFY(autostartFile.open(QIODevice::WriteOnly));
        autostartFile.write(autostart.toUtf8());
        autostartFile.close();
        check = run(u"desktop-file-validate"_s, {autostartFile.fileName()});
        QVERIFY2(check.exitCode == 0 && check.output.isEmpty(), qPrintable(check.output));

        const QString metainfo = installed(u"share/metainfo/app.corvane.Corvane.metainfo.xml"_s);
        // The tree, not the file alone: the metadata must also find its desktop entry.
        check = run(u"appstreamcli"_s, {u"validate-tree"_s, u"--no-net"_s, prefix_});
        QVERIFY2(check.exitCode == 0, qPrintable(check.output));
        // Software centres show the newest release as the version they install.
        QFile metainfoFile(metainfo);
        QVERIFY(metainfoFile.open(QIODevice::ReadOnly));
        static const QRegularExpression release(u"<release\\s+version=\"([^\"]*)\""_s);
        QCOMPARE(release.match(QString::fromUtf8(metainfoFile.readAll())).captured(1),
                 QStringLiteral(CORVANE_VERSION));
    }

    void theIconComesInEverySize()
    {
        const QString theme = installed(u"share/icons/hicolor/"_s);
        QVERIFY(QSvgRenderer(theme + u"scalable/apps/app.corvane.Corvane.svg"_s).isValid());
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage bitmap(theme + u"%1x%1/apps/app.corvane.Corvane.png"_s.arg(size));
            QCOMPARE(bitmap.size(), QSize(size, size));
            // Drawn, not an empty canvas of the right size.
            QVERIFY(bitmap.pixelColor(size / 2, size / 2).alpha() > 0);
        }
    }

    void theManualPageDescribesEveryOption()
    {
        const Result help = run(installed(u"bin/corvane"_s), {u"--help"_s});
        QCOMPARE(help.exitCode, 0);
        const QStringList options = helpOptions(help.output);
        QVERIFY2(options.contains(u"--help"_s), qPrintable(help.output));

        const Result page = run(u"gzip"_s, {u"-dc"_s, installed(u"share/man/man1/corvane.1.gz"_s)});
        QCOMPARE(page.exitCode, 0);
        // The OPTIONS section, with roff's escaped hyphens and font changes taken out.
        QString text = page.output.section(u"\n.SH OPTIONS\n"_s, 1).section(u"\n.SH "_s, 0, 0);
        text.replace(u"\\-"_s, u"-"_s);
        text.remove(QRegularExpression(u"\\\\f(\\[[^]]*\\]|\\(..|.)|\\\\&"_s));
        QVERIFY(!text.isEmpty());
        for (const QString& option : options) {
            const QRegularExpression described(
                u"(?<![\\w-])"_s + QRegularExpression::escape(option) + u"(?![\\w-])"_s);
            QVERIFY2(described.match(text).hasMatch(),
                     qPrintable(u"corvane --help lists %1, which the OPTIONS of the "
                                "manual page (dist/corvane.1.in) do not describe"_s.arg(option)));
        }
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
