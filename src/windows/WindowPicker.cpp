// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WindowPicker.h"

#include "platform/Platform.h"
#include "windows/AccessibilityElement.h"

namespace corvane {

WindowPicker::WindowPicker(QObject* parent) : QObject(parent) {}

WindowPicker::~WindowPicker()
{
    if (monitor_ && Platform::isInstalled())
        Platform::current().inputMonitor().removeMonitor(*monitor_);
}

void WindowPicker::start()
{
    if (monitor_)
        return;
    monitor_ = Platform::current().inputMonitor().addGlobalMonitor(
        EventMask::leftMouseDown, [this](const MouseEvent&) {
            // Handled in its own turn of the event loop, as the drag handler's events are; the
            // context drops it once the picker is gone.
            QMetaObject::invokeMethod(this, &WindowPicker::clicked, Qt::QueuedConnection);
        });
    emit pickingChanged(true);
}

void WindowPicker::cancel()
{
    if (!monitor_)
        return;
    Platform::current().inputMonitor().removeMonitor(*monitor_);
    monitor_.reset();
    emit pickingChanged(false);
}

void WindowPicker::clicked()
{
    if (!monitor_)
        return;
    const auto window = AccessibilityElement::windowElementUnderCursor();
    const QStringList names =
        window
            ? Platform::current().accessibility().applicationIdentifiers(window->wrappedElement())
            : QStringList();
    cancel();
    emit picked(names);
}

} // namespace corvane
