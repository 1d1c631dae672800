// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "platform/HeldKeys.h"
#include "platform/WindowHandle.h"

#include <optional>

namespace corvane {

// One moment of a window the user moves with the window manager: from the moment the window
// manager first moves it to the release of the button.
struct WindowMove {
    WindowHandle window;
    Point pointer; // global coordinates
    // The window's frame when the button went down, before the window manager moved it.
    Rect startFrame;
    // The keys held, where the desktop tells them; none where it does not (KDE Plasma on
    // Wayland tells scripts nothing of the keyboard).
    std::optional<HeldKeys> keys;
    // Where the keys are not told, the desktop's own shortcuts stand in for them: whether the
    // snap shortcut and the span shortcut were each pressed an odd number of times since the
    // move started.
    bool snapShortcut = false;
    bool spanShortcut = false;
};

} // namespace corvane
