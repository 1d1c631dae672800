// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11Platform.h"

#include "logging/Logger.h"
#include "platform/x11/X11Compositing.h"
#include "platform/x11/X11Displays.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11Session.h"
#include "platform/x11/X11VirtualDesktops.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/XcbConnection.h"
#include "platform/xdg/XdgLoginItems.h"
#include "platform/xdg/XdgWorkspace.h"

#include <QCoreApplication>
#include <xcb/xcb.h>

namespace corvane {

X11Platform::X11Platform(const QByteArray& displayName, Session session)
    : connection_(std::make_unique<XcbConnection>(displayName)),
      displays_(std::make_unique<X11Displays>(*connection_)),
      windowSystem_(
          std::make_unique<X11WindowSystem>(*connection_, *displays_, session == Session::X11)),
      hotKeys_(std::make_unique<X11HotKeys>(*connection_)),
      loginItems_(std::make_unique<XdgLoginItems>()), workspace_(std::make_unique<XdgWorkspace>()),
      compositing_(std::make_unique<X11Compositing>(*connection_)),
      session_(std::make_unique<X11Session>(*connection_)),
      virtualDesktops_(std::make_unique<X11VirtualDesktops>(*connection_))
{
    // Without its X server nothing can be read or moved and the application's own windows are
    // gone; Qt's xcb plugin ends the process with status 1 once it notices on its connection.
    // Whichever connection notices first, the process ends the same way; from here the event
    // loop is left so that the application shuts down in order.
    QObject::connect(connection_.get(), &XcbConnection::connectionLost, connection_.get(), [] {
        Logger::error(QStringLiteral("Corvane quits: the X server is gone"), LogCategory::App);
        QCoreApplication::exit(1);
    });
}

std::optional<QString> X11Platform::connectionProblem()
{
    const QByteArray display = qgetenv("DISPLAY");
    const QString needed = QCoreApplication::translate(
        "X11Platform", "needs an X server (an X11 session, or XWayland in a Wayland session)");
    if (display.isEmpty())
        return QCoreApplication::translate("X11Platform", "%1, and DISPLAY is not set").arg(needed);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(c) != 0;
    xcb_disconnect(c);
    if (failed)
        return QCoreApplication::translate("X11Platform", "%1, and none answers at DISPLAY=%2")
            .arg(needed, QString::fromLocal8Bit(display));
    return std::nullopt;
}

// Members go in reverse order: everything that uses the connection before the connection.
X11Platform::~X11Platform() = default;

Displays& X11Platform::displays()
{
    return *displays_;
}
WindowSystem& X11Platform::windowSystem()
{
    return *windowSystem_;
}
HotKeys& X11Platform::hotKeys()
{
    return *hotKeys_;
}
LoginItems& X11Platform::loginItems()
{
    return *loginItems_;
}
Workspace& X11Platform::workspace()
{
    return *workspace_;
}
Compositing& X11Platform::compositing()
{
    return *compositing_;
}

corvane::Session& X11Platform::session()
{
    return *session_;
}

VirtualDesktops& X11Platform::virtualDesktops()
{
    return *virtualDesktops_;
}

} // namespace corvane
