// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Display.h"

#include <QObject>
#include <QRectF>

class QWindow;

namespace corvane {

// The screens of the system, in its order (the primary display first).
class Displays : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual DisplayList screens() const = 0;
    // The main display: the one the system calls primary (on X11 the RandR primary monitor,
    // else the first). It stays put while the focus moves. None without displays.
    virtual std::optional<Display> mainScreen() const = 0;
    // Puts one of the application's own windows, once the window system has it, exactly on the
    // device pixels that a rectangle covers. The toolkit places windows in
    // whole logical points, which miss them by a pixel at a fractional scale, and a window
    // across monitors of different scales by far. A backend that cannot do better leaves the
    // toolkit's placement.
    virtual void placeExactly(QWindow& window, const Rect& rect) const;

signals:
    void screenParametersChanged();
    void screensDidSleep();
    void screensDidWake();
};

} // namespace corvane
