// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputMonitor.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// A key the user holds during a window drag to change what the drag does, named as the settings
// store it: a modifier ("shift", "control", "option" or "alt", "command" or "cmd", in any letter
// case) or any other key by the name the key capture gives it ("f5", "space", "tab", "a"). A
// modifier is read from the flags of the mouse events; any other key has no flag, so the input
// monitor follows it by its key code and the events say whether it is held.
class DragKey {
public:
    // The key a stored name names; none when it names no key of the keyboard.
    static std::optional<DragKey> fromName(const QString& name);
    static DragKey shift();
    // The name of the snap key drags use: the stored one when it names a key the desktop can
    // follow, else "shift". What the menu and the preferences show, whatever is stored.
    static QString nameInUse();
    // The span shortcut of a desktop whose keys cannot be read (ModifierFlag::spanShortcut).
    static DragKey spanShortcut();

    std::optional<std::uint64_t> modifierFlag() const { return flag_; }
    // The macOS virtual key code of a key that is not a modifier.
    std::optional<int> keyCode() const { return keyCode_; }

    // Whether the running desktop can tell when the key is held: a modifier always, any other
    // key when the input monitor can follow it.
    bool canBeFollowed() const;
    // In the event; a key that is not a modifier counts only while the monitor follows it.
    bool isHeldIn(const MouseEvent& event) const;
    // Now, from the desktop's current state.
    bool isHeldNow() const;

    bool operator==(const DragKey&) const = default;

private:
    std::optional<std::uint64_t> flag_;
    std::optional<int> keyCode_;
};

} // namespace corvane
