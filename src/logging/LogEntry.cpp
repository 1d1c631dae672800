#include "logging/LogEntry.h"

#include <QFileInfo>
#include <QStringList>

namespace corvane {

QString LogEntry::formatLine() const
{
    const QString categoryText = category ? logCategoryName(*category) : QStringLiteral("Unknown");
    return timestamp.toUTC().toString(Qt::ISODateWithMs) + QStringLiteral(" [") +
           logLevelPrefix(level) + QStringLiteral("] [") + categoryText + QStringLiteral("] ") +
           QFileInfo(file).fileName() + u':' + QString::number(line) + u' ' + function +
           QStringLiteral(" - ") + message + u'\n';
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
    const QDateTime parsed = QDateTime::fromString(stamp, Qt::ISODateWithMs);
    entry.timestamp = parsed.isValid() ? parsed.toUTC() : QDateTime::currentDateTimeUtc();

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
