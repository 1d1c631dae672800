// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

class QWidget;

namespace corvane {

// Places a top-level window of the application over a rectangle: the toolkit's geometry in
// logical points, then the exact device pixels from the backend. Every window
// Corvane puts somewhere (overlays, the editor's backdrop and toolbar) goes through here, so
// that each covers what it should at any scale.
void placeWindow(QWidget& window, const Rect& rect);

} // namespace corvane
