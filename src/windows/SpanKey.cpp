// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/SpanKey.h"

#include "platform/Platform.h"
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
    // Where the keys cannot be read, no key may count as held: the desktop's span shortcut
    // stands in, or nothing spans.
    const InputMonitor& monitor = Platform::current().inputMonitor();
    if (!monitor.readsModifierKeys()) {
        if (monitor.spanShortcutText().isEmpty())
            return std::nullopt;
        return DragKey::spanShortcut();
    }
    const auto key = DragKey::fromName(name(snapKey));
    if (!key || *key == snapKey || !key->canBeFollowed())
        return std::nullopt;
    return key;
}

} // namespace corvane
