#pragma once

#include <QIcon>

namespace corvane {

// The tray icon: a display with two zones, drawn so that it reads on light and on dark panels.
QIcon statusBarIcon();

} // namespace corvane
