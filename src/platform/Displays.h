#pragma once

#include "platform/Display.h"

#include <QObject>
#include <QRectF>

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
    // Where the primary display's top-left corner is in the toolkit's global coordinates.
    virtual QPointF primaryOriginInGlobal() const = 0;

    // The one conversion from screen space to the toolkit's global (top-left) coordinates.
    QRectF toGlobal(const Rect& screenRect) const;
    // And back, for a point in global coordinates.
    Point fromGlobal(const QPointF& global) const;

signals:
    void screenParametersChanged();
    void screensDidSleep();
    void screensDidWake();
};

} // namespace corvane
