// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

namespace corvane {

class XcbConnection;

// Where a window sits in the tree with respect to the top-level clients, the windows that
// carry WM_STATE and that the user knows as windows.
struct WindowPlace {
    bool exists = false;
    bool isClient = false;          // the window carries WM_STATE itself
    xcb_window_t parent = XCB_NONE; // its X parent
    xcb_window_t client = XCB_NONE; // the client it belongs to; none when it belongs to none
};

// A window inside a client (the client or one of its children) belongs to that client; a
// window manager's frame and its decorations belong to the client inside the frame. Costs one
// round trip per level of the tree walked.
WindowPlace locateWindow(XcbConnection& connection, xcb_window_t window);

} // namespace corvane
