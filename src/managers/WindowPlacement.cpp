// SPDX-License-Identifier: GPL-3.0-or-later
#include "managers/WindowPlacement.h"

#include "platform/Platform.h"

#include <QWidget>
#include <QWindow>

namespace corvane {

void placeWindow(QWidget& window, const Rect& screenRect)
{
    const Displays& displays = Platform::current().displays();
    window.setGeometry(displays.toGlobal(screenRect).toAlignedRect());
    // The pixels are set on the native window, made here if it is not yet (still hidden).
    window.winId();
    if (QWindow* handle = window.windowHandle())
        displays.placeExactly(*handle, screenRect);
}

} // namespace corvane
