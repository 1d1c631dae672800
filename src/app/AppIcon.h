#pragma once

#include <QIcon>

namespace corvane {

// Corvane's own icon, drawn from the scalable image the desktop entry names too: the tray item
// and every window (title bar, task switcher) show it.
QIcon appIcon();

} // namespace corvane
