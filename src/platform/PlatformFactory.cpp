// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"
#include "platform/gnome/GnomePlatform.h"
#include "platform/kwin/KWinPlatform.h"
#include "platform/x11/X11Platform.h"

#include <QProcessEnvironment>

namespace corvane {
namespace {

bool isWaylandSession(const QProcessEnvironment& environment)
{
    return environment.value(QStringLiteral("XDG_SESSION_TYPE")) == u"wayland" ||
           !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
}

} // namespace

// The one place where a backend is chosen. Each is asked in turn whether it serves the session
// the process runs in; the X11 backend serves every session with an X server, XWayland
// included, where it reaches only the X11 windows.
PlatformChoice choosePlatform()
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const bool wayland = isWaylandSession(environment);
    // In KDE Plasma's Wayland session every window is in reach through KWin; the toolkit runs
    // on Wayland there, so that Corvane's own windows are Wayland windows KWin can place.
    if (wayland && KWinPlatform::isAvailable())
        return {{}, QByteArrayLiteral("wayland"), [] { return std::make_unique<KWinPlatform>(); }};
    // In GNOME's Wayland session every window is in reach through Corvane's GNOME Shell
    // extension; Corvane's own windows run on Xwayland, where the shell keeps them above others
    // and places them exactly.
    if (wayland && GnomePlatform::isAvailable()) {
        if (auto problem = X11Platform::connectionProblem())
            return {*problem, {}, {}};
        return {{}, QByteArrayLiteral("xcb"), [] { return std::make_unique<GnomePlatform>(); }};
    }
    if (auto problem = X11Platform::connectionProblem())
        return {*problem, {}, {}};
    // Its overlays must be real X windows, placed exactly, whatever the session would give
    // the toolkit: always the xcb plugin.
    return {{}, QByteArrayLiteral("xcb"), [wayland] {
                return std::make_unique<X11Platform>(QByteArray(),
                                                     wayland ? X11Platform::Session::Wayland
                                                             : X11Platform::Session::X11);
            }};
}

} // namespace corvane
