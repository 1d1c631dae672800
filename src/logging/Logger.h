// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "logging/CallSite.h"
#include "logging/LogCategory.h"
#include "logging/LogLevel.h"

#include <QString>
#include <atomic>
#include <optional>

namespace corvane {

// The logging front end. Call sites pass only the message and an optional category; the call
// site is taken implicitly. A call that does not record touches neither the log manager nor the
// file system.
class Logger {
public:
    using Category = std::optional<LogCategory>;
    using Where = CallSite;

    static inline std::atomic<bool> isEnabled{true};
    static inline std::atomic<LogLevel> minimumLogLevel{LogLevel::Error};
    static inline std::atomic<bool> isLoggingActive{false};
    // A longer message is recorded as its start and its length: text from outside (a script's
    // argument of many megabytes) must not be written whole, nor kept in memory.
    static constexpr qsizetype maxMessageLength = 2000;
    static QString cutToLength(const QString& message);

    // debug and verboseDebug never record.
    static void debug(const QString&, Category = {}, Where = Where::current()) {}
    static void verboseDebug(const QString&, Category = {}, Where = Where::current()) {}

    static void info(const QString& message, Category category = {},
                     Where where = Where::current());
    static void warning(const QString& message, Category category = {},
                        Where where = Where::current());
    static void error(const QString& message, Category category = {},
                      Where where = Where::current());
    // Records at error level whatever the switches say, from the first line of main on: for a
    // failure that costs the user something (a setting not saved), which must leave a trace
    // even in a plain run.
    static void fault(const QString& message, Category category = {},
                      Where where = Where::current());
    // Records at any level whenever logging is active.
    static void log(const QString& message, LogLevel level, Category category = {},
                    Where where = Where::current());

private:
    static void gatedRecord(const QString& message, LogLevel level, Category category,
                            const Where& where);
    static void record(const QString& message, LogLevel level, Category category,
                       const Where& where);
};

} // namespace corvane
