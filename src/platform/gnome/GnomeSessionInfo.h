// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Session.h"
#include "platform/gnome/GnomeExtension.h"

namespace corvane {

class GnomeShellBridge;

// GNOME's Wayland session: every window is reached through Corvane's extension in GNOME Shell,
// which tells the modifiers held during a move. Mutter moves a window dragged anywhere with
// Super held; Shift held during a move turns on its own snapping to the edges of monitors and
// windows, so the window jumps about under the pointer.
class GnomeSessionInfo : public Session {
    Q_OBJECT
public:
    GnomeSessionInfo(GnomeShellBridge& bridge, GnomeExtension::Setup setup,
                     QObject* parent = nullptr);

    SessionAccess access() const override;
    WindowManagerInfo windowManager() const override;

private:
    GnomeShellBridge& bridge_;
    GnomeExtension::Setup setup_;
};

} // namespace corvane
