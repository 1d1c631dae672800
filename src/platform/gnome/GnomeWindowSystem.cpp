// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeWindowSystem.h"

#include "platform/ApplicationNames.h"

#include <unistd.h>

namespace corvane {
namespace {

Rect rectOf(const QRectF& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

// Corvane's own windows (its overlays and dialogs) are none of the user's to arrange.
bool isOwn(const GnomeWindow& window)
{
    return window.pid == ::getpid();
}

} // namespace

GnomeWindowSystem::GnomeWindowSystem(GnomeShellBridge& bridge, QObject* parent)
    : WindowSystem(parent), bridge_(bridge)
{
    connect(&bridge_, &GnomeShellBridge::moved, this, &GnomeWindowSystem::onMoved);
    connect(&bridge_, &GnomeShellBridge::windowsChanged, this,
            &GnomeWindowSystem::onWindowsChanged);
    connect(&bridge_, &GnomeShellBridge::activeWindowChanged, this,
            &WindowSystem::activeWindowChanged);
    connect(&bridge_, &GnomeShellBridge::resized, this,
            [this](const GnomeWindow& window, bool finished) {
                if (isOwn(window))
                    return;
                emit windowResized(handleOf(window), rectOf(window.frame));
                if (finished)
                    emit resizeFinished(handleOf(window), rectOf(window.frame));
            });
}

HeldKeys GnomeWindowSystem::keysFrom(unsigned shellModifiers)
{
    HeldKeys keys;
    if (shellModifiers & 1u)
        keys.modifiers |= Modifier::Shift;
    if (shellModifiers & 4u)
        keys.modifiers |= Modifier::Ctrl;
    if (shellModifiers & 8u)
        keys.modifiers |= Modifier::Alt;
    if (shellModifiers & 64u)
        keys.modifiers |= Modifier::Super;
    return keys;
}

WindowHandle GnomeWindowSystem::handleOf(const GnomeWindow& window)
{
    return {bridge_.numberOf(window.id)};
}

std::optional<GnomeWindow> GnomeWindowSystem::windowOf(WindowHandle handle) const
{
    if (!handle.isValid() || handle.value > 0xffffffffu)
        return std::nullopt;
    return bridge_.windowByNumber(static_cast<std::uint32_t>(handle.value));
}

bool GnomeWindowSystem::canMoveWindows()
{
    return bridge_.isConnected();
}

QStringList GnomeWindowSystem::application(WindowHandle handle)
{
    const auto window = windowOf(handle);
    return window ? applicationNames(window->resourceClass, window->pid) : QStringList();
}

std::optional<WindowHandle> GnomeWindowSystem::windowAt(Point point)
{
    if (!canMoveWindows())
        return std::nullopt;
    // The window in a move is the one under the pointer, even where the pointer has run ahead
    // of it (mutter's edge resistance holds a window back).
    if (const auto moving = bridge_.movingWindow())
        return WindowHandle{bridge_.numberOf(*moving)};
    const QPointF p(point.x, point.y);
    for (const GnomeWindow& w : bridge_.windows()) {
        if (w.minimized || !w.current || isOwn(w) || !w.frame.contains(p))
            continue;
        return handleOf(w);
    }
    return std::nullopt;
}

std::optional<Rect> GnomeWindowSystem::frame(WindowHandle handle)
{
    const auto window = canMoveWindows() ? windowOf(handle) : std::nullopt;
    return window ? std::optional(rectOf(window->frame)) : std::nullopt;
}

WindowResult GnomeWindowSystem::setFrame(WindowHandle handle, const Rect& frame)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    const auto window = windowOf(handle);
    if (!window)
        return WindowResult::Gone;
    if (!(frame.width >= 1) || !(frame.height >= 1))
        return WindowResult::Refused;
    // The extension restores a maximized window first and centres one that keeps a smaller
    // size.
    bridge_.setFrame(window->id, QRectF(frame.x, frame.y, frame.width, frame.height));
    return WindowResult::Done;
}

std::optional<WindowHandle> GnomeWindowSystem::activeWindow()
{
    // The shell's focus window: a Wayland client cannot ask which window has the keyboard.
    const auto active = canMoveWindows() ? bridge_.activeWindow() : std::nullopt;
    const auto window = active ? bridge_.window(*active) : std::nullopt;
    if (!window || isOwn(*window) || !window->normal)
        return std::nullopt;
    return handleOf(*window);
}

QList<WindowHandle> GnomeWindowSystem::windows()
{
    QList<WindowHandle> result;
    for (const GnomeWindow& w : bridge_.windows()) {
        if (w.normal && w.current && !w.minimized && !isOwn(w))
            result.append(handleOf(w));
    }
    return result;
}

bool GnomeWindowSystem::isNormalWindow(WindowHandle handle)
{
    const auto window = windowOf(handle);
    return window && window->standalone && !isOwn(*window);
}

WindowResult GnomeWindowSystem::activate(WindowHandle handle)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    const auto window = windowOf(handle);
    if (!window)
        return WindowResult::Gone;
    bridge_.activate(window->id);
    return WindowResult::Done;
}

Point GnomeWindowSystem::pointer() const
{
    const QPointF c = bridge_.cursor();
    return {c.x(), c.y()};
}

std::optional<HeldKeys> GnomeWindowSystem::heldKeys() const
{
    return keysFrom(bridge_.modifiers());
}

void GnomeWindowSystem::onWindowsChanged()
{
    QSet<std::uint64_t> now;
    for (const GnomeWindow& w : bridge_.windows()) {
        if (!isOwn(w))
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

void GnomeWindowSystem::onMoved(GnomeShellBridge::MoveStage stage, const GnomeWindow& window)
{
    if (isOwn(window))
        return;
    const QPointF c = bridge_.cursor();
    const Point pointer{c.x(), c.y()};
    const HeldKeys keys = keysFrom(bridge_.modifiers());
    switch (stage) {
    case GnomeShellBridge::MoveStage::Started:
        move_ = WindowMove{handleOf(window), pointer, rectOf(window.frame), keys};
        emit moveStarted(*move_);
        break;
    case GnomeShellBridge::MoveStage::Stepped:
        if (!move_)
            return;
        move_->pointer = pointer;
        move_->keys = keys;
        emit moveStepped(*move_);
        break;
    case GnomeShellBridge::MoveStage::Finished: {
        if (!move_)
            return;
        WindowMove last = *std::exchange(move_, std::nullopt);
        last.pointer = pointer;
        last.keys = keys;
        emit moveFinished(last);
        break;
    }
    }
}

} // namespace corvane
