// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "platform/SizeLimits.h"
#include "platform/WindowHandle.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <optional>

namespace corvane {

// Makes the snapped windows beside a snapped window the user resizes follow its edges
// (NeighbourResize decides where), during the resize and exactly at its end. A window resized
// with no zone across the edges it moved has a size of its own from then on and is no longer in
// its zone.
class NeighbourFollower : public QObject {
    Q_OBJECT
public:
    // One display frame: the neighbours follow at most this often during a resize; the steps in
    // between are folded into the next.
    static constexpr int paceMs = 16;

    explicit NeighbourFollower(QObject* parent = nullptr);
    ~NeighbourFollower() override;

private:
    void stepped(WindowHandle window, const Rect& frame);
    void finished(WindowHandle window, const Rect& frame);
    void followStep(WindowHandle window, const Rect& frame);
    // Moves the neighbours for the window's frame now; at the end the resized window too, where
    // they stop its edge.
    void follow(WindowHandle window, const Rect& frame, bool final);
    std::optional<SizeLimits> limitsOf(WindowHandle window);

    struct Step {
        WindowHandle window;
        Rect frame;
    };
    std::optional<Step> waiting_; // a step not followed yet
    // The window of this resize whose neighbours followed it: it stays in its zone even when
    // its last steps moved no edge.
    std::optional<WindowHandle> followed_;
    // The windows that followed it so far, whose sizes count as snapped at the end.
    QSet<WindowHandle> moved_;
    QTimer pace_;
    // Read once per resize: a window's limits do not change while another is resized.
    QHash<WindowHandle, std::optional<SizeLimits>> limits_;
};

} // namespace corvane
