// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowSystem.h"
#include "platform/scripted/ReportedWindows.h"

#include <QSet>

namespace corvane {

// The windows of a compositor that runs a script of Corvane's (KWin's script, the GNOME Shell
// extension): a window's frame is the one the script last reported, decorations included;
// placing or activating a window asks the script. Moves and resizes are the compositor's own,
// reported with the window. Corvane's own windows are never among the user's.
class ScriptedWindowSystem : public WindowSystem {
    Q_OBJECT
public:
    std::optional<WindowHandle> windowAt(Point point) override;
    std::optional<Rect> frame(WindowHandle window) override;
    WindowResult setFrame(WindowHandle window, const Rect& frame) override;
    std::optional<WindowHandle> activeWindow() override;
    // The window's class (its Wayland app id or X11 class) and its process's name.
    QStringList application(WindowHandle window) override;
    QList<WindowHandle> windows() override;
    bool isNormalWindow(WindowHandle window) override;
    WindowResult activate(WindowHandle window) override;
    // The smallest frame, where the compositor tells it: scripts hear of no size steps.
    std::optional<SizeLimits> sizeLimits(WindowHandle window) override;

protected:
    ScriptedWindowSystem(ReportedWindows& reported, QObject* parent);

    // Asks the script to place the window (restoring it first when maximized, centring one
    // that keeps a smaller size) or to raise it and give it the keyboard.
    virtual void requestFrame(const QString& id, const QRectF& frame) = 0;
    virtual void requestActivation(const QString& id) = 0;
    // The window in an interactive move; none between moves.
    virtual std::optional<QString> movingWindow() const = 0;

    // What the backend's bridge reports: a new list of windows, a step of a move (with the keys
    // held where the compositor tells them), a step or the end of a resize by the user.
    void listChanged();
    void moveReported(MoveStage stage, const ReportedWindow& window, Point pointer,
                      std::optional<HeldKeys> keys);
    void resizeReported(const ReportedWindow& window, bool finished);

    WindowHandle handleOf(const ReportedWindow& window);
    std::optional<ReportedWindow> windowOf(WindowHandle handle) const;

    std::optional<WindowMove> move_; // the move under way

private:
    ReportedWindows& reported_;
    QSet<std::uint64_t> known_; // the windows last listed, by handle
};

} // namespace corvane
