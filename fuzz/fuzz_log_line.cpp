// SPDX-License-Identifier: GPL-3.0-or-later
// The log file: any text read back by the log viewer, and any message written into it. An entry
// read from the file is written back as one line that reads the same; an entry with any message
// is written as exactly one line.
#include "FuzzCheck.h"
#include "logging/LogManager.h"

#include <algorithm>

using namespace corvane;
using namespace corvane::fuzz;

namespace {

void checkReadEntry(const LogEntry& entry)
{
    const QString line = entry.formatLine();
    const QList<LogEntry> reread = LogManager::parseLogText(line);
    require(reread.size() == 1, "a read entry is written back as one line");
    require(reread[0].message == entry.message, "a read entry keeps its message");
    require(reread[0].level == entry.level, "a read entry keeps its level");
    require(reread[0].category == entry.category, "a read entry keeps its category");
    require(reread[0].formatLine() == line, "a written line reads back to itself");
}

void checkWrittenMessage(const QString& message)
{
    LogEntry entry;
    entry.level = LogLevel::Warning;
    entry.category = LogCategory::Window;
    entry.message = message;
    entry.file = QStringLiteral("/src/windows/WindowUtil.cpp");
    entry.function = QStringLiteral("corvane::windowUnderPointer");
    entry.line = 42;
    const QList<LogEntry> reread = LogManager::parseLogText(entry.formatLine());
    require(reread.size() == 1, "every entry is written as exactly one line");
    if (std::none_of(message.cbegin(), message.cend(), LogEntry::isLineBreak))
        require(reread[0].message == message, "a message without line breaks reads back whole");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(bytes(data, size));
    for (const LogEntry& entry : LogManager::parseLogText(text))
        checkReadEntry(entry);
    checkWrittenMessage(text);
    return 0;
}
