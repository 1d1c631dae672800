// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "logging/LogEntry.h"
#include "logging/SerialQueue.h"

#include <QList>
#include <QObject>
#include <atomic>

namespace corvane {

// Keeps the newest entries for a viewer and appends every entry to
// $XDG_DATA_HOME/Corvane/corvane.log from its own worker thread, in call order.
class LogManager : public QObject {
    Q_OBJECT
public:
    static constexpr int maxRecentLogs = 100;
    // Past this size the file is renamed to corvane.log.1 (replacing the one kept before) and a
    // new one begins, so the log never takes more than twice this.
    static constexpr qint64 defaultMaxFileSize = 1024 * 1024;

    static LogManager& shared();
    // Whether shared() has been created; lets tests prove that a silent call created nothing.
    static bool exists();

    QString logFilePath() const { return logFilePath_; }
    const QList<LogEntry>& recentLogs() const { return recentLogs_; }
    qint64 maxFileSize() const { return maxFileSize_; }
    // For tests that need every line of a long run in one file.
    void setMaxFileSize(qint64 bytes) { maxFileSize_ = bytes; }

    // Queues the line write and, on the GUI thread, the in-memory append.
    void record(const LogEntry& entry);
    QList<LogEntry> loadLogsFromFile() const;
    // The entries of a whole log text, in order: lines end at any newline character, and lines
    // that do not parse are skipped.
    static QList<LogEntry> parseLogText(const QString& text);
    void clearLogs();
    // Blocks until every queued file operation has run.
    void flush();

private:
    LogManager();
    ~LogManager() override;
    void appendToFile(const LogEntry& entry);
    void addRecentLog(const LogEntry& entry);
    static std::optional<LogEntry> parseLogLine(const QString& line);
    void writeLine(const QByteArray& utf8);

    QString logFilePath_;
    QList<LogEntry> recentLogs_;
    SerialQueue logQueue_;
    std::atomic<qint64> maxFileSize_{defaultMaxFileSize};
};

} // namespace corvane
