// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WindowPicker.h"

#include "platform/Platform.h"

namespace corvane {

WindowPicker::WindowPicker(QObject* parent) : QObject(parent) {}

WindowPicker::~WindowPicker()
{
    disconnect(watch_);
}

void WindowPicker::start()
{
    if (picking_)
        return;
    picking_ = true;
    // Queued, as a move's events are: the window system's own handling of the change is over.
    watch_ = connect(&Platform::current().windowSystem(), &WindowSystem::activeWindowChanged, this,
                     &WindowPicker::activeWindowChanged, Qt::QueuedConnection);
    emit pickingChanged(true);
}

void WindowPicker::cancel()
{
    if (!picking_)
        return;
    disconnect(watch_);
    picking_ = false;
    emit pickingChanged(false);
}

void WindowPicker::activeWindowChanged()
{
    if (!picking_)
        return;
    WindowSystem& windows = Platform::current().windowSystem();
    const auto window = windows.activeWindow();
    // Corvane's own window became active again, or none is: still picking.
    if (!window)
        return;
    const QStringList names = windows.application(*window);
    cancel();
    emit picked(names);
}

} // namespace corvane
