// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/SizeHints.h"
#include "platform/x11/XcbProperties.h"

#include <QList>
#include <QRect>
#include <cstdint>
#include <optional>
#include <xcb/xcb.h>

namespace corvane {

class XcbConnection;

// The decorations a window manager draws around a client (_NET_FRAME_EXTENTS), or the
// invisible margin a client draws its own shadow in (_GTK_FRAME_EXTENTS).
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    bool operator==(const FrameExtents&) const = default;
};

// What the server says about one window, read in one batch with many others.
struct InspectedWindow {
    xcb_window_t id = XCB_NONE;
    bool exists = false; // false: the window is gone (or never was)
    bool viewable = false;
    bool overrideRedirect = false;
    bool hasWmState = false; // a top-level client managed by the window manager
    QRect rect;              // the window itself, root coordinates
    FrameExtents extents;
    // The client's own shadow, inside its rectangle: a window that draws its decorations
    // itself looks smaller than it is.
    FrameExtents shadow;
    std::optional<SizeHints> sizeHints;
    std::optional<std::int32_t> pid;
    std::optional<WmClass> wmClass;
    QList<xcb_atom_t> states; // _NET_WM_STATE
    QList<xcb_atom_t> types;  // _NET_WM_WINDOW_TYPE

    // The window with its decorations: the rectangle the window manager places.
    QRect frameRect() const;
    // What the user sees as the window on screen: the frame less the client's shadow.
    QRect visibleRect() const;
};

// Reads the given windows with a fixed number of round trips whatever their count: one batch
// for geometry and properties, and one more for the process ids that only the X-Resource
// extension knows, when some are missing and they are asked for. A window's geometry is asked
// for before its properties, so a new geometry comes with properties at least as new.
QList<InspectedWindow> inspectWindows(XcbConnection& connection, const QList<xcb_window_t>& windows,
                                      bool resolvePids);

} // namespace corvane
