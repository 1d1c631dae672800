// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMessageBox;

namespace corvane {

// Makes a message box at least as wide as its title needs in the window manager's title bar,
// which adds the application's name and its own buttons; a short text would otherwise leave a
// narrow box whose title the window manager cuts.
void widenForTitle(QMessageBox& box);

} // namespace corvane
