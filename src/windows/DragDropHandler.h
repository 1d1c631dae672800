// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowMove.h"
#include "windows/DragKey.h"

#include <QObject>
#include <memory>
#include <optional>

namespace corvane {

class DragGesture;
class ZoneManager;

// Turns the window moves the window system reports into snaps: each move is one DragGesture,
// which shows the zones while the snap key is held and snaps the window at the release. Moves
// of excluded applications' windows are left alone.
class DragDropHandler : public QObject {
    Q_OBJECT
public:
    explicit DragDropHandler(ZoneManager& zoneManager, QObject* parent = nullptr);
    ~DragDropHandler() override;

    // The move under way; none between moves.
    DragGesture* gesture() const { return gesture_.get(); }

    // How far from a press near a window's top edge (its title bar) the pointer must be let go,
    // the snap key held all along, before a window that never moved counts as a failed snap
    // rather than a click; and how deep that top band is.
    static constexpr double noMoveDistance = 40;
    static constexpr double titleBandDepth = 48;

signals:
    // A drag that began on a window's title bar with the snap key held ended with it held, far
    // from where it began, but the window never moved: the window manager does not move
    // windows while that key is held.
    void modifierDragMovedNoWindow();

private:
    void started(WindowMove move);
    void stepped(const WindowMove& move);
    void finished(const WindowMove& move);
    void movedNoWindow(const WindowMove& press, const WindowMove& release);
    // Runs the event in its own turn of the event loop, after any still waiting, so that they
    // keep their order: a start or a release may do long work (a snap waits for the window
    // manager). Steps, which come at the display's rate, run at once when nothing waits.
    void queue(std::function<void()> handle);
    // The stored snap key, or Shift when the stored one cannot be followed here.
    DragKey snapKey() const;
    // Asks the window system to follow the keys that are not modifiers; whether one of them was
    // not followed before.
    bool followKeys(const QList<DragKey>& keys);

    ZoneManager& zoneManager_;
    std::unique_ptr<DragGesture> gesture_;
    QList<int> followedKeys_;
    mutable QString refusedKeyName_; // the stored key last said to be unusable
    int queued_ = 0;                 // events queued and not yet handled
};

} // namespace corvane
