// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>
#include <cstdint>
#include <optional>

namespace corvane {

// The X keysym for a Qt key, for every key a shortcut can be made of: letters, digits,
// function keys, arrows, the editing and navigation keys, space, return, tab, escape and
// punctuation. None for a key X has no symbol for.
std::optional<std::uint32_t> keysymForQtKey(Qt::Key key);

// The keysym for a stored macOS key code. The keypad's keys share their Qt keys with the main
// keyboard, so their codes are looked up first.
std::optional<std::uint32_t> keysymForMacKeyCode(int keyCode);

} // namespace corvane
