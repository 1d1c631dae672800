// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowSystem.h"
#include "platform/kwin/KWinBridge.h"

#include <QSet>

namespace corvane {

class KWinDisplays;

// KWin's windows, as its script reports them: a window's frame is the one KWin last reported,
// decorations included; setting it asks the script to set it. Moves are the interactive moves
// KWin reports, window included. Corvane's own overlays are never among the windows.
//
// KWin tells scripts nothing of the keyboard, and what Xwayland hears of it goes stale as soon
// as a key is typed with one held, so moves carry no keys. Two KWin shortcuts stand in: the
// snap shortcut, pressed during a move, turns the zones on or off; the span shortcut spans
// from the zone under the pointer, and pressed again stops spanning (WindowMove::snapShortcut,
// WindowMove::spanShortcut).
class KWinWindowSystem : public WindowSystem {
    Q_OBJECT
public:
    static constexpr char snapShortcutName[] = "corvane-snap-toggle";
    static constexpr char snapShortcutKeys[] = "Meta+Shift+Z";
    static constexpr char spanShortcutName[] = "corvane-span-toggle";
    static constexpr char spanShortcutKeys[] = "Meta+Shift+X";

    KWinWindowSystem(KWinBridge& bridge, const KWinDisplays& displays, QObject* parent = nullptr);

    // While Corvane's script runs in KWin.
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
    // The smallest frame only: KWin tells scripts no size steps.
    std::optional<SizeLimits> sizeLimits(WindowHandle window) override;
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
    WindowHandle handleOf(const KWinWindow& window);
    std::optional<KWinWindow> windowOf(WindowHandle handle) const;
    void onMoved(KWinBridge::MoveStage stage, const KWinWindow& window, const QPointF& cursor);
    void onShortcut(const QString& name);
    void onWindowsChanged();

    KWinBridge& bridge_;
    const KWinDisplays& displays_;
    std::optional<WindowMove> move_; // the move under way
    QSet<std::uint64_t> known_;      // the windows last listed, by handle
};

} // namespace corvane
