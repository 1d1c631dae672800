// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/Logger.h"

#include "logging/ControlCharacters.h"
#include "logging/LogManager.h"

namespace corvane {

void Logger::info(const QString& message, Category category, Where where)
{
    gatedRecord(message, LogLevel::Info, category, where);
}

void Logger::warning(const QString& message, Category category, Where where)
{
    gatedRecord(message, LogLevel::Warning, category, where);
}

void Logger::error(const QString& message, Category category, Where where)
{
    gatedRecord(message, LogLevel::Error, category, where);
}

void Logger::fault(const QString& message, Category category, Where where)
{
    record(message, LogLevel::Error, category, where);
}

void Logger::log(const QString& message, LogLevel level, Category category, Where where)
{
    if (!isLoggingActive)
        return;
    record(message, level, category, where);
}

void Logger::gatedRecord(const QString& message, LogLevel level, Category category,
                         const Where& where)
{
    if (!isEnabled || level < minimumLogLevel.load() || !isLoggingActive)
        return;
    record(message, level, category, where);
}

QString Logger::cutToLength(const QString& message)
{
    if (message.size() <= maxMessageLength)
        return message;
    qsizetype kept = maxMessageLength;
    if (message.at(kept - 1).isHighSurrogate())
        --kept;
    return message.left(kept) +
           QStringLiteral("\u2026 (cut: %1 characters in all)").arg(message.size());
}

void Logger::record(const QString& message, LogLevel level, Category category, const Where& where)
{
    LogEntry entry;
    entry.level = level;
    entry.category = category;
    entry.message = replaceControlCharacters(cutToLength(message));
    entry.file = QString::fromUtf8(where.file_name());
    entry.function = QString::fromUtf8(where.function_name());
    entry.line = static_cast<int>(where.line());
    LogManager::shared().record(entry);
}

} // namespace corvane
