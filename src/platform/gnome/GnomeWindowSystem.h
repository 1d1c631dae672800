// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gnome/GnomeShellBridge.h"
#include "platform/scripted/ScriptedWindowSystem.h"

namespace corvane {

// GNOME Shell's windows, as Corvane's extension reports them. Moves are the shell's grab
// operations, with the pointer and the modifiers held read by the extension at each step: the
// snap and span keys work as on X11. Other keys are not told.
class GnomeWindowSystem : public ScriptedWindowSystem {
    Q_OBJECT
public:
    explicit GnomeWindowSystem(GnomeShellBridge& bridge, QObject* parent = nullptr);

    // While Corvane's extension runs in the shell and answers.
    bool canMoveWindows() override;
    // Only windows of the window list: a dialog of one is not arranged from the keyboard.
    std::optional<WindowHandle> activeWindow() override;
    Point pointer() const override;
    // Only the modifiers are told: no other key can be followed.
    void followKeys(const QList<int>&) override {}
    bool canFollowKey(int) const override { return false; }
    std::optional<HeldKeys> heldKeys() const override;

    // The modifiers the shell reports (Shift 1, Ctrl 4, Alt 8, Super 64) as a move carries them.
    static HeldKeys keysFrom(unsigned shellModifiers);

private:
    void requestFrame(const QString& id, const QRectF& frame) override;
    void requestActivation(const QString& id) override;
    std::optional<QString> movingWindow() const override { return bridge_.movingWindow(); }

    GnomeShellBridge& bridge_;
};

} // namespace corvane
