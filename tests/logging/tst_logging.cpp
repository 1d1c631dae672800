#include "logging/LogManager.h"
#include "logging/Logger.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace corvane;

class LoggingTest : public QObject {
    Q_OBJECT
private:
    static QString logFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/Corvane");
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
    // Must run first: nothing may have created the manager yet.
    void silentCallsTouchNothing()
    {
        QDir(logFolder()).removeRecursively();
        setSwitches(true, LogLevel::Error, false);
        Logger::info(QStringLiteral("i"));
        Logger::warning(QStringLiteral("w"));
        Logger::error(QStringLiteral("e"));
        Logger::log(QStringLiteral("l"), LogLevel::Error);
        Logger::debug(QStringLiteral("d"));
        QVERIFY(!LogManager::exists());
        QVERIFY(!QDir(logFolder()).exists());

        setSwitches(true, LogLevel::Error, true);
        Logger::debug(QStringLiteral("never"));
        Logger::verboseDebug(QStringLiteral("never"));
        Logger::info(QStringLiteral("below the minimum"));
        QVERIFY(!LogManager::exists());
    }

    void theGatesDecideWhatIsRecorded()
    {
        LogManager::shared().clearLogs();
        setSwitches(true, LogLevel::Warning, true);
        Logger::info(QStringLiteral("info"));
        Logger::warning(QStringLiteral("warning"));
        Logger::error(QStringLiteral("error"));
        Logger::log(QStringLiteral("debug through log"), LogLevel::Debug);
        QCOMPARE(drainedCount(), 3);
        const auto& logs = LogManager::shared().recentLogs();
        QCOMPARE(logs[0].message, QStringLiteral("warning"));
        QCOMPARE(logs[2].level, LogLevel::Debug);

        LogManager::shared().clearLogs();
        setSwitches(false, LogLevel::Debug, true);
        Logger::error(QStringLiteral("disabled"));
        Logger::log(QStringLiteral("log only"), LogLevel::Info);
        QCOMPARE(drainedCount(), 1);
        QCOMPARE(LogManager::shared().recentLogs()[0].message, QStringLiteral("log only"));

        // A fault is recorded whatever the switches say.
        LogManager::shared().clearLogs();
        setSwitches(false, LogLevel::Error, false);
        Logger::fault(QStringLiteral("fault"));
        QCOMPARE(drainedCount(), 1);
        QCOMPARE(LogManager::shared().recentLogs()[0].level, LogLevel::Error);
    }

    void theCallSiteIsTakenImplicitly()
    {
        LogManager::shared().clearLogs();
        setSwitches(true, LogLevel::Debug, true);
        const int line = __LINE__ + 1;
        Logger::info(QStringLiteral("here"), LogCategory::Window);
        QCOMPARE(drainedCount(), 1);
        const LogEntry entry = LogManager::shared().recentLogs()[0];
        QVERIFY(entry.file.endsWith(QStringLiteral("tst_logging.cpp")));
        QCOMPARE(entry.line, line);
        QVERIFY(entry.function.contains(QStringLiteral("theCallSiteIsTakenImplicitly")));
        QFile file(LogManager::shared().logFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("[Window] tst_logging.cpp:%1 ").arg(line)));
        QVERIFY(text.endsWith(QStringLiteral(" - here\n")));
    }

    void theNewest100AreKeptUntilCleared()
    {
        LogManager::shared().clearLogs();
        setSwitches(true, LogLevel::Debug, true);
        for (int i = 0; i < 101; ++i)
            Logger::info(QString::number(i));
        QCOMPARE(drainedCount(), 100);
        QCOMPARE(LogManager::shared().recentLogs().first().message, QStringLiteral("1"));
        QCOMPARE(LogManager::shared().recentLogs().last().message, QStringLiteral("100"));
        QCOMPARE(LogManager::shared().loadLogsFromFile().size(), 101);

        // Clearing empties the list at once and keeps an empty file.
        LogManager::shared().setFullLogsLoaded(true);
        LogManager::shared().clearLogs();
        QVERIFY(LogManager::shared().recentLogs().isEmpty());
        QVERIFY(!LogManager::shared().fullLogsLoaded());
        LogManager::shared().flush();
        QFileInfo info(LogManager::shared().logFilePath());
        QVERIFY(info.exists());
        QCOMPARE(info.size(), 0);
        // Only its owner reads the log, before and after clearing.
        const auto others = QFile::ReadGroup | QFile::ReadOther | QFile::ExeGroup | QFile::ExeOther;
        QCOMPARE(info.permissions() & others, 0);
        QCOMPARE(QFileInfo(logFolder()).permissions() & others, 0);
    }

    void aLineRoundTripsAndParsingReadsTheWholeLine()
    {
        LogEntry entry;
        entry.level = LogLevel::Info;
        entry.category = LogCategory::Mouse;
        entry.message = QStringLiteral("a - b");
        entry.file = QStringLiteral("/src/windows/DragDropHandler.cpp");
        entry.function = QStringLiteral("handleMouseDown");
        entry.line = 42;
        entry.timestamp =
            QDateTime::fromString(QStringLiteral("2024-03-05T14:07:09.123Z"), Qt::ISODateWithMs);
        const QString line = entry.formatLine();
        QCOMPARE(line, QStringLiteral("2024-03-05T14:07:09.123Z [\u2139\uFE0F INFO] [Mouse] "
                                      "DragDropHandler.cpp:42 handleMouseDown - a - b\n"));
        const auto parsed = LogManager::parseLogLine(line.chopped(1));
        QVERIFY(parsed);
        QCOMPARE(parsed->level, LogLevel::Info);
        QCOMPARE(parsed->category, std::optional(LogCategory::Mouse));
        QCOMPARE(parsed->message, QStringLiteral("a - b"));
        QCOMPARE(parsed->timestamp, entry.timestamp);
        QVERIFY(parsed->file.isEmpty() && parsed->function.isEmpty());
        QCOMPARE(parsed->line, 0);

        // Parsing reads the whole line: a level word in the message wins.
        LogEntry other;
        other.level = LogLevel::Error;
        other.message = QStringLiteral("saw DEBUG output");
        const auto reparsed = LogManager::parseLogLine(other.formatLine().trimmed());
        QVERIFY(reparsed);
        QCOMPARE(reparsed->level, LogLevel::Debug);
        QVERIFY(!reparsed->category); // written as "Unknown"
        QVERIFY(other.formatLine().contains(QStringLiteral("[Unknown]")));
        QVERIFY(!LogManager::parseLogLine(QStringLiteral("no separator here")));
        const auto badStamp = LogManager::parseLogLine(QStringLiteral("yesterday [x] - m"));
        QVERIFY(badStamp);
        QVERIFY(badStamp->timestamp.isValid());
        QCOMPARE(badStamp->level, LogLevel::Info);

        // An offset that carries the time past the years a line can hold counts as no time at
        // all: kept, it would be written back without a timestamp.
        for (const QString& stamp : {QStringLiteral("9999-12-31T23:00:00.000-14:00"),
                                     QStringLiteral("0001-01-01T00:00:00.000+14:00")}) {
            const auto read = LogManager::parseLogLine(stamp + QStringLiteral(" [x] - m"));
            QVERIFY(read);
            const auto reread = LogManager::parseLogLine(read->formatLine().chopped(1));
            QCOMPARE(reread->timestamp, read->timestamp);
        }
        const auto offset =
            LogManager::parseLogLine(QStringLiteral("2024-03-05T23:30:00.250+02:00 [x] - m"));
        QCOMPARE(offset->timestamp.toString(Qt::ISODateWithMs),
                 QStringLiteral("2024-03-05T21:30:00.250Z"));
    }

    // Window titles and file contents reach messages; a line break in one must not end the entry
    // early and let the rest of the message pose as an entry of its own.
    void aMessageNeverBreaksItsLine()
    {
        LogEntry entry;
        entry.level = LogLevel::Info;
        entry.message = QStringLiteral("title\n2024-01-01T00:00:00.000Z [x] [App] f:1 g - forged\r"
                                       "\u2028tail\u0085end");
        const QString line = entry.formatLine();
        QCOMPARE(line.count(u'\n'), 1);
        QVERIFY(line.endsWith(u'\n'));
        const auto entries = LogManager::parseLogText(line);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].message,
                 QStringLiteral("title\\n2024-01-01T00:00:00.000Z [x] [App] f:1 g - forged\\r"
                                "\\u2028tail\\u0085end"));

        entry.message = QStringLiteral("plain - text");
        QCOMPARE(LogManager::parseLogText(entry.formatLine())[0].message, entry.message);
    }

    void loadingSkipsWhatDoesNotParse()
    {
        LogManager& manager = LogManager::shared();
        manager.flush();
        QFile file(manager.logFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\n\n\r\n");
        file.close();
        QVERIFY(manager.loadLogsFromFile().isEmpty());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("junk\n2024-01-01T00:00:00.000Z [x] [Grid] f:1 g - kept\r\n");
        file.close();
        const auto entries = manager.loadLogsFromFile();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].category, std::optional(LogCategory::Grid));
    }
};

QTEST_GUILESS_MAIN(LoggingTest)
#include "tst_logging.moc"
