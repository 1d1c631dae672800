// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinSessionInfo.h"

#include "platform/kwin/KWinBridge.h"

namespace corvane {

KWinSessionInfo::KWinSessionInfo(KWinBridge& bridge, QObject* parent)
    : Session(parent), bridge_(bridge)
{}

SessionAccess KWinSessionInfo::access() const
{
    SessionAccess access;
    if (!bridge_.isScriptRunning()) {
        access.headline = tr("Corvane cannot see or move windows");
        access.detail = tr("KWin did not load or run Corvane's script, through which "
                           "window moves are seen and windows are moved.");
        access.remedy = tr("Check that scripting is allowed in KWin (the log names "
                           "the reason), then quit and start Corvane again.");
        return access;
    }
    access.windowsReachable = true;
    access.headline = tr("Corvane can see and move windows");
    access.detail = tr("KDE Plasma's Wayland session: KWin reports every window move "
                       "to Corvane and moves windows for it.");
    return access;
}

WindowManagerInfo KWinSessionInfo::windowManager() const
{
    // KWin moves the window on any title-bar drag; which keys are held it does not tell.
    WindowManagerInfo info;
    info.name = QStringLiteral("KWin");
    info.titleBarDragMovesWithModifier = true;
    return info;
}

} // namespace corvane
