// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/SpanKey.h"

#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

namespace corvane {

QString SpanKey::name(const DragKey& snapKey)
{
    if (const auto stored = Settings::string(QString(SettingsKeys::spanZonesKey)))
        return *stored;
    const QString fallback = QString::fromLatin1(defaultName);
    return DragKey::fromName(fallback) == snapKey ? QStringLiteral("shift") : fallback;
}

std::optional<DragKey> SpanKey::forSnapKey(const DragKey& snapKey)
{
    const auto key = DragKey::fromName(name(snapKey));
    if (!key || *key == snapKey || !key->canBeFollowed())
        return std::nullopt;
    return key;
}

} // namespace corvane
