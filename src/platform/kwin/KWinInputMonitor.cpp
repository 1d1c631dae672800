// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinInputMonitor.h"

#include "logging/Logger.h"
#include "platform/kwin/KWinDisplays.h"
#include "settings/Settings.h"

#include <unistd.h>

namespace corvane {
namespace {

constexpr std::uint64_t everyModifier =
    ModifierFlag::shift | ModifierFlag::control | ModifierFlag::option | ModifierFlag::command;

std::uint64_t maskOf(MouseEventType type)
{
    return std::uint64_t(1) << static_cast<int>(type);
}

} // namespace

KWinInputMonitor::KWinInputMonitor(KWinBridge& bridge, const KWinDisplays& displays,
                                   QObject* parent)
    : QObject(parent), bridge_(bridge), displays_(displays)
{
    connect(&bridge_, &KWinBridge::moved, this, &KWinInputMonitor::onMoved);
    connect(&bridge_, &KWinBridge::shortcutActivated, this, &KWinInputMonitor::onShortcut);
    bridge_.registerShortcut(QString::fromLatin1(snapShortcutName),
                             tr("Corvane: show the zones during a window move"),
                             QString::fromLatin1(snapShortcutKeys));
    bridge_.registerShortcut(QString::fromLatin1(spanShortcutName),
                             tr("Corvane: span zones during a window move"),
                             QString::fromLatin1(spanShortcutKeys));
}

InputMonitor::MonitorId KWinInputMonitor::addGlobalMonitor(std::uint64_t eventMask, Handler handler)
{
    const MonitorId id = nextId_++;
    monitors_.emplace(id, std::make_pair(eventMask, std::move(handler)));
    return id;
}

void KWinInputMonitor::removeMonitor(MonitorId id)
{
    monitors_.erase(id);
}

Point KWinInputMonitor::mouseLocation() const
{
    const QPointF c = bridge_.cursor();
    const QRectF p = displays_.primaryFrame();
    return Point(c.x() - p.x(), (p.y() + p.height()) - c.y());
}

std::uint64_t KWinInputMonitor::modifierFlags() const
{
    if (!moving_ || !triggered_)
        return 0;
    return everyModifier | (spanning_ ? ModifierFlag::spanShortcut : 0);
}

QList<int> KWinInputMonitor::heldKeys() const
{
    return moving_ && triggered_ ? followed_ : QList<int>{};
}

void KWinInputMonitor::onMoved(KWinBridge::MoveStage stage, const KWinWindow& window,
                               const QPointF&)
{
    if (window.pid == ::getpid())
        return;
    switch (stage) {
    case KWinBridge::MoveStage::Started:
        moving_ = true;
        triggered_ = Settings::snapTrigger() == Settings::SnapTrigger::EveryMove;
        spanning_ = false;
        deliver(MouseEventType::LeftMouseDown);
        break;
    case KWinBridge::MoveStage::Stepped:
        if (moving_)
            deliver(MouseEventType::LeftMouseDragged);
        break;
    case KWinBridge::MoveStage::Finished:
        if (!moving_)
            return;
        deliver(MouseEventType::LeftMouseUp);
        moving_ = false;
        triggered_ = false;
        spanning_ = false;
        break;
    }
}

void KWinInputMonitor::onShortcut(const QString& name)
{
    if (!moving_)
        return;
    if (name == QLatin1String(snapShortcutName)) {
        triggered_ = !triggered_;
        spanning_ = false;
        Logger::info(triggered_ ? QStringLiteral("Snap shortcut: zones on for this move")
                                : QStringLiteral("Snap shortcut: zones off for this move"),
                     LogCategory::Mouse);
    } else if (name == QLatin1String(spanShortcutName)) {
        // Spanning needs the zones.
        spanning_ = !spanning_;
        triggered_ = triggered_ || spanning_;
        Logger::info(spanning_ ? QStringLiteral("Span shortcut: spanning from the zone here")
                               : QStringLiteral("Span shortcut: one zone again"),
                     LogCategory::Mouse);
    } else {
        return;
    }
    // The overlay follows at once, not at the pointer's next step.
    deliver(MouseEventType::LeftMouseDragged);
}

void KWinInputMonitor::deliver(MouseEventType type)
{
    MouseEvent event;
    event.type = type;
    event.modifierFlags = modifierFlags();
    event.heldKeys = heldKeys();
    event.location = mouseLocation();
    const std::uint64_t mask = maskOf(type);
    // A handler may add or remove monitors: the list is copied first.
    const auto monitors = monitors_;
    for (const auto& [id, entry] : monitors) {
        if (entry.first & mask)
            entry.second(event);
    }
}

} // namespace corvane
