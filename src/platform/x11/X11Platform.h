// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace corvane {

class XcbConnection;
class X11Displays;

// The real desktop on an X server, over one xcb connection of the backend's own. Without a
// usable X server it still comes up: untrusted, every read fails, and the toolkit's screens
// stand in for the monitors.
class X11Platform : public Platform {
public:
    // The session the X server serves: its own, or a Wayland session through XWayland, where
    // only the X11 windows can be read and moved.
    enum class Session { X11, Wayland };

    // Connects to the named display, or to DISPLAY when the name is empty.
    explicit X11Platform(const QByteArray& displayName = {}, Session session = Session::X11);
    ~X11Platform() override;

    Displays& displays() override;
    WindowSystem& windowSystem() override;
    HotKeys& hotKeys() override;
    LoginItems& loginItems() override;
    Workspace& workspace() override;
    Compositing& compositing() override;
    corvane::Session& session() override;
    VirtualDesktops& virtualDesktops() override;

    // Why no X server can be reached through DISPLAY, or nothing when one can.
    static std::optional<QString> connectionProblem();

    // The connection, for tests and measurements (its request and round-trip counters).
    XcbConnection& connection() { return *connection_; }

private:
    std::unique_ptr<XcbConnection> connection_;
    std::unique_ptr<X11Displays> displays_;
    std::unique_ptr<WindowSystem> windowSystem_;
    std::unique_ptr<HotKeys> hotKeys_;
    std::unique_ptr<LoginItems> loginItems_;
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Compositing> compositing_;
    std::unique_ptr<corvane::Session> session_;
    std::unique_ptr<VirtualDesktops> virtualDesktops_;
};

} // namespace corvane
