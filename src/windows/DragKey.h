// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HeldKeys.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// A key the user holds during a window drag to change what the drag does, named as the settings
// store it: a modifier ("shift", "control", "option" or "alt", "command" or "cmd", in any letter
// case; "option" is Alt and "command" Super, as settings files have always named them) or any
// other key by the name the key capture gives it ("f5", "space", "tab", "a"). Any key that is
// not a modifier is followed by the window system by its key code.
class DragKey {
public:
    // The key a stored name names; none when it names no key of the keyboard.
    static std::optional<DragKey> fromName(const QString& name);
    static DragKey shift();
    // The name of the snap key drags use: the stored one when it names a key the desktop can
    // follow, else "shift". What the menu and the preferences show, whatever is stored.
    static QString nameInUse();
    // The macOS virtual key code of a key that is not a modifier.
    std::optional<int> keyCode() const { return keyCode_; }

    // Whether the running desktop can tell when the key is held: a modifier always, any other
    // key when the input monitor can follow it.
    bool canBeFollowed() const;
    // Among the keys; a key that is not a modifier counts only while it is followed.
    bool isHeldIn(const HeldKeys& keys) const;
    // Now, from the desktop's current state; false where the desktop does not tell.
    bool isHeldNow() const;

    bool operator==(const DragKey&) const = default;

private:
    std::optional<Modifier> modifier_;
    std::optional<int> keyCode_;
};

} // namespace corvane
