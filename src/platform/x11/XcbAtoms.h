// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

namespace corvane {

// The atoms the backend speaks, interned together when the connection opens.
enum class XAtom : std::size_t {
    WM_STATE,
    WM_PROTOCOLS,
    UTF8_STRING,
    EDID,
    _NET_SUPPORTED,
    _NET_SUPPORTING_WM_CHECK,
    _NET_CLIENT_LIST,
    _NET_CLIENT_LIST_STACKING,
    _NET_ACTIVE_WINDOW,
    _NET_WORKAREA,
    _NET_CURRENT_DESKTOP,
    _NET_FRAME_EXTENTS,
    _NET_WM_PID,
    _NET_WM_NAME,
    _NET_WM_STRUT,
    _NET_WM_STRUT_PARTIAL,
    _NET_WM_STATE,
    _NET_WM_STATE_HIDDEN,
    _NET_WM_STATE_ABOVE,
    _NET_WM_STATE_BELOW,
    _NET_WM_STATE_MAXIMIZED_VERT,
    _NET_WM_STATE_MAXIMIZED_HORZ,
    _NET_WM_WINDOW_TYPE,
    _NET_WM_WINDOW_TYPE_DESKTOP,
    _NET_WM_WINDOW_TYPE_DOCK,
    _NET_WM_WINDOW_TYPE_NORMAL,
    _NET_MOVERESIZE_WINDOW,
    _GTK_FRAME_EXTENTS,
    Count
};

inline constexpr std::array<const char*, static_cast<std::size_t>(XAtom::Count)> xAtomNames{
    "WM_STATE",
    "WM_PROTOCOLS",
    "UTF8_STRING",
    "EDID",
    "_NET_SUPPORTED",
    "_NET_SUPPORTING_WM_CHECK",
    "_NET_CLIENT_LIST",
    "_NET_CLIENT_LIST_STACKING",
    "_NET_ACTIVE_WINDOW",
    "_NET_WORKAREA",
    "_NET_CURRENT_DESKTOP",
    "_NET_FRAME_EXTENTS",
    "_NET_WM_PID",
    "_NET_WM_NAME",
    "_NET_WM_STRUT",
    "_NET_WM_STRUT_PARTIAL",
    "_NET_WM_STATE",
    "_NET_WM_STATE_HIDDEN",
    "_NET_WM_STATE_ABOVE",
    "_NET_WM_STATE_BELOW",
    "_NET_WM_STATE_MAXIMIZED_VERT",
    "_NET_WM_STATE_MAXIMIZED_HORZ",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DESKTOP",
    "_NET_WM_WINDOW_TYPE_DOCK",
    "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_MOVERESIZE_WINDOW",
    "_GTK_FRAME_EXTENTS",
};

} // namespace corvane
