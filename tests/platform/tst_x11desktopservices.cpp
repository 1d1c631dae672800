#include "TestEnvironment.h"
#include "platform/x11/LogindSleepMonitor.h"
#include "platform/xdg/XdgLoginItems.h"
#include "platform/xdg/XdgWorkspace.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// The parts of the backend that talk to the desktop rather than to the X server: the
// autostart entry, URLs and logind's sleep signal.
class X11DesktopServicesTest : public QObject {
    Q_OBJECT
    QString autostartDir() const { return QFileInfo(XdgLoginItems::entryPath()).absolutePath(); }

    // The name earlier versions gave the entry.
    QString legacyEntryPath() const { return autostartDir() + u"/corvane.desktop"_s; }

    void writeEntry(const QByteArray& text, const QString& path = XdgLoginItems::entryPath())
    {
        QDir().mkpath(autostartDir());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(test::hasOwnFolders(), "run through ctest: it gives the test folders of its own");
    }

    void init()
    {
        // The entry lives in this test's own XDG config home (set by CTest).
        QVERIFY(XdgLoginItems::entryPath().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QFile::remove(XdgLoginItems::entryPath());
        QFile::remove(legacyEntryPath());
        QFileInfo autostart(autostartDir());
        if (autostart.isFile())
            QFile::remove(autostartDir());
        QDir(XdgLoginItems::entryPath()).removeRecursively();
    }

    void registeringWritesTheEntryAndUnregisteringRemovesIt()
    {
        XdgLoginItems items;
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
        QString error;
        QVERIFY(items.registerItem(&error));
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
        QFile file(XdgLoginItems::entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith(u"[Desktop Entry]\n"_s));
        QVERIFY(text.contains(u"\nType=Application\n"_s));
        QVERIFY(text.contains(u"\nExec="_s +
                              XdgLoginItems::execValue(QCoreApplication::applicationFilePath()) +
                              QLatin1Char('\n')));
        QVERIFY(QDir::isAbsolutePath(QCoreApplication::applicationFilePath()));

        QVERIFY(items.unregisterItem(&error));
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
        QVERIFY(!QFile::exists(XdgLoginItems::entryPath()));
        // Nothing to remove is no failure.
        QVERIFY(items.unregisterItem(&error));

        // An entry under the old name still counts, and either switch removes it.
        writeEntry("[Desktop Entry]\nExec=corvane\n", legacyEntryPath());
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
        QVERIFY(items.registerItem());
        QVERIFY(!QFile::exists(legacyEntryPath()));
        writeEntry("[Desktop Entry]\nExec=corvane\n", legacyEntryPath());
        QVERIFY(items.unregisterItem());
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
    }

    void anEntrySwitchedOffByTheDesktopNeedsApproval()
    {
        XdgLoginItems items;
        writeEntry("[Desktop Entry]\nType=Application\nExec=corvane\nHidden=true\n");
        QCOMPARE(items.status(), LoginItemStatus::RequiresApproval);
        writeEntry("[Desktop Entry]\nExec=corvane\nX-GNOME-Autostart-enabled=false\n");
        QCOMPARE(items.status(), LoginItemStatus::RequiresApproval);
        // The keys count only in the main group.
        writeEntry("[Desktop Entry]\nExec=corvane\n[Desktop Action x]\nHidden=true\n");
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
        writeEntry("[Desktop Entry]\nExec=corvane\nHidden=true\n");
        QVERIFY(items.registerItem());
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
    }

    void failuresComeWithAReason()
    {
        XdgLoginItems items;
        // A file where the autostart folder should be.
        QDir(autostartDir()).removeRecursively();
        QDir().mkpath(QFileInfo(autostartDir()).absolutePath());
        QFile blocker(autostartDir());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString error;
        QVERIFY(!items.registerItem(&error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
        QFile::remove(autostartDir());

        // A folder where the entry should be cannot be removed as a file.
        QVERIFY(QDir().mkpath(XdgLoginItems::entryPath() + u"/inside"_s));
        error.clear();
        QVERIFY(!items.unregisterItem(&error));
        QVERIFY(!error.isEmpty());
        QDir(XdgLoginItems::entryPath()).removeRecursively();
    }

    void execValuesAreQuoted()
    {
        // As written in the file: the quoting of arguments, then the escapes of every string
        // value on top ("\\$" for a dollar, four backslashes for one).
        QCOMPARE(XdgLoginItems::execValue(u"/usr/bin/corvane"_s), u"/usr/bin/corvane"_s);
        QCOMPARE(XdgLoginItems::execValue(u"/opt/my apps/corvane"_s),
                 u"\"/opt/my apps/corvane\""_s);
        QCOMPARE(XdgLoginItems::execValue(u"/opt/100%/corvane"_s), u"/opt/100%%/corvane"_s);
        QCOMPARE(XdgLoginItems::execValue(u"/opt/$x \"y\"/c"_s), uR"("/opt/\\$x \\"y\\"/c")"_s);
        QCOMPARE(XdgLoginItems::execValue(u"/a\\b"_s), uR"("/a\\\\b")"_s);
        // A line break in the path cannot end the line and add keys of its own.
        QCOMPARE(XdgLoginItems::execValue(u"/a\nHidden=true"_s), uR"("/a\nHidden=true")"_s);
    }

    void aRefusedUrlIsReported()
    {
        // The offscreen platform has no URL handler: the refusal comes back.
        XdgWorkspace workspace;
        QVERIFY(!workspace.openUrl(QUrl(u"https://example.invalid/"_s)));
        QVERIFY(!workspace.openUrl(QUrl()));
    }

    // A mail link counts as opened only when its handler's program says so: one that fails,
    // or a link too long for the system, is reported as not opened.
    void aMailLinkIsOpenedOnlyWhenItsHandlerSucceeds_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("bodySize");
        QTest::addColumn<bool>("opened");
        QTest::newRow("handler succeeds") << 0 << 10 << true;
        QTest::newRow("no mail application") << 3 << 10 << false;
        QTest::newRow("link too long to start it") << 0 << 200000 << false;
    }
    void aMailLinkIsOpenedOnlyWhenItsHandlerSucceeds()
    {
        QFETCH(int, status);
        QFETCH(int, bodySize);
        QFETCH(bool, opened);
        QTemporaryDir bin;
        QFile handler(bin.filePath(u"xdg-email"_s));
        QVERIFY(handler.open(QIODevice::WriteOnly));
        handler.write(u"#!/bin/sh\nexit %1\n"_s.arg(status).toUtf8());
        handler.close();
        QVERIFY(handler.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + path);
        std::optional<bool> result;
        QObject context;
        XdgWorkspace().openUrlAsync(QUrl(u"mailto:a@example.com?body="_s + QString(bodySize, u'x')),
                                    &context, [&](bool ok) { result = ok; });
        QTRY_VERIFY(result.has_value());
        qputenv("PATH", path);
        QCOMPARE(*result, opened);
    }

    void sleepAndWakeComeFromLogind()
    {
        if (QStandardPaths::findExecutable(u"dbus-daemon"_s).isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        QProcess daemon;
        daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        QVERIFY(daemon.waitForStarted());
        QTRY_VERIFY(daemon.canReadLine());
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        {
            // logind's side: owns the name and sends the signal.
            QDBusConnection logind = QDBusConnection::connectToBus(address, u"logind"_s);
            QVERIFY(logind.isConnected());
            QVERIFY(logind.registerService(u"org.freedesktop.login1"_s));
            QDBusConnection bus = QDBusConnection::connectToBus(address, u"watcher"_s);
            LogindSleepMonitor monitor(bus);
            QVERIFY(monitor.isListening());
            QSignalSpy sleeping(&monitor, &LogindSleepMonitor::sleeping);
            QSignalSpy waking(&monitor, &LogindSleepMonitor::waking);
            const auto signal = [&](bool start) {
                QDBusMessage message = QDBusMessage::createSignal(
                    u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s,
                    u"PrepareForSleep"_s);
                message << start;
                QVERIFY(logind.send(message));
            };
            signal(true);
            QTRY_COMPARE(sleeping.count(), 1);
            QCOMPARE(waking.count(), 0);
            signal(false);
            QTRY_COMPARE(waking.count(), 1);
            QCOMPARE(sleeping.count(), 1);
        }
        QDBusConnection::disconnectFromBus(u"logind"_s);
        QDBusConnection::disconnectFromBus(u"watcher"_s);
        daemon.terminate();
        daemon.waitForFinished();

        // No bus: simply nothing to listen to.
        LogindSleepMonitor none(
            QDBusConnection::connectToBus(u"unix:path=/nonexistent/bus"_s, u"none"_s));
        QVERIFY(!none.isListening());
    }
};

QTEST_MAIN(X11DesktopServicesTest)
#include "tst_x11desktopservices.moc"
