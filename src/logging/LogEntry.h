// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "logging/LogCategory.h"
#include "logging/LogLevel.h"

#include <QDateTime>
#include <QUuid>
#include <optional>

namespace corvane {

struct LogEntry {
    QUuid id = QUuid::createUuid();
    QDateTime timestamp = QDateTime::currentDateTimeUtc();
    LogLevel level = LogLevel::Info;
    std::optional<LogCategory> category;
    QString message;
    QString file;
    QString function;
    int line = 0;

    // One line of the log file, with its line feed. Line breaks inside the fields are written as
    // the escapes \n, \r and \uXXXX, so that an entry never spans two lines.
    QString formatLine() const;
    // The characters that end a line of the log file (the newline set).
    static bool isLineBreak(QChar c);
    // The inverse of formatLine() as far as a line allows: file, function and line are not read.
    static std::optional<LogEntry> parseLine(const QString& line);
};

} // namespace corvane
