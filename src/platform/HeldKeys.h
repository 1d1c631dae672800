// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QList>

namespace corvane {

// The modifier keys a drag can be changed by.
enum class Modifier : unsigned { Shift = 1, Ctrl = 2, Alt = 4, Super = 8 };
Q_DECLARE_FLAGS(Modifiers, Modifier)

// The keys held at one moment of a window move: the modifiers, and of the other keys the
// window system was asked to follow (WindowSystem::followKeys), those that are down. Other keys
// are given by the key codes stored shortcuts use (platform/KeyCodes.h).
struct HeldKeys {
    Modifiers modifiers;
    QList<int> keys;

    friend bool operator==(const HeldKeys&, const HeldKeys&) = default;
};

} // namespace corvane

// Outside the namespace, so that Qt's own operators stay visible inside it.
Q_DECLARE_OPERATORS_FOR_FLAGS(corvane::Modifiers)
