// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeWindowSystem.h"

namespace corvane {

GnomeWindowSystem::GnomeWindowSystem(GnomeShellBridge& bridge, QObject* parent)
    : ScriptedWindowSystem(bridge.windows(), parent), bridge_(bridge)
{
    connect(&bridge_, &GnomeShellBridge::moved, this,
            [this](MoveStage stage, const ReportedWindow& window) {
                moveReported(stage, window, pointer(), keysFrom(bridge_.modifiers()));
            });
    connect(&bridge_, &GnomeShellBridge::windowsChanged, this, &GnomeWindowSystem::listChanged);
    connect(&bridge_, &GnomeShellBridge::activeWindowChanged, this,
            &WindowSystem::activeWindowChanged);
    connect(&bridge_, &GnomeShellBridge::resized, this, &GnomeWindowSystem::resizeReported);
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

bool GnomeWindowSystem::canMoveWindows()
{
    return bridge_.isConnected();
}

std::optional<WindowHandle> GnomeWindowSystem::activeWindow()
{
    const auto active = ScriptedWindowSystem::activeWindow();
    const auto window = active ? windowOf(*active) : std::nullopt;
    return window && window->normal ? active : std::nullopt;
}

void GnomeWindowSystem::requestFrame(const QString& id, const QRectF& frame)
{
    // The extension restores a maximized window first and centres one that keeps a smaller
    // size.
    bridge_.setFrame(id, frame);
}

void GnomeWindowSystem::requestActivation(const QString& id)
{
    bridge_.activate(id);
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

} // namespace corvane
