// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>
#include <optional>

namespace corvane {

// Shortcuts are stored as macOS virtual key codes and Carbon modifier masks, so that a stored
// shortcut means the same key on every platform. These convert to and from Qt's key vocabulary,
// which each backend maps onto its own key symbols.

namespace CarbonModifier {
inline constexpr int command = 256;
inline constexpr int shift = 512;
inline constexpr int option = 2048;
inline constexpr int control = 4096;
inline constexpr int function = 131072;
} // namespace CarbonModifier

std::optional<Qt::Key> qtKeyForMacKeyCode(int keyCode);
std::optional<int> macKeyCodeForQtKey(int qtKey);

// Command is the Super key (Qt's Meta), Option is Alt.
Qt::KeyboardModifiers qtModifiersForCarbon(int carbonModifiers);
int carbonModifiersForQt(Qt::KeyboardModifiers modifiers);

} // namespace corvane
