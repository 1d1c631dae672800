// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted/ScriptedWindowSystem.h"

#include "platform/ApplicationNames.h"

#include <unistd.h>

namespace corvane {
namespace {

Rect rectOf(const QRectF& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

// Corvane's own windows (its overlays, the preferences, the editor) are none of the user's to
// arrange.
bool isOwn(const ReportedWindow& window)
{
    return window.pid == ::getpid();
}

} // namespace

ScriptedWindowSystem::ScriptedWindowSystem(ReportedWindows& reported, QObject* parent)
    : WindowSystem(parent), reported_(reported)
{}

WindowHandle ScriptedWindowSystem::handleOf(const ReportedWindow& window)
{
    return {reported_.numberOf(window.id)};
}

std::optional<ReportedWindow> ScriptedWindowSystem::windowOf(WindowHandle handle) const
{
    if (!handle.isValid() || handle.value > 0xffffffffu)
        return std::nullopt;
    return reported_.byNumber(static_cast<std::uint32_t>(handle.value));
}

QStringList ScriptedWindowSystem::application(WindowHandle handle)
{
    const auto window = windowOf(handle);
    return window ? applicationNames(window->resourceClass, window->pid) : QStringList();
}

std::optional<WindowHandle> ScriptedWindowSystem::windowAt(Point point)
{
    if (!canMoveWindows())
        return std::nullopt;
    // The window in a move is the one under the pointer, even where the pointer has run ahead
    // of it: compositors report a move once the pointer has gone some way, and hold a window
    // back at edges.
    if (const auto moving = movingWindow())
        return WindowHandle{reported_.numberOf(*moving)};
    const QPointF p(point.x, point.y);
    for (const ReportedWindow& w : reported_.all()) {
        if (!w.minimized && w.current && !isOwn(w) && w.frame.contains(p))
            return handleOf(w);
    }
    return std::nullopt;
}

std::optional<Rect> ScriptedWindowSystem::frame(WindowHandle handle)
{
    const auto window = canMoveWindows() ? windowOf(handle) : std::nullopt;
    return window ? std::optional(rectOf(window->frame)) : std::nullopt;
}

WindowResult ScriptedWindowSystem::setFrame(WindowHandle handle, const Rect& frame)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    const auto window = windowOf(handle);
    if (!window)
        return WindowResult::Gone;
    if (!(frame.width >= 1) || !(frame.height >= 1))
        return WindowResult::Refused;
    requestFrame(window->id, QRectF(frame.x, frame.y, frame.width, frame.height));
    return WindowResult::Done;
}

std::optional<WindowHandle> ScriptedWindowSystem::activeWindow()
{
    // The compositor's active window: a Wayland client cannot ask which window has the keyboard.
    const auto active = canMoveWindows() ? reported_.active() : std::nullopt;
    const auto window = active ? reported_.find(*active) : std::nullopt;
    if (!window || isOwn(*window))
        return std::nullopt;
    return handleOf(*window);
}

QList<WindowHandle> ScriptedWindowSystem::windows()
{
    QList<WindowHandle> result;
    for (const ReportedWindow& w : reported_.all()) {
        if (w.normal && w.current && !w.minimized && !w.dock && !w.desktop && !isOwn(w))
            result.append(handleOf(w));
    }
    return result;
}

bool ScriptedWindowSystem::isNormalWindow(WindowHandle handle)
{
    const auto window = windowOf(handle);
    return window && window->standalone && !window->dock && !window->desktop && !isOwn(*window);
}

WindowResult ScriptedWindowSystem::activate(WindowHandle handle)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    const auto window = windowOf(handle);
    if (!window)
        return WindowResult::Gone;
    requestActivation(window->id);
    return WindowResult::Done;
}

std::optional<SizeLimits> ScriptedWindowSystem::sizeLimits(WindowHandle handle)
{
    const auto window = windowOf(handle);
    if (!window || window->minimum.isEmpty())
        return std::nullopt;
    return SizeLimits{{window->minimum.width(), window->minimum.height()}, {}, {}};
}

void ScriptedWindowSystem::listChanged()
{
    QSet<std::uint64_t> now;
    for (const ReportedWindow& w : reported_.all()) {
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

void ScriptedWindowSystem::moveReported(MoveStage stage, const ReportedWindow& window,
                                        Point pointer, std::optional<HeldKeys> keys)
{
    if (isOwn(window))
        return;
    switch (stage) {
    case MoveStage::Started:
        move_ = WindowMove{handleOf(window), pointer, rectOf(window.frame), keys};
        emit moveStarted(*move_);
        break;
    case MoveStage::Stepped:
        if (!move_)
            return;
        move_->pointer = pointer;
        move_->keys = keys;
        emit moveStepped(*move_);
        break;
    case MoveStage::Finished: {
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

void ScriptedWindowSystem::resizeReported(const ReportedWindow& window, bool finished)
{
    if (isOwn(window))
        return;
    // The end may come without a step before it: listeners hear a step first.
    emit windowResized(handleOf(window), rectOf(window.frame));
    if (finished)
        emit resizeFinished(handleOf(window), rectOf(window.frame));
}

} // namespace corvane
