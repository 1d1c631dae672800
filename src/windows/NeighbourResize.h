// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "platform/SizeLimits.h"
#include "platform/WindowHandle.h"

#include <QList>
#include <optional>
#include <utility>

namespace corvane {

// A window in its zone, as the windows beside it see it.
struct ZonedWindow {
    WindowHandle window;
    Rect zone;  // in unit space of its display
    Rect frame; // the frame it has in its zone now
    std::optional<SizeLimits> limits;
};

// What the user resizing a window in its zone does to the windows in the zones beside it.
//
// Each edge the user moved is a line between zones (one with no zone across it lies on the
// display's border and moves no other window): every window whose zone has an edge on
// that line, along the stretch of the line the resized window's zone touches (and what touches
// that, so that the four windows of a grid meet in one corner), keeps its edge on it. Each
// keeps the space it had to the line, and its far edges stay. The line stops where a window on
// it would go below its smallest size, or lands on a whole step of a window that sizes in
// steps; the resized window then gets the frame the line allows, so that windows neither
// overlap nor leave gaps.
struct NeighbourResize {
    // The frame the resized window is allowed.
    Rect resized;
    // The windows that follow, each with its new frame; only those whose frame changes.
    QList<std::pair<WindowHandle, Rect>> neighbours;
    // Whether any zone lies across an edge the user moved (a window on the line, even one that
    // did not have to change).
    bool hasNeighbours = false;

    // `resized` with the frame it had in its zone, and its frame now; `others` the windows in
    // zones of the same display and desktop.
    static NeighbourResize decide(const ZonedWindow& resized, const Rect& frame,
                                  const QList<ZonedWindow>& others);
};

} // namespace corvane
