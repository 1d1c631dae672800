// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/LogManager.h"

#include "logging/PrivateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <atomic>

namespace corvane {
namespace {

std::atomic<bool> created{false};

// The log may name windows, files and displays: only its owner reads it.
constexpr QFile::Permissions privateFile = QFile::ReadOwner | QFile::WriteOwner;

QString logFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Corvane");
}

} // namespace

LogManager& LogManager::shared()
{
    static LogManager* instance = [] {
        auto* manager = new LogManager;
        created = true;
        return manager;
    }();
    return *instance;
}

bool LogManager::exists()
{
    return created;
}

LogManager::LogManager()
{
    // The in-memory list belongs to the GUI thread, whoever logs first.
    if (auto* app = QCoreApplication::instance(); app && thread() != app->thread())
        moveToThread(app->thread());
    ensurePrivateFolder(logFolder());
    logFilePath_ = logFolder() + QStringLiteral("/corvane.log");
    if (!QFile::exists(logFilePath_)) {
        QFile file(logFilePath_);
        (void)file.open(QIODevice::WriteOnly, privateFile);
    } else {
        QFile::setPermissions(logFilePath_, privateFile);
    }
    // Lines still queued when the application quits are written before it goes.
    if (auto* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &LogManager::flush,
                Qt::DirectConnection);
}

LogManager::~LogManager() = default;

void LogManager::record(const LogEntry& entry)
{
    logQueue_.post([this, entry] { appendToFile(entry); });
    QMetaObject::invokeMethod(
        this, [this, entry] { addRecentLog(entry); }, Qt::QueuedConnection);
}

void LogManager::appendToFile(const LogEntry& entry)
{
    writeLine(entry.formatLine().toUtf8());
}

void LogManager::writeLine(const QByteArray& utf8)
{
    QFile file(logFilePath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append, privateFile))
        return;
    if (file.size() > 0 && file.size() + utf8.size() > maxFileSize_) {
        // Only this worker writes the file: nothing is lost between the rename and the reopen.
        file.close();
        const QString kept = logFilePath_ + QStringLiteral(".1");
        QFile::remove(kept);
        QFile::rename(logFilePath_, kept);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append, privateFile))
            return;
    }
    file.write(utf8);
}

void LogManager::addRecentLog(const LogEntry& entry)
{
    recentLogs_.append(entry);
    if (recentLogs_.size() > maxRecentLogs)
        recentLogs_.remove(0, recentLogs_.size() - maxRecentLogs);
}

QList<LogEntry> LogManager::loadLogsFromFile() const
{
    QFile file(logFilePath_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseLogText(QString::fromUtf8(file.readAll()));
}

QList<LogEntry> LogManager::parseLogText(const QString& text)
{
    QList<LogEntry> entries;
    // Any newline character ends a line.
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && !LogEntry::isLineBreak(text.at(i)))
            continue;
        if (i > start) {
            if (auto entry = parseLogLine(text.mid(start, i - start)))
                entries.append(std::move(*entry));
        }
        start = i + 1;
    }
    return entries;
}

std::optional<LogEntry> LogManager::parseLogLine(const QString& line)
{
    return LogEntry::parseLine(line);
}

void LogManager::clearLogs()
{
    recentLogs_.clear();
    logQueue_.post([path = logFilePath_] {
        QFile::remove(path + QStringLiteral(".1"));
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.commit())
            QFile::setPermissions(path, privateFile);
    });
}

void LogManager::flush()
{
    logQueue_.flush();
}

} // namespace corvane
