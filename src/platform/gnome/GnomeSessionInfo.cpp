// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeSessionInfo.h"

#include "platform/gnome/GnomeShellBridge.h"

#include <utility>

namespace corvane {

GnomeSessionInfo::GnomeSessionInfo(GnomeShellBridge& bridge, GnomeExtension::Setup setup,
                                   QObject* parent)
    : Session(parent), bridge_(bridge), setup_(std::move(setup))
{}

SessionAccess GnomeSessionInfo::access() const
{
    SessionAccess access;
    if (bridge_.isConnected()) {
        access.windowsReachable = true;
        access.headline = tr("Corvane can see and move windows");
        access.detail = tr("GNOME's Wayland session: Corvane's GNOME Shell extension reports "
                           "every window move to Corvane and moves windows for it.");
        return access;
    }
    access.detail = setup_.detail;
    if (setup_.state == GnomeExtension::State::NeedsLogin) {
        access.headline = tr("Log out and in to let Corvane snap windows");
        access.remedy = tr("Log out and log in again: GNOME Shell then loads Corvane's "
                           "extension, and Corvane turns it on.");
        return access;
    }
    access.headline = tr("Corvane cannot see or move windows");
    access.remedy = tr("Check in GNOME's Extensions app that extensions are allowed and that "
                       "Corvane's is on, then quit and start Corvane again.");
    return access;
}

WindowManagerInfo GnomeSessionInfo::windowManager() const
{
    WindowManagerInfo info;
    info.name = QStringLiteral("GNOME Shell");
    info.moveModifierKey = QStringLiteral("command");
    info.titleBarDragMovesWithModifier = true;
    info.edgeSnappingKey = QStringLiteral("shift");
    info.limitations = tr("GNOME Shell tells Corvane only Shift, Ctrl, Alt and Super: other keys "
                          "cannot be the snap or span key here. Corvane draws its zones in an "
                          "X11 window (Xwayland): on a display GNOME scales by a fraction they "
                          "may not line up with the display.");
    return info;
}

} // namespace corvane
