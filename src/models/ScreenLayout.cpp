// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/ScreenLayout.h"

namespace corvane {

QString ScreenLayout::uuidString() const
{
    return uuidText(id);
}

QString uuidText(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> parseUuid(const QString& text)
{
    if (text.size() != 36)
        return std::nullopt;
    for (int i = 0; i < 36; ++i) {
        const QChar c = text.at(i);
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != u'-'
                 : !(c.isDigit() || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

} // namespace corvane
