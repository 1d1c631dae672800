// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace corvane {

// Corvane's own icon, drawn from the scalable image the desktop entry names too: every window
// (title bar, task switcher) shows it.
QIcon appIcon();
// The tray's icon: monochrome, in the panel's own colour where the icon theme has it.
QIcon trayIcon();

} // namespace corvane
