// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/StableUuid.h"

#include <cstdint>
#include <cstdio>

namespace corvane {

QUuid stableUUID(const QString& text)
{
    std::uint64_t h = 0;
    for (const char byte : text.toUtf8())
        h = h * 31 + static_cast<unsigned char>(byte);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%08x-0000-0000-0000-%08x0000",
                  static_cast<unsigned>(h >> 32), static_cast<unsigned>(h & 0xffffffffu));
    const QUuid parsed = QUuid::fromString(QLatin1StringView(buffer));
    // The format always parses; the fallback only guards against a broken parser.
    if (parsed.isNull() && h != 0)
        return QUuid::createUuid();
    return parsed;
}

} // namespace corvane
