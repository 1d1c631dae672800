// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputMonitor.h"
#include "platform/kwin/KWinBridge.h"

#include <QObject>
#include <map>

namespace corvane {

class KWinDisplays;

// Window moves as KWin's script reports them, turned into the left-mouse events a move is
// made of: its start is the press, each step a drag, its end the release. Moves of Corvane's
// own windows are not delivered.
//
// KWin tells scripts nothing of the modifier keys, and what Xwayland hears of them goes stale
// as soon as a key is typed with one held. The snap trigger stands in for the modifier: with
// "every move" each move carries every modifier flag; with the snap shortcut a move carries
// them from the moment the shortcut is pressed during it (pressing it again turns them off),
// and every move starts without them. The span key is never among them: the span shortcut,
// pressed during a move, turns the zones on and spans from the zone under the pointer
// (ModifierFlag::spanShortcut); pressed again it stops spanning.
class KWinInputMonitor : public QObject, public InputMonitor {
    Q_OBJECT
public:
    static constexpr char snapShortcutName[] = "corvane-snap-toggle";
    static constexpr char snapShortcutKeys[] = "Meta+Shift+Z";
    static constexpr char spanShortcutName[] = "corvane-span-toggle";
    static constexpr char spanShortcutKeys[] = "Meta+Shift+X";

    KWinInputMonitor(KWinBridge& bridge, const KWinDisplays& displays, QObject* parent = nullptr);

    MonitorId addGlobalMonitor(std::uint64_t eventMask, Handler handler) override;
    void removeMonitor(MonitorId id) override;
    Point mouseLocation() const override;
    std::uint64_t modifierFlags() const override;
    // The followed keys count as held exactly when the modifier flags are on.
    void followKeys(const QList<int>& keyCodes) override { followed_ = keyCodes; }
    bool canFollowKey(int) const override { return true; }
    QList<int> heldKeys() const override;
    bool readsModifierKeys() const override { return false; }
    QString snapShortcutText() const override { return QStringLiteral("Super+Shift+Z"); }
    QString spanShortcutText() const override { return QStringLiteral("Super+Shift+X"); }

private:
    void onMoved(KWinBridge::MoveStage stage, const KWinWindow& window, const QPointF& cursor);
    void onShortcut(const QString& name);
    void deliver(MouseEventType type);

    KWinBridge& bridge_;
    const KWinDisplays& displays_;
    std::map<MonitorId, std::pair<std::uint64_t, Handler>> monitors_;
    MonitorId nextId_ = 1;
    QList<int> followed_;
    bool moving_ = false;
    bool triggered_ = false;
    bool spanning_ = false;
};

} // namespace corvane
