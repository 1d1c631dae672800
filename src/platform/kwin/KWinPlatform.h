// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QDBusConnection>
#include <memory>

namespace corvane {

class KWinBridge;
class KWinDisplays;
class KWinOwnWindows;

// KDE Plasma's Wayland session. On Wayland no client may watch the pointer or move another
// client's window; KWin can be scripted at run time, and a script Corvane loads into it
// reports the outputs, the windows and each window move, and moves windows for Corvane. The
// toolkit runs on Wayland, so Corvane's own windows are Wayland windows that KWin's script
// places and keeps above.
class KWinPlatform : public Platform {
public:
    // Whether this is a Wayland session whose compositor is KWin, answering on the session bus.
    // Asked before the application object exists.
    static bool isAvailable();

    explicit KWinPlatform(QDBusConnection bus = QDBusConnection::sessionBus());
    ~KWinPlatform() override;

    Displays& displays() override;
    WindowSystem& windowSystem() override;
    HotKeys& hotKeys() override;
    LoginItems& loginItems() override;
    Workspace& workspace() override;
    Compositing& compositing() override;
    Session& session() override;
    VirtualDesktops& virtualDesktops() override;

    KWinBridge& bridge() { return *bridge_; }

private:
    std::unique_ptr<KWinBridge> bridge_;
    std::unique_ptr<KWinDisplays> displays_;
    std::unique_ptr<WindowSystem> windowSystem_;
    std::unique_ptr<HotKeys> hotKeys_;
    std::unique_ptr<LoginItems> loginItems_;
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Compositing> compositing_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<KWinOwnWindows> ownWindows_;
    std::unique_ptr<VirtualDesktops> virtualDesktops_;
};

} // namespace corvane
