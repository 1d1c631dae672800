// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/ControlCharacters.h"

#include <algorithm>

namespace corvane {
namespace {

bool actsOnText(char16_t u)
{
    if (u == u'\t' || u == u'\n' || u == u'\r')
        return false;
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x061C || u == 0x200E || u == 0x200F ||
           (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

} // namespace

QString replaceControlCharacters(const QString& text)
{
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return actsOnText(c.unicode()); }))
        return text;
    QString visible = text;
    for (QChar& c : visible) {
        if (actsOnText(c.unicode()))
            c = QChar(0xFFFD);
    }
    return visible;
}

} // namespace corvane
