// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinWindowSystem.h"

#include "logging/Logger.h"

namespace corvane {

KWinWindowSystem::KWinWindowSystem(KWinBridge& bridge, QObject* parent)
    : ScriptedWindowSystem(bridge.windows(), parent), bridge_(bridge)
{
    connect(&bridge_, &KWinBridge::moved, this,
            [this](MoveStage stage, const ReportedWindow& window, const QPointF& cursor) {
                moveReported(stage, window, {cursor.x(), cursor.y()}, std::nullopt);
            });
    connect(&bridge_, &KWinBridge::shortcutActivated, this, &KWinWindowSystem::onShortcut);
    connect(&bridge_, &KWinBridge::windowsChanged, this, &KWinWindowSystem::listChanged);
    connect(&bridge_, &KWinBridge::activeWindowChanged, this, &WindowSystem::activeWindowChanged);
    connect(&bridge_, &KWinBridge::resized, this, &KWinWindowSystem::resizeReported);
    bridge_.registerShortcut(QString::fromLatin1(snapShortcutName),
                             tr("Corvane: show the zones during a window move"),
                             QString::fromLatin1(snapShortcutKeys));
    bridge_.registerShortcut(QString::fromLatin1(spanShortcutName),
                             tr("Corvane: span zones during a window move"),
                             QString::fromLatin1(spanShortcutKeys));
}

bool KWinWindowSystem::canMoveWindows()
{
    return bridge_.isScriptRunning();
}

void KWinWindowSystem::requestFrame(const QString& id, const QRectF& frame)
{
    // KWin places the window once, and centres an X11 window that keeps a smaller size.
    bridge_.setFrame(id, frame);
}

void KWinWindowSystem::requestActivation(const QString& id)
{
    bridge_.activate(id);
}

Point KWinWindowSystem::pointer() const
{
    const QPointF c = bridge_.cursor();
    return {c.x(), c.y()};
}

void KWinWindowSystem::onShortcut(const QString& name)
{
    if (!move_)
        return;
    if (name == QLatin1String(snapShortcutName)) {
        move_->snapShortcut = !move_->snapShortcut;
        Logger::info(QStringLiteral("Snap shortcut pressed during the move"), LogCategory::Mouse);
    } else if (name == QLatin1String(spanShortcutName)) {
        move_->spanShortcut = !move_->spanShortcut;
        Logger::info(move_->spanShortcut
                         ? QStringLiteral("Span shortcut: spanning from the zone here")
                         : QStringLiteral("Span shortcut: one zone again"),
                     LogCategory::Mouse);
    } else {
        return;
    }
    // The overlay follows at once, not at the pointer's next step.
    move_->pointer = pointer();
    emit moveStepped(*move_);
}

} // namespace corvane
