// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Displays.h"
#include "platform/x11/RootGeometry.h"

#include <QList>
#include <QRect>
#include <QSet>
#include <QTimer>
#include <memory>
#include <xcb/xcb.h>

namespace corvane {

class LogindSleepMonitor;
class XcbConnection;

// The monitors of the X screen from RandR 1.5, the primary one first, in logical points: each
// monitor at the device pixel ratio Qt gives its screen. The list is read when the backend
// starts and again whenever the server says the monitors, the panels or the work area changed,
// or Qt's screens change; screenParametersChanged follows when the new list differs. Without an
// X connection the toolkit's screens stand in.
class X11Displays : public Displays {
    Q_OBJECT
public:
    explicit X11Displays(XcbConnection& connection, QObject* parent = nullptr);
    ~X11Displays() override;

    DisplayList screens() const override;
    std::optional<Display> mainScreen() const override;
    // Sets the window's device pixels through the toolkit's own X connection.
    void placeExactly(QWindow& window, const Rect& rect) const override;

    // Between the server's device pixels and the port's points, for the monitors of now.
    const RootGeometry& geometry() const { return geometry_; }
    // The monitors in root coordinates, in the order of screens().
    QList<QRect> rootFrames() const { return rootFrames_; }
    // What EWMH's letter leaves of each monitor (root coordinates, in the same order; empty
    // when nothing): where a window manager that reads struts so keeps windows (areaByTheLetter).
    QList<QRect> areasByTheLetter() const { return areasByTheLetter_; }
    // Reads the monitors now; emits screenParametersChanged when they differ from before.
    void refresh();

private:
    struct Snapshot {
        DisplayList displays;
        QList<QRect> rootFrames;
        QList<QRect> areasByTheLetter;
        RootGeometry geometry;
    };

    Snapshot readMonitors() const;
    Snapshot readToolkitScreens() const;
    void adopt(Snapshot snapshot);
    void onEvent(const xcb_generic_event_t* event);

    XcbConnection& connection_;
    DisplayList displays_;
    QList<QRect> rootFrames_;
    QList<QRect> areasByTheLetter_;
    // The window manager's frames, watched for a panel mapped in one after the frame.
    mutable QSet<xcb_window_t> framedWindows_;
    RootGeometry geometry_;
    QTimer refreshTimer_;
    std::unique_ptr<LogindSleepMonitor> sleepMonitor_;
};

} // namespace corvane
