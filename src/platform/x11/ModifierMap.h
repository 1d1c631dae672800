// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <xcb/xcb.h>

namespace corvane {

class XcbConnection;

// Which modifier bits each key sets, from the server's modifier mapping: keycode -> the mask
// bits (Shift, Lock, Control, Mod1 to Mod5) it is bound to. Empty when the server does not
// answer.
std::map<xcb_keycode_t, std::uint16_t> readModifierMap(XcbConnection& connection);

} // namespace corvane
