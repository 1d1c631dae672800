// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QKeySequence>
#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// One key combination: a macOS virtual key code and a Carbon modifier mask (command 256, shift
// 512, option 2048, control 4096, function 131072). Stored in this form so that a saved shortcut
// means the same keys on every platform. "Carbon" is the macOS hot-key interface these numbers
// come from; on X11, command is Super (Mod4) and option is Alt (Mod1), and the X11 backend turns
// the key code into a keysym (platform/x11/X11KeySyms).
struct Shortcut {
    int carbonKeyCode = 0;
    int carbonModifiers = 0;

    friend bool operator==(const Shortcut&, const Shortcut&) = default;

    // A JSON object with exactly the keys "carbonKeyCode" and "carbonModifiers" (compact).
    QByteArray toJson() const;
    // Both keys must hold whole numbers; anything else does not decode.
    static std::optional<Shortcut> fromJson(const QByteArray& json);

    // A key press as Qt reports it. Shifted symbols of the US layout ("!", "+", "{", ...) count
    // as their unshifted key, because the stored key code names the physical key. None when the
    // key has no key code.
    static std::optional<Shortcut> fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
    std::optional<Qt::Key> qtKey() const;
    Qt::KeyboardModifiers qtModifiers() const;

    bool isFunctionKey() const; // F1 to F20
    // A modifier other than Shift is held.
    bool hasNonShiftModifier() const;

    QKeySequence keySequence() const;
    // The platform's own text for the combination, as menus show it.
    QString displayText() const;
    // For log lines: the display text with the stored numbers.
    QString description() const;
};

inline size_t qHash(const Shortcut& shortcut, size_t seed = 0) noexcept
{
    return qHashMulti(seed, shortcut.carbonKeyCode, shortcut.carbonModifiers);
}

} // namespace corvane
