// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11VirtualDesktops.h"

#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbProperties.h"

namespace corvane {
namespace {

// Window managers announce at most a few dozen; a broken value must not make millions.
constexpr std::uint32_t maxDesktops = 64;

} // namespace

X11VirtualDesktops::X11VirtualDesktops(XcbConnection& connection, QObject* parent)
    : VirtualDesktops(parent), connection_(connection)
{
    if (!connection_.isConnected())
        return;
    xcb_connection_t* c = connection_.raw();
    const auto intern = [&](const char* name) {
        return connection_.send(
            xcb_intern_atom(c, 0, static_cast<std::uint16_t>(qstrlen(name)), name));
    };
    const auto numberCookie = intern("_NET_NUMBER_OF_DESKTOPS");
    const auto namesCookie = intern("_NET_DESKTOP_NAMES");
    if (const auto reply = connection_.reply(xcb_intern_atom_reply, numberCookie))
        numberAtom_ = reply->atom;
    if (const auto reply = connection_.reply(xcb_intern_atom_reply, namesCookie))
        namesAtom_ = reply->atom;
    // The root's property changes are selected by the connection for every part of the backend.
    connect(&connection_, &XcbConnection::eventReceived, this, &X11VirtualDesktops::onEvent);
    read();
}

std::optional<VirtualDesktop> X11VirtualDesktops::current() const
{
    if (!current_)
        return std::nullopt;
    return desktops_.value(*current_);
}

QList<VirtualDesktop> X11VirtualDesktops::desktops() const
{
    return desktops_;
}

void X11VirtualDesktops::onEvent(const xcb_generic_event_t* event)
{
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return;
    const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (e->window != connection_.root())
        return;
    if (e->atom == connection_.atom(XAtom::_NET_CURRENT_DESKTOP) || e->atom == numberAtom_ ||
        e->atom == namesAtom_)
        read();
}

void X11VirtualDesktops::read()
{
    const xcb_window_t root = connection_.root();
    const auto numberCookie = connection_.getProperty(root, numberAtom_, XCB_ATOM_CARDINAL, 1);
    const auto currentCookie =
        connection_.getProperty(root, XAtom::_NET_CURRENT_DESKTOP, XCB_ATOM_CARDINAL, 1);
    const auto namesCookie =
        connection_.getProperty(root, namesAtom_, connection_.atom(XAtom::UTF8_STRING), 4096);
    const auto number =
        propertyValue32(connection_.reply(xcb_get_property_reply, numberCookie).get());
    const auto shown =
        propertyValue32(connection_.reply(xcb_get_property_reply, currentCookie).get());
    const QList<QByteArray> names =
        propertyBytes(connection_.reply(xcb_get_property_reply, namesCookie).get()).split('\0');

    QList<VirtualDesktop> desktops;
    // A window manager that names the shown desktop but not how many there are has at least
    // that many.
    const std::uint32_t count =
        std::min(maxDesktops, std::max(number.value_or(0), shown ? *shown + 1 : 0));
    for (std::uint32_t i = 0; i < count; ++i)
        desktops.append({QString::number(i), static_cast<int>(i) + 1,
                         QString::fromUtf8(names.value(static_cast<qsizetype>(i)))});
    std::optional<int> current;
    if (shown && *shown < count)
        current = static_cast<int>(*shown);

    const bool listChanged = desktops != desktops_;
    const bool currentChanged =
        this->current() != (current ? desktops.value(*current) : std::optional<VirtualDesktop>());
    desktops_ = desktops;
    current_ = current;
    if (listChanged)
        emit desktopsChanged();
    if (currentChanged)
        emit currentDesktopChanged();
}

} // namespace corvane
