// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotKeys.h"

#include <QHash>
#include <QString>

namespace corvane {

class KWinBridge;

// Global shortcuts registered by Corvane's script in KWin (KDE's global shortcut service), so
// that they work whichever window has the keyboard. A script cannot take a shortcut back: an
// unregistered one stays with KWin, ignored, until Corvane quits; then the bridge gives every
// key back.
class KWinHotKeys : public HotKeys {
    Q_OBJECT
public:
    explicit KWinHotKeys(KWinBridge& bridge, QObject* parent = nullptr);

    HotKeyStatus registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id) override;
    void unregisterHotKey(std::uint32_t id) override;

    // KWin's text for a key with modifiers ("Ctrl+Shift+Meta+P"); empty for a key it lacks.
    static QString keySequenceText(int keyCode, int carbonModifiers);

private:
    KWinBridge& bridge_;
    QHash<QString, std::uint32_t> idsByName_;
};

} // namespace corvane
