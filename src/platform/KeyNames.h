// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>

namespace corvane {

// How a key is written wherever the user reads one: the names printed on a PC keyboard (Shift,
// Ctrl, Alt, Super) and the order Linux desktops write a combination in (Ctrl+Shift+Alt+Super+P).
// Every menu, page and notice takes its key names from here.
namespace KeyNames {

// A stored snap modifier ("shift", "control", "option" or "alt", "command" or "cmd", "space",
// "tab", or any other key's lower-case name) in any letter case.
QString modifierKey(const QString& storedKey);

// A key with its modifiers, "Ctrl+Shift+Super+P"; the keypad flag has no key of its own and is
// left out.
QString combination(Qt::KeyboardModifiers modifiers, Qt::Key key);

// The modifiers alone, each followed by "+": the prefix of a combination.
QString modifierPrefix(Qt::KeyboardModifiers modifiers);

} // namespace KeyNames
} // namespace corvane
