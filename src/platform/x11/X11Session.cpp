// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11Session.h"

#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbProperties.h"

#include <QByteArray>

namespace corvane {
namespace {

// The window managers whose default move binding is known: a window dragged anywhere with
// this modifier held moves. Matched on the start of the announced name, in lower case.
struct KnownBinding {
    const char* namePrefix;
    const char* moveModifierKey;
    std::optional<bool> titleBarDragMovesWithModifier;
    bool movesMaximizedWindows = true;
};
constexpr KnownBinding knownBindings[] = {
    // Openbox binds a plain left drag on the title bar; with Shift held that binding does not
    // match, so the window stays where it is.
    // Neither it nor awesome moves a maximized window, whatever the key.
    {"openbox", "option", false, false},
    {"fluxbox", "option", false}, // likewise
    {"xfwm4", "option", std::nullopt},
    {"icewm", "option", std::nullopt},
    {"marco", "option", std::nullopt},
    {"mutter (muffin)", "option", std::nullopt}, // Cinnamon
    {"mutter", "command", std::nullopt},
    {"gnome shell", "command", std::nullopt},
    {"metacity", "option", std::nullopt},
    // KWin (5.27 and later) puts a window dragged with Shift held into a tile of its own
    // layout, which it then keeps from being resized; it moves windows dragged with Super.
    {"kwin", "command", false},
    {"jwm", "option", std::nullopt},
    {"dwm", "option", std::nullopt},
    {"awesome", "command", std::nullopt, false},
};

bool isWaylandSession()
{
    return qgetenv("XDG_SESSION_TYPE").toLower() == "wayland" ||
           !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

QString displayName()
{
    const QByteArray name = qgetenv("DISPLAY");
    return name.isEmpty() ? X11Session::tr("(not set)") : QString::fromLocal8Bit(name);
}

QString chooseX11Session()
{
    return X11Session::tr("Log out, choose an X11 (Xorg) session at the login screen, and start "
                          "Corvane again.");
}

} // namespace

X11Session::X11Session(XcbConnection& connection, QObject* parent)
    : Session(parent), connection_(connection)
{}

SessionAccess X11Session::access() const
{
    SessionAccess access;
    const bool wayland = isWaylandSession();
    if (!connection_.isConnected()) {
        access.headline = tr("Corvane cannot see or move windows");
        if (wayland) {
            access.detail =
                tr("This is a Wayland session without an X server: Wayland does not let one "
                   "application move the windows of another.");
            access.remedy = chooseX11Session();
        } else {
            access.detail =
                tr("No X11 display could be opened (DISPLAY is %1).").arg(displayName());
            access.remedy =
                tr("Start Corvane from inside your desktop session, where DISPLAY names its X "
                   "server.");
        }
        return access;
    }
    if (!connection_.xinput().atLeast(2, 0)) {
        access.headline = tr("Corvane cannot see window drags");
        access.detail = tr("The X server on %1 lacks the XInput 2 extension, through "
                           "which Corvane sees the mouse.")
                            .arg(displayName());
        access.remedy = tr("Use an X server with XInput 2.2 or later (every current "
                           "Xorg has it).");
        return access;
    }
    access.windowsReachable = true;
    if (wayland) {
        access.headline = tr("Only X11 applications can be snapped");
        access.detail = tr(
            "This is a Wayland session: Corvane reaches windows through XWayland, so it sees and "
            "moves only applications that run as X11 clients. Wayland does not let one "
            "application move the windows of another.");
        access.remedy = tr("To snap every window, log out and choose an X11 (Xorg) "
                           "session at the login screen.");
        return access;
    }
    access.headline = tr("Corvane can see and move windows");
    access.detail = tr("Connected to the X11 session on display %1: window drags "
                       "are seen and windows of every application can be moved.")
                        .arg(displayName());
    return access;
}

WindowManagerInfo X11Session::windowManager() const
{
    if (!connection_.isConnected())
        return {};
    // The window manager names itself on a child window it announces on the root
    // (_NET_SUPPORTING_WM_CHECK), which must point to itself to be current.
    const xcb_window_t root = connection_.root();
    const auto check =
        propertyValue32(connection_
                            .reply(xcb_get_property_reply,
                                   connection_.getProperty(root, XAtom::_NET_SUPPORTING_WM_CHECK,
                                                           XCB_ATOM_WINDOW, 1))
                            .get());
    if (!check || *check == XCB_NONE)
        return {};
    const auto selfCookie =
        connection_.getProperty(*check, XAtom::_NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW, 1);
    const auto nameCookie = connection_.getProperty(*check, XAtom::_NET_WM_NAME,
                                                    connection_.atom(XAtom::UTF8_STRING), 64);
    const auto self = propertyValue32(connection_.reply(xcb_get_property_reply, selfCookie).get());
    const QByteArray name =
        propertyBytes(connection_.reply(xcb_get_property_reply, nameCookie).get());
    if (self != check || name.isEmpty())
        return {};
    WindowManagerInfo info = bindingFor(QString::fromUtf8(name));
    info.name = QString::fromUtf8(name);
    return info;
}

WindowManagerInfo X11Session::bindingFor(const QString& name)
{
    const QString lower = name.trimmed().toLower();
    for (const KnownBinding& known : knownBindings) {
        if (lower.startsWith(QLatin1StringView(known.namePrefix))) {
            WindowManagerInfo info;
            info.name = name;
            info.moveModifierKey = QString::fromLatin1(known.moveModifierKey);
            info.titleBarDragMovesWithModifier = known.titleBarDragMovesWithModifier;
            info.movesMaximizedWindows = known.movesMaximizedWindows;
            return info;
        }
    }
    WindowManagerInfo info;
    info.name = name;
    return info;
}

} // namespace corvane
