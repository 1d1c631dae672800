// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinWindowSystem.h"

#include "logging/Logger.h"
#include "platform/ApplicationNames.h"
#include "platform/kwin/KWinDisplays.h"
#include "platform/kwin/KWinOwnWindows.h"

#include <unistd.h>

namespace corvane {
namespace {

Rect rectOf(const QRectF& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

KWinWindowSystem::KWinWindowSystem(KWinBridge& bridge, const KWinDisplays& displays,
                                   QObject* parent)
    : WindowSystem(parent), bridge_(bridge), displays_(displays)
{
    connect(&bridge_, &KWinBridge::moved, this, &KWinWindowSystem::onMoved);
    connect(&bridge_, &KWinBridge::shortcutActivated, this, &KWinWindowSystem::onShortcut);
    connect(&bridge_, &KWinBridge::windowsChanged, this, &KWinWindowSystem::onWindowsChanged);
    connect(&bridge_, &KWinBridge::activeWindowChanged, this, &WindowSystem::activeWindowChanged);
    connect(&bridge_, &KWinBridge::resized, this, [this](const KWinWindow& window, bool finished) {
        if (window.pid == ::getpid())
            return;
        if (finished)
            emit resizeFinished(handleOf(window), rectOf(window.frame));
        else
            emit windowResized(handleOf(window), rectOf(window.frame));
    });
    bridge_.registerShortcut(QString::fromLatin1(snapShortcutName),
                             tr("Corvane: show the zones during a window move"),
                             QString::fromLatin1(snapShortcutKeys));
    bridge_.registerShortcut(QString::fromLatin1(spanShortcutName),
                             tr("Corvane: span zones during a window move"),
                             QString::fromLatin1(spanShortcutKeys));
}

WindowHandle KWinWindowSystem::handleOf(const KWinWindow& window)
{
    return {bridge_.numberOf(window.id)};
}

std::optional<KWinWindow> KWinWindowSystem::windowOf(WindowHandle handle) const
{
    if (!handle.isValid() || handle.value > 0xffffffffu)
        return std::nullopt;
    return bridge_.windowByNumber(static_cast<std::uint32_t>(handle.value));
}

bool KWinWindowSystem::canMoveWindows()
{
    return bridge_.isScriptRunning();
}

QStringList KWinWindowSystem::application(WindowHandle handle)
{
    const auto window = windowOf(handle);
    return window ? applicationNames(window->resourceClass, window->pid) : QStringList();
}

std::optional<WindowHandle> KWinWindowSystem::windowAt(Point point)
{
    if (!canMoveWindows())
        return std::nullopt;
    // A window being moved is under the pointer, even when the pointer has run ahead of it:
    // KWin reports the start of a move once the pointer has gone some way, before the window
    // has followed.
    if (const auto moving = bridge_.movingWindow())
        return WindowHandle{bridge_.numberOf(*moving)};
    const QPointF p(point.x, point.y);
    for (const KWinWindow& w : bridge_.windows()) {
        if (w.minimized || KWinOwnWindows::isOverlay(w) || !w.frame.contains(p))
            continue;
        return handleOf(w);
    }
    return std::nullopt;
}

std::optional<Rect> KWinWindowSystem::frame(WindowHandle handle)
{
    const auto window = canMoveWindows() ? windowOf(handle) : std::nullopt;
    return window ? std::optional(rectOf(window->frame)) : std::nullopt;
}

WindowResult KWinWindowSystem::setFrame(WindowHandle handle, const Rect& frame)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    const auto window = windowOf(handle);
    if (!window)
        return WindowResult::Gone;
    if (!(frame.width >= 1) || !(frame.height >= 1))
        return WindowResult::Refused;
    // KWin places the window once, and centres an X11 window that keeps a smaller size.
    bridge_.setFrame(window->id, QRectF(frame.x, frame.y, frame.width, frame.height));
    return WindowResult::Done;
}

std::optional<WindowHandle> KWinWindowSystem::activeWindow()
{
    // KWin's active window: a Wayland client cannot ask which window has the keyboard.
    const auto active = canMoveWindows() ? bridge_.activeWindow() : std::nullopt;
    const auto window = active ? bridge_.window(*active) : std::nullopt;
    // Corvane's own windows (the preferences, the editor) are none of the user's to arrange.
    if (!window || KWinOwnWindows::isOverlay(*window) || window->pid == ::getpid())
        return std::nullopt;
    return handleOf(*window);
}

QList<WindowHandle> KWinWindowSystem::windows()
{
    QList<WindowHandle> result;
    for (const KWinWindow& w : bridge_.windows()) {
        if (w.normal && !w.minimized && !w.dock && !w.desktop && w.pid != ::getpid() &&
            !KWinOwnWindows::isOverlay(w))
            result.append(handleOf(w));
    }
    return result;
}

bool KWinWindowSystem::isNormalWindow(WindowHandle handle)
{
    const auto window = windowOf(handle);
    return window && window->standalone && !window->dock && !window->desktop &&
           window->pid != ::getpid() && !KWinOwnWindows::isOverlay(*window);
}

WindowResult KWinWindowSystem::activate(WindowHandle handle)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    const auto window = windowOf(handle);
    if (!window)
        return WindowResult::Gone;
    bridge_.activate(window->id);
    return WindowResult::Done;
}

std::optional<SizeLimits> KWinWindowSystem::sizeLimits(WindowHandle handle)
{
    const auto window = windowOf(handle);
    if (!window || window->minimum.isEmpty())
        return std::nullopt;
    return SizeLimits{{window->minimum.width(), window->minimum.height()}, {}, {}};
}

Point KWinWindowSystem::pointer() const
{
    const QPointF c = bridge_.cursor();
    return {c.x(), c.y()};
}

void KWinWindowSystem::onWindowsChanged()
{
    QSet<std::uint64_t> now;
    for (const KWinWindow& w : bridge_.windows()) {
        if (w.pid != ::getpid())
            now.insert(handleOf(w).value);
    }
    const QSet<std::uint64_t> before = std::exchange(known_, now);
    for (std::uint64_t w : before) {
        if (!now.contains(w))
            emit windowClosed({w});
    }
    for (std::uint64_t w : now) {
        if (!before.contains(w))
            emit windowOpened({w});
    }
}

void KWinWindowSystem::onMoved(KWinBridge::MoveStage stage, const KWinWindow& window,
                               const QPointF& cursor)
{
    if (window.pid == ::getpid())
        return;
    switch (stage) {
    case KWinBridge::MoveStage::Started:
        move_ = WindowMove{handleOf(window), {cursor.x(), cursor.y()}, rectOf(window.frame)};
        emit moveStarted(*move_);
        break;
    case KWinBridge::MoveStage::Stepped:
        if (!move_)
            return;
        move_->pointer = {cursor.x(), cursor.y()};
        emit moveStepped(*move_);
        break;
    case KWinBridge::MoveStage::Finished: {
        if (!move_)
            return;
        WindowMove last = *std::exchange(move_, std::nullopt);
        last.pointer = {cursor.x(), cursor.y()};
        emit moveFinished(last);
        break;
    }
    }
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
