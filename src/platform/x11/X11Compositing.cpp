// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11Compositing.h"

#include "logging/Logger.h"
#include "platform/x11/XcbConnection.h"

#include <xcb/xfixes.h>

namespace corvane {

X11Compositing::X11Compositing(XcbConnection& connection, QObject* parent)
    : Compositing(parent), connection_(connection)
{
    if (!connection_.isConnected())
        return;
    xcb_connection_t* c = connection_.raw();
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(connection_.screenNumber());
    const auto atomCookie = connection_.send(
        xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.constData()));
    const auto atom = connection_.reply(xcb_intern_atom_reply, atomCookie);
    if (!atom) {
        Logger::warning(QStringLiteral("Cannot name the compositing manager's selection; "
                                       "overlays are drawn as if none runs"),
                        LogCategory::Overlay);
        return;
    }
    selection_ = atom->atom;

    // Watching first, then asking: an owner that changes in between is reported as an event.
    const bool watched = connection_.xfixes().present;
    if (watched) {
        connect(&connection_, &XcbConnection::eventReceived, this, &X11Compositing::onEvent);
        connection_.send(xcb_xfixes_select_selection_input(
            c, connection_.root(), selection_,
            XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE));
    }
    const auto owner = connection_.reply(xcb_get_selection_owner_reply,
                                         connection_.send(xcb_get_selection_owner(c, selection_)));
    active_ = owner && owner->owner != XCB_NONE;
    if (!watched)
        Logger::warning(QStringLiteral("The X server has no XFixes extension: a compositing "
                                       "manager started or stopped later goes unnoticed"),
                        LogCategory::Overlay);
}

void X11Compositing::onEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    if (type != connection_.xfixes().firstEvent + XCB_XFIXES_SELECTION_NOTIFY)
        return;
    const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
    if (notify->selection != selection_)
        return;
    // A new owner is named in the event; a destroyed owner window or a closed owner client
    // leaves the selection without one.
    setActive(notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER &&
              notify->owner != XCB_NONE);
}

void X11Compositing::setActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    emit activeChanged(active);
}

} // namespace corvane
