// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace corvane {

// Severity, ordered by raw value.
enum class LogLevel { Debug = 0, Info = 1, Warning = 2, Error = 3 };

// The text written for the level inside a log line.
QString logLevelPrefix(LogLevel level);

std::optional<LogLevel> logLevelFromRaw(int raw);

// "debug", "info", "warning", "error" (any case); used by the command line.
std::optional<LogLevel> logLevelFromName(const QString& name);

} // namespace corvane
