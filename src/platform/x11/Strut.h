// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>

namespace corvane {

// The room a panel reserves along the edges of the root window (_NET_WM_STRUT_PARTIAL): a
// thickness per edge and the range of that edge it covers, in root coordinates.
struct Strut {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int leftStartY = 0;
    int leftEndY = 0;
    int rightStartY = 0;
    int rightEndY = 0;
    int topStartX = 0;
    int topEndX = 0;
    int bottomStartX = 0;
    int bottomEndX = 0;

    bool isEmpty() const { return left <= 0 && right <= 0 && top <= 0 && bottom <= 0; }

    // The twelve values of _NET_WM_STRUT_PARTIAL.
    static std::optional<Strut> fromPartial(const QList<std::uint32_t>& values);
    // The four values of the older _NET_WM_STRUT, which always covers whole edges.
    static std::optional<Strut> fromFull(const QList<std::uint32_t>& values, QSize rootSize);
};

// The strut as the panel's window stands (root coordinates). EWMH counts a strut from the root's
// edge, but some panels give their own thickness on a monitor that does not reach that edge
// (i3bar on a monitor shorter than its neighbour): a strut that takes room from no monitor, of a
// window along a monitor's edge, reserves up to that window.
Strut reachingWindow(const Strut& strut, const QRect& window, const QList<QRect>& monitors,
                     QSize rootSize);

// The part of a monitor (root coordinates) that is left once the struts reaching into it are
// taken away. A strut reduces a monitor only when its inner edge lies inside that monitor
// and its range overlaps it: a panel on one monitor leaves its neighbours alone.
QRect visibleArea(const QRect& monitor, const QList<Strut>& struts, QSize rootSize);

// The part of a monitor (root coordinates) that EWMH's letter leaves: each strut reserves the band
// from the root's edge to its inner edge over its range, whichever monitors that band crosses.
// Window managers that read struts so (openbox) keep windows out of the rest; a panel along the
// bottom of the upper of two stacked monitors then takes all of the lower one. Empty when
// nothing is left.
QRect areaByTheLetter(const QRect& monitor, const QList<Strut>& struts, QSize rootSize);

// A visible area (from `visibleArea`) cut further by the window manager's work area
// (_NET_WORKAREA), never enlarged. The work area is one rectangle for the whole root and cannot
// say which monitor a panel is on, so only its edges that no strut accounts for are taken: they
// belong to a panel of the window manager's own, which has no strut to read.
QRect withWorkArea(const QRect& visible, const QRect& workArea, const QList<Strut>& struts,
                   QSize rootSize);

} // namespace corvane
