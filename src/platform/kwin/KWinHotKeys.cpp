// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinHotKeys.h"

#include "platform/KeyCodes.h"
#include "platform/kwin/KWinBridge.h"

#include <QKeySequence>

namespace corvane {

KWinHotKeys::KWinHotKeys(KWinBridge& bridge, QObject* parent) : HotKeys(parent), bridge_(bridge)
{
    connect(&bridge_, &KWinBridge::shortcutActivated, this, [this](const QString& name) {
        const auto it = idsByName_.constFind(name);
        if (it == idsByName_.constEnd())
            return;
        // KWin reports the press only; the release follows it.
        const std::uint32_t id = *it;
        emit pressed(id);
        emit released(id);
    });
}

QString KWinHotKeys::keySequenceText(int keyCode, int carbonModifiers)
{
    const auto key = qtKeyForMacKeyCode(keyCode);
    if (!key)
        return {};
    const QKeyCombination combination(qtModifiersForCarbon(carbonModifiers), *key);
    return QKeySequence(combination).toString(QKeySequence::PortableText);
}

HotKeyStatus KWinHotKeys::registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id)
{
    const QString keys = keySequenceText(keyCode, carbonModifiers);
    if (keys.isEmpty())
        return HotKeyStatus::InvalidKey;
    // The name carries the keys: KDE keeps the keys first given for a name, so new keys need a
    // new name.
    const QString name = QStringLiteral("corvane-shortcut-%1-%2").arg(id).arg(keys);
    for (auto it = idsByName_.begin(); it != idsByName_.end();) {
        it = it.value() == id ? idsByName_.erase(it) : std::next(it);
    }
    idsByName_.insert(name, id);
    bridge_.registerShortcut(name, QStringLiteral("Corvane (%1)").arg(keys), keys);
    return HotKeyStatus::Success;
}

void KWinHotKeys::unregisterHotKey(std::uint32_t id)
{
    for (auto it = idsByName_.begin(); it != idsByName_.end();) {
        it = it.value() == id ? idsByName_.erase(it) : std::next(it);
    }
}

} // namespace corvane
