// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Session.h"

namespace corvane {

class KWinBridge;

// KDE Plasma's Wayland session: every window is reached through the script loaded into KWin,
// which moves windows itself, so no modifier binding stands between a drag and a snap.
class KWinSessionInfo : public Session {
    Q_OBJECT
public:
    explicit KWinSessionInfo(KWinBridge& bridge, QObject* parent = nullptr);

    SessionAccess access() const override;
    WindowManagerInfo windowManager() const override;

private:
    KWinBridge& bridge_;
};

} // namespace corvane
