// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "platform/WindowHandle.h"

#include <QHash>
#include <QObject>
#include <chrono>
#include <optional>

namespace corvane {

// The windows Corvane snapped, each with the size it had before its first snap, so that a
// window dragged out of its zone can get that size back. A window is forgotten when it closes
// and once its size is given back; one the user resized outside its zone's rules keeps a size
// of its own and is not given another.
class SnappedWindows : public QObject {
    Q_OBJECT
public:
    // How long after a snap the window's size is read again. By then the window manager has
    // given it the size it keeps, which may differ from the zone's: some windows size
    // themselves in steps, such as a terminal's character cells.
    static constexpr std::chrono::milliseconds settleDelay{300};

    // The process's instance, created on first use and destroyed with the application.
    static SnappedWindows& shared();

    explicit SnappedWindows(QObject* parent = nullptr);
    ~SnappedWindows() override;

    bool isRemembered(WindowHandle window) const;
    // Called after a snap asked the window to take `size`. `sizeBefore` is its size before the
    // snap, read only when the window is not remembered yet (its first snap); a first snap
    // without it remembers nothing.
    void snapped(WindowHandle window, std::optional<Size> sizeBefore, Size size);
    // A drag that moved the window ended outside every zone. `sizeAtPress` is its size when
    // the button went down and `pointer` where the button came up. A
    // window Corvane snapped whose size nobody changed since gets back the size it had before
    // its first snap, with the pointer on the same point of its title bar. True when it did.
    // The window was resized within its zone's rules (it or its neighbour resized, the edge
    // they share kept): `size` is what it was asked to take, and counts as its snapped size.
    void resizedInZone(WindowHandle window, Size size);
    bool droppedOutsideZones(WindowHandle window, Size sizeAtPress, Point pointer);

    // Drops what is remembered of the window (a drag out of its zone that restores nothing).
    void forget(WindowHandle window);

private:
    // Reads the size the window keeps once the window manager has placed it.
    void settle(WindowHandle window);

    struct Entry {
        Size original; // before the first snap
        Size snapped;  // what the last snap left it at
    };

    QHash<WindowHandle, Entry> windows_;
    unsigned installation_; // of the backend whose windows these are
};

} // namespace corvane
