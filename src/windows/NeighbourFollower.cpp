// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/NeighbourFollower.h"

#include "logging/Logger.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "windows/NeighbourResize.h"
#include "windows/SnappedWindows.h"
#include "windows/ZonePlacements.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

WindowSystem& windowSystem()
{
    return Platform::current().windowSystem();
}

// Frames are whole points: what is closer than half of one is where it was asked to be.
bool sameFrame(const Rect& a, const Rect& b)
{
    return std::abs(a.minX() - b.minX()) < 0.5 && std::abs(a.minY() - b.minY()) < 0.5 &&
           std::abs(a.maxX() - b.maxX()) < 0.5 && std::abs(a.maxY() - b.maxY()) < 0.5;
}

QString describe(const Rect& r)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(r.x).arg(r.y).arg(r.width).arg(r.height);
}

} // namespace

NeighbourFollower::NeighbourFollower(QObject* parent) : QObject(parent)
{
    pace_.setSingleShot(true);
    pace_.setTimerType(Qt::PreciseTimer);
    connect(&pace_, &QTimer::timeout, this, [this] {
        if (const auto step = std::exchange(waiting_, std::nullopt))
            followStep(step->window, step->frame);
    });
    WindowSystem& windows = windowSystem();
    // Each in its own turn of the event loop, in order: following moves other windows, which
    // waits for the window manager, and that is not done inside the window system's own events.
    connect(&windows, &WindowSystem::windowResized, this, &NeighbourFollower::stepped,
            Qt::QueuedConnection);
    connect(&windows, &WindowSystem::resizeFinished, this, &NeighbourFollower::finished,
            Qt::QueuedConnection);
}

NeighbourFollower::~NeighbourFollower() = default;

void NeighbourFollower::stepped(WindowHandle window, const Rect& frame)
{
    // The first step is followed at once, the later ones once a display frame: the window
    // manager reports each step of the pointer, and a request the neighbours have not taken
    // yet is replaced rather than queued behind.
    if (pace_.isActive())
        waiting_ = Step{window, frame};
    else
        followStep(window, frame);
}

void NeighbourFollower::followStep(WindowHandle window, const Rect& frame)
{
    // The next step is due a display frame after this one began, not after it ended: moving
    // the neighbours waits for the window manager.
    QElapsedTimer took;
    took.start();
    follow(window, frame, false);
    pace_.start(std::max(0, paceMs - int(took.elapsed())));
}

void NeighbourFollower::finished(WindowHandle window, const Rect& frame)
{
    pace_.stop();
    waiting_.reset();
    follow(window, frame, true);
    limits_.clear();
    followed_.reset();
    moved_.clear();
}

std::optional<SizeLimits> NeighbourFollower::limitsOf(WindowHandle window)
{
    auto it = limits_.find(window);
    if (it == limits_.end())
        it = limits_.insert(window, windowSystem().sizeLimits(window));
    return *it;
}

void NeighbourFollower::follow(WindowHandle window, const Rect& frame, bool final)
{
    ZonePlacements& placements = ZonePlacements::shared();
    const auto placement = placements.placement(window);
    // KWin reports a step before the window changed; a resize that changed nothing leaves the
    // window in its zone.
    if (!placement || (followed_ != window && sameFrame(frame, placement->frame)))
        return;
    NeighbourResize decision{frame, {}, false};
    if (Settings::resizeNeighbours()) {
        QList<ZonedWindow> others;
        for (const WindowHandle other : placements.windowsOn(placement->monitorId)) {
            const auto p = placements.placement(other);
            if (other != window && p && p->desktop == placement->desktop)
                others.append({other, p->zone, p->frame, limitsOf(other)});
        }
        decision =
            NeighbourResize::decide({window, placement->zone, placement->frame, {}}, frame, others);
    }
    if (decision.hasNeighbours)
        followed_ = window;
    if (followed_ != window) {
        // A size the user gives a window alone is no longer its zone's.
        placements.forget(window);
        return;
    }
    for (const auto& [neighbour, to] : decision.neighbours) {
        switch (windowSystem().setFrame(neighbour, to)) {
        case WindowResult::Done:
            placements.setFrame(neighbour, to);
            moved_.insert(neighbour);
            break;
        case WindowResult::Gone:
            placements.forget(neighbour);
            break;
        case WindowResult::Refused:
        case WindowResult::KeptOut:
        case WindowResult::Unavailable:
            Logger::warning(QStringLiteral("A window beside the resized one could not follow to ") +
                                describe(to),
                            LogCategory::Window);
            break;
        }
    }
    placements.setFrame(window, decision.resized);
    if (!final)
        return;
    // During the resize the window manager has the window; after it, the window goes back to
    // where its neighbours stopped its edges.
    if (!sameFrame(decision.resized, frame)) {
        Logger::info(QStringLiteral("A window beside it stops the resized window at ") +
                         describe(decision.resized),
                     LogCategory::Window);
        if (windowSystem().setFrame(window, decision.resized) != WindowResult::Done)
            Logger::warning(QStringLiteral("The resized window could not be set back"),
                            LogCategory::Window);
    }
    // A later drag out of their zones gives each the size it had before its snap.
    moved_.insert(window);
    for (const WindowHandle w : std::as_const(moved_)) {
        if (const auto p = placements.placement(w))
            SnappedWindows::shared().resizedInZone(w, p->frame.size());
    }
}

} // namespace corvane
