// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11WindowServer.h"

#include "platform/x11/RootGeometry.h"
#include "platform/x11/WindowInspector.h"
#include "platform/x11/X11Displays.h"
#include "platform/x11/XcbConnection.h"

#include <QFile>
#include <algorithm>

namespace corvane {

QString processName(std::int32_t pid)
{
    QFile file(QStringLiteral("/proc/%1/comm").arg(pid));
    if (pid <= 0 || !file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).trimmed();
}

X11WindowServer::X11WindowServer(XcbConnection& connection, const X11Displays& displays)
    : connection_(connection), displays_(displays)
{}

std::optional<QList<WindowDescription>> X11WindowServer::windowList(unsigned options)
{
    if (!connection_.isConnected())
        return std::nullopt;
    xcb_connection_t* c = connection_.raw();

    QList<xcb_window_t> windows;
    bool managedOnly = true;
    {
        const auto stacking = connection_.getProperty(
            connection_.root(), XAtom::_NET_CLIENT_LIST_STACKING, XCB_ATOM_WINDOW, 1u << 16);
        auto reply = connection_.reply(xcb_get_property_reply, stacking);
        if (!reply)
            return std::nullopt;
        if (propertyExists(reply.get())) {
            for (std::uint32_t w : propertyValues32(reply.get()))
                windows.append(w);
        } else {
            // No window manager keeps a list: the root's children stand in, bottom to top.
            managedOnly = false;
            auto tree = connection_.reply(xcb_query_tree_reply,
                                          connection_.send(xcb_query_tree(c, connection_.root())));
            if (!tree)
                return std::nullopt;
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
                windows.append(children[i]);
        }
    }
    std::reverse(windows.begin(), windows.end()); // front-most first

    QList<WindowDescription> result;
    for (const InspectedWindow& w : inspectWindows(connection_, windows, true)) {
        if (!w.exists || (!managedOnly && w.overrideRedirect))
            continue;
        if ((options & WindowListOption::onScreenOnly) &&
            (!w.viewable || w.states.contains(connection_.atom(XAtom::_NET_WM_STATE_HIDDEN))))
            continue;
        if ((options & WindowListOption::excludeDesktopElements) && isDesktopElement(w))
            continue;
        result.append(describe(w));
    }
    return result;
}

std::optional<QList<WindowDescription>>
X11WindowServer::describeWindows(const QList<std::uint32_t>& numbers)
{
    if (!connection_.isConnected())
        return std::nullopt;
    QList<xcb_window_t> windows;
    windows.reserve(numbers.size());
    for (std::uint32_t n : numbers)
        windows.append(n);
    QList<WindowDescription> result;
    for (const InspectedWindow& w : inspectWindows(connection_, windows, true)) {
        if (w.exists)
            result.append(describe(w));
    }
    return result;
}

WindowDescription X11WindowServer::describe(const InspectedWindow& w) const
{
    WindowDescription d;
    d.number = w.id;
    d.layer = layerOf(w);
    d.bounds = displays_.geometry().accessibilityRect(w.visibleRect());
    d.ownerPid = w.pid;
    if (w.wmClass && !w.wmClass->className.isEmpty())
        d.ownerName = w.wmClass->className;
    else if (const QString name = w.pid ? processName(*w.pid) : QString(); !name.isEmpty())
        d.ownerName = name;
    return d;
}

bool X11WindowServer::isDesktopElement(const InspectedWindow& w) const
{
    return w.types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DESKTOP)) ||
           w.types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DOCK));
}

std::int32_t X11WindowServer::layerOf(const InspectedWindow& w) const
{
    if (w.types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DESKTOP)))
        return desktopLayer;
    if (w.types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DOCK)))
        return dockLayer;
    if (w.states.contains(connection_.atom(XAtom::_NET_WM_STATE_ABOVE)))
        return floatingLayer;
    if (w.states.contains(connection_.atom(XAtom::_NET_WM_STATE_BELOW)))
        return belowLayer;
    return normalLayer;
}

} // namespace corvane
