// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowSystem.h"
#include "platform/gnome/GnomeShellBridge.h"

#include <QSet>

namespace corvane {

// GNOME Shell's windows, as Corvane's extension reports them: a window's frame is the one the
// shell last reported (decorations included, client-side shadows not); setting it asks the
// extension to place the window. Moves are the shell's grab operations, window included, with
// the pointer and the modifiers held read by the extension at each step: the snap and span
// keys work as on X11. Other keys are not told.
class GnomeWindowSystem : public WindowSystem {
    Q_OBJECT
public:
    explicit GnomeWindowSystem(GnomeShellBridge& bridge, QObject* parent = nullptr);

    // While Corvane's extension runs in the shell and answers.
    bool canMoveWindows() override;
    std::optional<WindowHandle> windowAt(Point point) override;
    std::optional<Rect> frame(WindowHandle window) override;
    WindowResult setFrame(WindowHandle window, const Rect& frame) override;
    std::optional<WindowHandle> activeWindow() override;
    // The window's class (its Wayland app id or X11 class) and its process's name.
    QStringList application(WindowHandle window) override;
    QList<WindowHandle> windows() override;
    bool isNormalWindow(WindowHandle window) override;
    WindowResult activate(WindowHandle window) override;
    Point pointer() const override;
    // Only the modifiers are told: no other key can be followed.
    void followKeys(const QList<int>&) override {}
    bool canFollowKey(int) const override { return false; }
    std::optional<HeldKeys> heldKeys() const override;

    // The modifiers the shell reports (Shift 1, Ctrl 4, Alt 8, Super 64) as a move carries them.
    static HeldKeys keysFrom(unsigned shellModifiers);

private:
    WindowHandle handleOf(const GnomeWindow& window);
    std::optional<GnomeWindow> windowOf(WindowHandle handle) const;
    void onMoved(GnomeShellBridge::MoveStage stage, const GnomeWindow& window);
    void onWindowsChanged();

    GnomeShellBridge& bridge_;
    std::optional<WindowMove> move_; // the move under way
    QSet<std::uint64_t> known_;      // the windows last listed, by handle
};

} // namespace corvane
