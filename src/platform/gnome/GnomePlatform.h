// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QDBusConnection>
#include <memory>

namespace corvane {

class GnomeShellBridge;
class GnomeDisplays;

// GNOME's Wayland session. No Wayland client may watch the pointer or move another client's
// window; GNOME Shell runs extensions, and Corvane's extension (share/gnome-shell/extensions)
// reports the monitors, the windows and each window move, modifiers included, and moves
// windows for Corvane. Corvane's own windows run on Xwayland: the shell keeps such windows
// above others, out of the window list and without focus, exactly where they ask to be.
class GnomePlatform : public Platform {
public:
    // Whether this is a Wayland session whose compositor is GNOME Shell, answering on the
    // session bus. Asked before the application object exists.
    static bool isAvailable();

    explicit GnomePlatform(QDBusConnection bus = QDBusConnection::sessionBus());
    ~GnomePlatform() override;

    Displays& displays() override;
    WindowSystem& windowSystem() override;
    HotKeys& hotKeys() override;
    LoginItems& loginItems() override;
    Workspace& workspace() override;
    Compositing& compositing() override;
    Session& session() override;
    VirtualDesktops& virtualDesktops() override;

private:
    std::unique_ptr<GnomeShellBridge> bridge_;
    std::unique_ptr<GnomeDisplays> displays_;
    std::unique_ptr<WindowSystem> windowSystem_;
    std::unique_ptr<HotKeys> hotKeys_;
    std::unique_ptr<LoginItems> loginItems_;
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Compositing> compositing_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<VirtualDesktops> virtualDesktops_;
};

} // namespace corvane
