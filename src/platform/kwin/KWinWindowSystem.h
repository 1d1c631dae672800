// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/kwin/KWinBridge.h"
#include "platform/scripted/ScriptedWindowSystem.h"

namespace corvane {

// KWin's windows, as its script reports them.
//
// KWin tells scripts nothing of the keyboard, and what Xwayland hears of it goes stale as soon
// as a key is typed with one held, so moves carry no keys. Two KWin shortcuts stand in: the
// snap shortcut, pressed during a move, turns the zones on or off; the span shortcut spans
// from the zone under the pointer, and pressed again stops spanning (WindowMove::snapShortcut,
// WindowMove::spanShortcut).
class KWinWindowSystem : public ScriptedWindowSystem {
    Q_OBJECT
public:
    static constexpr char snapShortcutName[] = "corvane-snap-toggle";
    static constexpr char snapShortcutKeys[] = "Meta+Shift+Z";
    static constexpr char spanShortcutName[] = "corvane-span-toggle";
    static constexpr char spanShortcutKeys[] = "Meta+Shift+X";

    explicit KWinWindowSystem(KWinBridge& bridge, QObject* parent = nullptr);

    // While Corvane's script runs in KWin.
    bool canMoveWindows() override;
    Point pointer() const override;
    // Keys are never told here: any key counts as one that could be, so that a stored choice
    // stays what it is.
    void followKeys(const QList<int>&) override {}
    bool canFollowKey(int) const override { return true; }
    bool tellsKeys() const override { return false; }
    std::optional<HeldKeys> heldKeys() const override { return std::nullopt; }
    QString snapShortcutText() const override { return QStringLiteral("Super+Shift+Z"); }
    QString spanShortcutText() const override { return QStringLiteral("Super+Shift+X"); }

private:
    void requestFrame(const QString& id, const QRectF& frame) override;
    void requestActivation(const QString& id) override;
    std::optional<QString> movingWindow() const override { return bridge_.movingWindow(); }
    void onShortcut(const QString& name);

    KWinBridge& bridge_;
};

} // namespace corvane
