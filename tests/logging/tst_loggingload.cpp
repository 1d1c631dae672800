#include "logging/LogManager.h"
#include "logging/Logger.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <array>
#include <thread>
#include <vector>

using namespace corvane;

// Many threads logging at once: every line reaches the file whole, exactly once, and in the order
// each thread logged it.
class LoggingLoadTest : public QObject {
    Q_OBJECT
private:
    static constexpr int threadCount = 8;
    static constexpr int linesPerThread = 10000;

    // Levels and categories vary with the sequence number, so a header mixed up with another
    // line's message shows.
    static LogLevel levelFor(int sequence) { return static_cast<LogLevel>(sequence % 4); }
    static LogCategory categoryFor(int sequence)
    {
        return allLogCategories[sequence % allLogCategories.size()];
    }
    static QString messageFor(int thread, int sequence)
    {
        // Several UTF-8 widths and the field separator, so a torn line cannot parse as whole.
        return QStringLiteral("thread %1 seq %2 - ø✓🧪 - end %1/%2").arg(thread).arg(sequence);
    }

    static void logFromThread(int thread)
    {
        for (int sequence = 0; sequence < linesPerThread; ++sequence)
            Logger::log(messageFor(thread, sequence), levelFor(sequence), categoryFor(sequence));
    }

private slots:
    void initTestCase()
    {
        Logger::isEnabled = true;
        Logger::minimumLogLevel = LogLevel::Debug;
        Logger::isLoggingActive = true;
    }

    void eightThreadsGiveWholeLinesInOrder()
    {
        LogManager& manager = LogManager::shared();
        manager.clearLogs();
        manager.flush();

        QElapsedTimer timer;
        timer.start();
        std::vector<std::thread> threads;
        for (int t = 0; t < threadCount; ++t)
            threads.emplace_back(logFromThread, t);
        for (std::thread& thread : threads)
            thread.join();
        manager.flush();
        qInfo("%d lines written in %lld ms", threadCount * linesPerThread, timer.elapsed());

        // The file itself: one line feed per entry, every line parses.
        QFile file(manager.logFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith('\n'));
        const QList<QByteArray> rawLines = bytes.chopped(1).split('\n');
        QCOMPARE(rawLines.size(), threadCount * linesPerThread);
        for (const QByteArray& raw : rawLines) {
            if (!LogManager::parseLogLine(QString::fromUtf8(raw)))
                QFAIL(qPrintable(QStringLiteral("unreadable line: ") + QString::fromUtf8(raw)));
        }

        const QList<LogEntry> entries = manager.loadLogsFromFile();
        QCOMPARE(entries.size(), threadCount * linesPerThread);
        static const QRegularExpression form(
            QStringLiteral("^thread (\\d+) seq (\\d+) - ø✓🧪 - end (\\d+)/(\\d+)$"));
        std::array<int, threadCount> next{};
        for (const LogEntry& entry : entries) {
            const QRegularExpressionMatch match = form.match(entry.message);
            if (!match.hasMatch())
                QFAIL(qPrintable(QStringLiteral("torn message: ") + entry.message));
            const int thread = match.captured(1).toInt();
            const int sequence = match.captured(2).toInt();
            QVERIFY(thread >= 0 && thread < threadCount);
            QCOMPARE(match.captured(3).toInt(), thread);
            QCOMPARE(match.captured(4).toInt(), sequence);
            // In order per thread and none missing: each sequence number is the next expected.
            QCOMPARE(sequence, next[thread]);
            ++next[thread];
            QCOMPARE(entry.level, levelFor(sequence));
            QCOMPARE(entry.category, std::optional(categoryFor(sequence)));
        }
        for (int count : next)
            QCOMPARE(count, linesPerThread);

        // The in-memory list took every entry on the GUI thread and kept the newest.
        QTRY_COMPARE(manager.recentLogs().size(), qsizetype(LogManager::maxRecentLogs));
    }
};

QTEST_GUILESS_MAIN(LoggingLoadTest)
#include "tst_loggingload.moc"
