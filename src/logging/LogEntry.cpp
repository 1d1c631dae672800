// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/LogEntry.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace corvane {
namespace {

// Messages carry outside text (window titles, application names, file contents). A line break
// in one would end the entry early and let the rest pose as entries of its own, so breaks are
// written as visible escapes instead.
QString withoutLineBreaks(const QString& text)
{
    if (std::none_of(text.cbegin(), text.cend(), LogEntry::isLineBreak))
        return text;
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            escaped += QStringLiteral("\\n");
        else if (u == u'\r')
            escaped += QStringLiteral("\\r");
        else if (LogEntry::isLineBreak(c))
            escaped += QStringLiteral("\\u%1").arg(int(u), 4, 16, QChar(u'0'));
        else
            escaped += c;
    }
    return escaped;
}

// A time read from a line, in UTC. A time zone offset can carry a readable stamp past the years
// that a line can hold (1 to 9999 in UTC); such a time would be written back without a stamp, so
// it counts as unreadable.
std::optional<QDateTime> readTimestamp(const QString& stamp)
{
    const QDateTime utc = QDateTime::fromString(stamp, Qt::ISODateWithMs).toUTC();
    if (!utc.isValid() || utc.date().year() < 1 || utc.date().year() > 9999)
        return std::nullopt;
    return utc;
}

} // namespace

bool LogEntry::isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == 0x0B || u == 0x0C || u == 0x85 || u == 0x2028 ||
           u == 0x2029;
}

QString LogEntry::formatLine() const
{
    const QString categoryText = category ? logCategoryName(*category) : QStringLiteral("Unknown");
    const QString text = timestamp.toUTC().toString(Qt::ISODateWithMs) + QStringLiteral(" [") +
                         logLevelPrefix(level) + QStringLiteral("] [") + categoryText +
                         QStringLiteral("] ") + QFileInfo(file).fileName() + u':' +
                         QString::number(line) + u' ' + function + QStringLiteral(" - ") + message;
    return withoutLineBreaks(text) + u'\n';
}

std::optional<LogEntry> LogEntry::parseLine(const QString& line)
{
    static const QString separator = QStringLiteral(" - ");
    const qsizetype firstSeparator = line.indexOf(separator);
    if (firstSeparator < 0)
        return std::nullopt;

    LogEntry entry;
    const QString header = line.left(firstSeparator);
    entry.message = line.mid(firstSeparator + separator.size());

    const qsizetype bracket = header.indexOf(QStringLiteral(" ["));
    const QString stamp = bracket < 0 ? header : header.left(bracket);
    entry.timestamp = readTimestamp(stamp).value_or(QDateTime::currentDateTimeUtc());

    // The whole line decides, in this order, so a message can change what the header said.
    if (line.contains(u"DEBUG"))
        entry.level = LogLevel::Debug;
    else if (line.contains(u"INFO"))
        entry.level = LogLevel::Info;
    else if (line.contains(u"WARN"))
        entry.level = LogLevel::Warning;
    else if (line.contains(u"ERROR"))
        entry.level = LogLevel::Error;
    else
        entry.level = LogLevel::Info;

    for (LogCategory c : allLogCategories) {
        if (line.contains(u'[' + logCategoryName(c) + u']')) {
            entry.category = c;
            break;
        }
    }
    return entry;
}

} // namespace corvane
