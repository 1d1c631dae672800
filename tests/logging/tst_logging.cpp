// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "logging/LogManager.h"
#include "logging/Logger.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <array>
#include <thread>
#include <vector>

using namespace corvane;
using namespace Qt::StringLiterals;

class LoggingTest : public QObject {
    Q_OBJECT
private:
    static QString logFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               u"/Corvane"_s;
    }
    static void setSwitches(bool enabled, LogLevel minimum, bool active)
    {
        Logger::isEnabled = enabled;
        Logger::minimumLogLevel = minimum;
        Logger::isLoggingActive = active;
    }
    static int drainedCount()
    {
        LogManager::shared().flush();
        QCoreApplication::processEvents();
        return static_cast<int>(LogManager::shared().recentLogs().size());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(test::hasOwnFolders(), "run through ctest: it gives the test folders of its own");
    }

    // Must run first: nothing may have created the manager yet.
    void silentCallsTouchNothing()
    {
        QDir(logFolder()).removeRecursively();
        setSwitches(true, LogLevel::Error, false);
        Logger::info(u"i"_s);
        Logger::warning(u"w"_s);
        Logger::error(u"e"_s);
        Logger::log(u"l"_s, LogLevel::Error);
        Logger::debug(u"d"_s);
        QVERIFY(!LogManager::exists());
        QVERIFY(!QDir(logFolder()).exists());

        setSwitches(true, LogLevel::Error, true);
        Logger::debug(u"never"_s);
        Logger::verboseDebug(u"never"_s);
        Logger::info(u"below the minimum"_s);
        QVERIFY(!LogManager::exists());
    }

    void theGatesDecideWhatIsRecorded()
    {
        LogManager::shared().clearLogs();
        setSwitches(true, LogLevel::Warning, true);
        Logger::info(u"info"_s);
        Logger::warning(u"warning"_s);
        Logger::error(u"error"_s);
        Logger::log(u"debug through log"_s, LogLevel::Debug);
        QCOMPARE(drainedCount(), 3);
        const auto& logs = LogManager::shared().recentLogs();
        QCOMPARE(logs[0].message, u"warning"_s);
        QCOMPARE(logs[2].level, LogLevel::Debug);

        LogManager::shared().clearLogs();
        setSwitches(false, LogLevel::Debug, true);
        Logger::error(u"disabled"_s);
        Logger::log(u"log only"_s, LogLevel::Info);
        QCOMPARE(drainedCount(), 1);
        QCOMPARE(LogManager::shared().recentLogs()[0].message, u"log only"_s);

        // A fault is recorded whatever the switches say.
        LogManager::shared().clearLogs();
        setSwitches(false, LogLevel::Error, false);
        Logger::fault(u"fault"_s);
        QCOMPARE(drainedCount(), 1);
        QCOMPARE(LogManager::shared().recentLogs()[0].level, LogLevel::Error);
    }

    // Only its owner reads the log.
    void theLogIsItsOwnersAlone()
    {
        setSwitches(true, LogLevel::Debug, true);
        Logger::info(u"private"_s);
        LogManager::shared().flush();
        const auto others = QFile::ReadGroup | QFile::ReadOther | QFile::ExeGroup | QFile::ExeOther;
        QCOMPARE(QFileInfo(LogManager::shared().logFilePath()).permissions() & others, 0);
        QCOMPARE(QFileInfo(logFolder()).permissions() & others, 0);
    }

    // The line format is what users and their tools read. The fuzz target of the log line
    // checks parsing and writing back on any text.
    void aLineIsWrittenAsUsersReadIt()
    {
        LogEntry entry;
        entry.level = LogLevel::Info;
        entry.category = LogCategory::Mouse;
        entry.message = u"a - b"_s;
        entry.file = u"/src/windows/DragDropHandler.cpp"_s;
        entry.function = u"handleMouseDown"_s;
        entry.line = 42;
        entry.timestamp = QDateTime::fromString(u"2024-03-05T14:07:09.123Z"_s, Qt::ISODateWithMs);
        const QString line = entry.formatLine();
        QCOMPARE(line, u"2024-03-05T14:07:09.123Z [\u2139\uFE0F INFO] [Mouse] "
                       "DragDropHandler.cpp:42 handleMouseDown - a - b\n"_s);
        // Text from outside (a window title) cannot end the entry and forge another.
        entry.message = u"a\n2024-03-05T14:07:09.123Z [INFO] forged\r"_s;
        QVERIFY(
            entry.formatLine().endsWith(u" - a\\n2024-03-05T14:07:09.123Z [INFO] forged\\r\n"_s));
        QCOMPARE(entry.formatLine().count(u'\n'), 1);
    }

    // A long message is kept as its start and its length, control characters show as what
    // they are, and past its size the file starts afresh with one older file kept.
    void theLogStaysSmallAndPlain()
    {
        drainedCount();
        LogManager::shared().clearLogs();
        setSwitches(true, LogLevel::Info, true);
        Logger::info(u"name \x1b[31mred\u202Eevil"_s);
        Logger::info(QString(100'000, u'x'));
        QCOMPARE(drainedCount(), 2);
        const auto& logs = LogManager::shared().recentLogs();
        QCOMPARE(logs[0].message, u"name \uFFFD[31mred\uFFFDevil"_s);
        QVERIFY(logs[1].message.startsWith(QString(Logger::maxMessageLength, u'x') + u'\u2026'));
        QVERIFY(logs[1].message.size() < Logger::maxMessageLength + 50);
        QVERIFY(logs[1].message.contains(u"100000"_s));

        const QString path = LogManager::shared().logFilePath();
        const qint64 lineSize = QFileInfo(path).size() / 2;
        const qint64 lines = LogManager::shared().maxFileSize() / lineSize + 1;
        for (qint64 i = 0; i < lines; ++i)
            Logger::info(u"%1 "_s.arg(i) + QString(Logger::maxMessageLength, u'y'));
        LogManager::shared().flush();
        QVERIFY(QFileInfo(path).size() <= LogManager::defaultMaxFileSize);
        QVERIFY(QFileInfo(path + u".1"_s).size() <= LogManager::defaultMaxFileSize);
        const QList<LogEntry> newest = LogManager::shared().loadLogsFromFile();
        QVERIFY(!newest.isEmpty());
        QVERIFY(newest.last().message.startsWith(u"%1 "_s.arg(lines - 1)));
        QCOMPARE(QFileInfo(path + u".1"_s).permissions() & QFile::ReadOther, 0);
    }
};

QTEST_GUILESS_MAIN(LoggingTest)
#include "tst_logging.moc"
