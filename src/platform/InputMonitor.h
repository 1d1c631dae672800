// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace corvane {

namespace ModifierFlag {
inline constexpr std::uint64_t shift = 1u << 17;
inline constexpr std::uint64_t control = 1u << 18;
inline constexpr std::uint64_t option = 1u << 19;
inline constexpr std::uint64_t command = 1u << 20;
inline constexpr std::uint64_t function = 1u << 23;
// No key: set where the keys cannot be read while the user has asked, by the span shortcut
// pressed during the move, to span zones.
inline constexpr std::uint64_t spanShortcut = std::uint64_t(1) << 40;
} // namespace ModifierFlag

enum class MouseEventType { LeftMouseDown = 1, LeftMouseUp = 2, LeftMouseDragged = 6 };

namespace EventMask {
inline constexpr std::uint64_t leftMouseDown = 1u << 1;
inline constexpr std::uint64_t leftMouseUp = 1u << 2;
inline constexpr std::uint64_t leftMouseDragged = 1u << 6;
} // namespace EventMask

struct MouseEvent {
    MouseEventType type = MouseEventType::LeftMouseDown;
    std::uint64_t modifierFlags = 0;
    std::optional<QString> charactersIgnoringModifiers; // mouse events carry none
    Point location;                                     // screen space
    // Of the keys the monitor follows (InputMonitor::followKeys), those held at this event.
    QList<int> heldKeys;
};

// Global mouse events of other applications, and the pointer's state.
class InputMonitor {
public:
    using Handler = std::function<void(const MouseEvent&)>;
    using MonitorId = int;

    virtual ~InputMonitor() = default;

    // Events aimed at this process's own windows are not delivered.
    virtual MonitorId addGlobalMonitor(std::uint64_t eventMask, Handler handler) = 0;
    virtual void removeMonitor(MonitorId id) = 0;
    virtual Point mouseLocation() const = 0; // screen space
    virtual std::uint64_t modifierFlags() const = 0;

    // Keys other than the modifiers whose state the mouse events report (MouseEvent::heldKeys),
    // given as macOS virtual key codes, as stored shortcuts are. Replaces the keys followed so
    // far; the next event reports the new ones, including a key pressed before the button.
    virtual void followKeys(const QList<int>& keyCodes) = 0;
    // Whether this desktop can tell when the key is held (its keyboard has the key).
    virtual bool canFollowKey(int keyCode) const = 0;
    // Of the followed keys, those held now.
    virtual QList<int> heldKeys() const = 0;
    // Whether the modifier flags are the keys really held. Where the desktop tells no one (KDE
    // Plasma on Wayland) a move carries every modifier flag while the stored snap trigger is
    // on, and none otherwise.
    virtual bool readsModifierKeys() const { return true; }
    // The shortcut that turns the zones on during a move where modifier keys cannot be read,
    // as the user reads it ("Super+Shift+Z"); empty where there is none.
    virtual QString snapShortcutText() const { return {}; }
    // The shortcut that, pressed during such a move, spans zones from the one under the pointer
    // then to the one under it at the release (ModifierFlag::spanShortcut); empty where there is
    // none.
    virtual QString spanShortcutText() const { return {}; }
};

} // namespace corvane
