// SPDX-License-Identifier: GPL-3.0-or-later
#include "XServer.h"
#include "platform/xdg/XdgLoginItems.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

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
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY2(text.contains(exec), qPrintable(exec));
        for (const QString& action : {u"--preferences"_s, u"--layout-editor"_s}) {
            const QString actionExec = exec.chopped(1) + u' ' + action + u'\n';
            QVERIFY2(text.contains(actionExec), qPrintable(actionExec));
        }
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

    void theManualPageAndTheCompletionsDescribeEveryOption()
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
        for (const QString& path : {u"share/bash-completion/completions/corvane"_s,
                                    u"share/zsh/vendor-completions/_corvane"_s,
                                    u"share/fish/vendor_completions.d/corvane.fish"_s}) {
            QFile file(installed(path));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            QString completion = QString::fromUtf8(file.readAll());
            // fish names options without their dashes: "-s h -l help".
            completion.replace(QRegularExpression(u"-s (\\w)\\b"_s), u"-\\1"_s);
            completion.replace(QRegularExpression(u"-l ([\\w-]+)"_s), u"--\\1"_s);
            for (const QString& option : options) {
                const QRegularExpression named(
                    u"(?<![\\w-])"_s + QRegularExpression::escape(option) + u"(?![\\w-])"_s);
                QVERIFY2(named.match(completion).hasMatch(),
                         qPrintable(u"%1 does not complete %2"_s.arg(path, option)));
            }
        }
    }

    // A call to app.corvane.Corvane starts the installed Corvane when none runs, as the session
    // bus of a desktop does with the installed service file: here a private bus that knows only
    // that service, whose path needs quoting.
    void aCallToItsNameStartsCorvane()
    {
        if (!test::XServer::isAvailable())
            QSKIP("Xvfb is not installed");
        test::XServer::Options options;
        options.windowManager = false;
        test::XServer x(options);
        QVERIFY2(x.isRunning(), qPrintable(x.errorString()));
        const QString runtime = dir_.filePath(u"runtime"_s);
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString address = u"unix:path="_s + dir_.filePath(u"bus"_s);
        QFile config(dir_.filePath(u"bus.conf"_s));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(
            u"<busconfig><type>session</type><listen>%1</listen><servicedir>%2</servicedir>"
            "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
            "<allow eavesdrop=\"true\"/><allow own=\"*\"/>"
            "</policy></busconfig>"_s.arg(address, installed(u"share/dbus-1/services"_s))
                .toUtf8());
        config.close();

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, address);
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.remove(u"QT_QPA_PLATFORM"_s);
        QProcess bus;
        bus.setProcessEnvironment(environment);
        bus.start(u"dbus-daemon"_s,
                  {u"--nofork"_s, u"--print-address"_s, u"--config-file="_s + config.fileName()});
        QVERIFY(bus.waitForReadyRead(10000));
        qint64 corvane = 0;
        const auto stop = qScopeGuard([&] {
            if (corvane > 0 && ::kill(static_cast<pid_t>(corvane), SIGTERM) == 0)
                QTRY_VERIFY_WITH_TIMEOUT(::kill(static_cast<pid_t>(corvane), 0) != 0, 10000);
            bus.terminate();
            bus.waitForFinished();
        });

        const QString busOption = u"--bus="_s + address;
        const Result call =
            run(u"dbus-send"_s,
                {busOption, u"--print-reply"_s, u"--reply-timeout=30000"_s,
                 u"--dest=app.corvane.Corvane"_s, u"/Corvane"_s, u"app.corvane.Corvane.List"_s});
        const Result owner =
            run(u"dbus-send"_s,
                {busOption, u"--print-reply"_s, u"--dest=org.freedesktop.DBus"_s,
                 u"/org/freedesktop/DBus"_s, u"org.freedesktop.DBus.GetConnectionUnixProcessID"_s,
                 u"string:app.corvane.Corvane"_s});
        corvane = owner.output.section(u"uint32 "_s, 1).trimmed().toLongLong();
        QVERIFY2(call.exitCode == 0, qPrintable(call.output));
        // The list names the template layouts installed beside the binary.
        QVERIFY2(call.output.contains(u"\nlayout\tHalves\ttemplate\t"_s), qPrintable(call.output));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
