// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/WindowPlacement.h"

#include "platform/Platform.h"

#include <QWidget>
#include <QWindow>

namespace corvane {

void placeWindow(QWidget& window, const Rect& rect)
{
    const Displays& displays = Platform::current().displays();
    window.setGeometry(QRectF(rect.x, rect.y, rect.width, rect.height).toAlignedRect());
    // The pixels are set on the native window, made here if it is not yet (still hidden).
    window.winId();
    if (QWindow* handle = window.windowHandle())
        displays.placeExactly(*handle, rect);
}

} // namespace corvane
