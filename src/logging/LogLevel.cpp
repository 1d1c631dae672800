// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/LogLevel.h"

namespace corvane {

QString logLevelPrefix(LogLevel level)
{
    switch (level) {
    case LogLevel::Debug:
        return QStringLiteral("\U0001F50D DEBUG");
    case LogLevel::Info:
        return QStringLiteral("\u2139\uFE0F INFO");
    case LogLevel::Warning:
        return QStringLiteral("\u26A0\uFE0F WARN");
    case LogLevel::Error:
        return QStringLiteral("\u274C ERROR");
    }
    return {};
}

std::optional<LogLevel> logLevelFromRaw(int raw)
{
    if (raw < 0 || raw > 3)
        return std::nullopt;
    return static_cast<LogLevel>(raw);
}

std::optional<LogLevel> logLevelFromName(const QString& name)
{
    const QString n = name.toLower();
    if (n == u"debug")
        return LogLevel::Debug;
    if (n == u"info")
        return LogLevel::Info;
    if (n == u"warning" || n == u"warn")
        return LogLevel::Warning;
    if (n == u"error")
        return LogLevel::Error;
    return std::nullopt;
}

} // namespace corvane
