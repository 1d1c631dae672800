// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/WindowInspector.h"

#include "platform/x11/XcbConnection.h"

#include <xcb/res.h>

namespace corvane {

QRect InspectedWindow::frameRect() const
{
    return QRect(rect.x() - extents.left, rect.y() - extents.top,
                 rect.width() + extents.left + extents.right,
                 rect.height() + extents.top + extents.bottom);
}

QRect InspectedWindow::visibleRect() const
{
    const QRect frame = frameRect();
    const QRect visible = frame.adjusted(shadow.left, shadow.top, -shadow.right, -shadow.bottom);
    // A shadow that would leave nothing is not one.
    return visible.isEmpty() ? frame : visible;
}

namespace {

struct Cookies {
    xcb_get_window_attributes_cookie_t attributes;
    xcb_get_geometry_cookie_t geometry;
    xcb_translate_coordinates_cookie_t origin;
    xcb_get_property_cookie_t extents;
    xcb_get_property_cookie_t shadow;
    xcb_get_property_cookie_t sizeHints;
    xcb_get_property_cookie_t pid;
    xcb_get_property_cookie_t wmClass;
    xcb_get_property_cookie_t wmState;
    xcb_get_property_cookie_t state;
    xcb_get_property_cookie_t type;
    xcb_res_query_client_ids_cookie_t resources{}; // sent only when pids are resolved
};

int clampedExtent(std::uint32_t v)
{
    // A window manager has no reason to draw decorations this big; a bogus value is ignored.
    return v > 10000 ? 0 : static_cast<int>(v);
}

FrameExtents extentsFrom(const xcb_get_property_reply_t* reply)
{
    const auto e = propertyValues32(reply);
    if (e.size() != 4)
        return {};
    return {clampedExtent(e[0]), clampedExtent(e[1]), clampedExtent(e[2]), clampedExtent(e[3])};
}

std::optional<std::int32_t> pidFromResources(XcbConnection& connection,
                                             xcb_res_query_client_ids_cookie_t cookie)
{
    auto reply = connection.reply(xcb_res_query_client_ids_reply, cookie);
    if (!reply)
        return std::nullopt;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem;
         xcb_res_client_id_value_next(&it)) {
        // Each value names what it identifies (a client and a mask of kinds) and how long it is.
        const auto& [identified, length] = *it.data;
        if ((identified.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) && length >= 4) {
            const std::uint32_t pid = *xcb_res_client_id_value_value(it.data);
            if (pid > 0 && pid <= 0x7fffffff)
                return static_cast<std::int32_t>(pid);
        }
    }
    return std::nullopt;
}

// A window manager that does not publish _NET_FRAME_EXTENTS (i3) still draws its decorations
// in the frame it put the client in: the frame is the top-level window above the client, and
// the extents are how far it reaches past the client. One batch per level of the tree.
void deriveExtents(XcbConnection& connection, QList<InspectedWindow>& windows,
                   const QList<qsizetype>& indices)
{
    xcb_connection_t* c = connection.raw();
    const xcb_window_t root = connection.root();
    QList<xcb_window_t> current;
    for (qsizetype i : indices)
        current.append(windows[i].id);
    QList<xcb_window_t> topLevel(indices.size(), XCB_NONE);
    for (int depth = 0; depth < 8; ++depth) {
        QList<std::optional<xcb_query_tree_cookie_t>> trees;
        for (xcb_window_t w : current)
            trees.append(w == XCB_NONE ? std::nullopt
                                       : std::optional(connection.send(xcb_query_tree(c, w))));
        bool more = false;
        for (qsizetype j = 0; j < current.size(); ++j) {
            if (!trees[j])
                continue;
            auto tree = connection.reply(xcb_query_tree_reply, *trees[j]);
            if (!tree) {
                current[j] = XCB_NONE;
                continue;
            }
            if (tree->parent == root || tree->parent == XCB_NONE) {
                // A client that is a child of the root has no frame around it.
                topLevel[j] = current[j] == windows[indices[j]].id ? XCB_NONE : current[j];
                current[j] = XCB_NONE;
            } else {
                current[j] = tree->parent;
                more = true;
            }
        }
        if (!more)
            break;
    }
    QList<std::pair<xcb_get_geometry_cookie_t, xcb_translate_coordinates_cookie_t>> cookies;
    for (xcb_window_t frame : topLevel) {
        if (frame != XCB_NONE)
            cookies.append({connection.send(xcb_get_geometry(c, frame)),
                            connection.send(xcb_translate_coordinates(c, frame, root, 0, 0))});
    }
    qsizetype next = 0;
    for (qsizetype j = 0; j < topLevel.size(); ++j) {
        if (topLevel[j] == XCB_NONE)
            continue;
        const auto& [geometryCookie, originCookie] = cookies[next++];
        auto geometry = connection.reply(xcb_get_geometry_reply, geometryCookie);
        auto origin = connection.reply(xcb_translate_coordinates_reply, originCookie);
        if (!geometry || !origin)
            continue;
        const int border = geometry->border_width;
        const QRect frame(origin->dst_x - border, origin->dst_y - border,
                          geometry->width + 2 * border, geometry->height + 2 * border);
        InspectedWindow& w = windows[indices[j]];
        if (!frame.contains(w.rect))
            continue;
        w.extents = {clampedExtent(w.rect.left() - frame.left()),
                     clampedExtent(frame.right() - w.rect.right()),
                     clampedExtent(w.rect.top() - frame.top()),
                     clampedExtent(frame.bottom() - w.rect.bottom())};
    }
}

} // namespace

QList<InspectedWindow> inspectWindows(XcbConnection& connection, const QList<xcb_window_t>& windows,
                                      bool resolvePids)
{
    QList<InspectedWindow> result;
    if (!connection.isConnected())
        return result;
    xcb_connection_t* c = connection.raw();
    const xcb_window_t root = connection.root();

    // The X-Resource pid goes out with the rest: only windows without _NET_WM_PID need it, but
    // asking after the replies are in would cost one more wait for the server.
    const bool queryResources = resolvePids && connection.res().atLeast(1, 2);
    QList<Cookies> cookies;
    cookies.reserve(windows.size());
    for (xcb_window_t w : windows) {
        Cookies k;
        k.attributes = connection.send(xcb_get_window_attributes(c, w));
        k.geometry = connection.send(xcb_get_geometry(c, w));
        k.origin = connection.send(xcb_translate_coordinates(c, w, root, 0, 0));
        k.extents = connection.getProperty(w, XAtom::_NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL, 4);
        k.shadow = connection.getProperty(w, XAtom::_GTK_FRAME_EXTENTS, XCB_ATOM_CARDINAL, 4);
        k.sizeHints =
            connection.getProperty(w, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 18);
        k.pid = connection.getProperty(w, XAtom::_NET_WM_PID, XCB_ATOM_CARDINAL, 1);
        k.wmClass = connection.getProperty(w, XCB_ATOM_WM_CLASS, XCB_ATOM_ANY, 256);
        k.wmState = connection.getProperty(w, XAtom::WM_STATE, XCB_ATOM_ANY, 2);
        k.state = connection.getProperty(w, XAtom::_NET_WM_STATE, XCB_ATOM_ATOM, 64);
        k.type = connection.getProperty(w, XAtom::_NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM, 64);
        if (queryResources) {
            xcb_res_client_id_spec_t clientIdSpec{w, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
            k.resources = connection.send(xcb_res_query_client_ids(c, 1, &clientIdSpec));
        }
        cookies.append(k);
    }

    result.reserve(windows.size());
    QList<qsizetype> withoutExtents;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const Cookies& k = cookies[i];
        InspectedWindow w;
        w.id = windows[i];
        // Every reply is read, also after a failure, so that none is left behind in xcb.
        auto attributes = connection.reply(xcb_get_window_attributes_reply, k.attributes);
        auto geometry = connection.reply(xcb_get_geometry_reply, k.geometry);
        auto origin = connection.reply(xcb_translate_coordinates_reply, k.origin);
        auto extents = connection.reply(xcb_get_property_reply, k.extents);
        auto shadow = connection.reply(xcb_get_property_reply, k.shadow);
        auto sizeHints = connection.reply(xcb_get_property_reply, k.sizeHints);
        auto pid = connection.reply(xcb_get_property_reply, k.pid);
        auto wmClass = connection.reply(xcb_get_property_reply, k.wmClass);
        auto wmState = connection.reply(xcb_get_property_reply, k.wmState);
        auto state = connection.reply(xcb_get_property_reply, k.state);
        auto type = connection.reply(xcb_get_property_reply, k.type);
        w.exists = attributes && geometry && origin;
        if (w.exists) {
            w.viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            w.overrideRedirect = attributes->override_redirect;
            w.rect = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
            w.extents = extentsFrom(extents.get());
            w.shadow = extentsFrom(shadow.get());
            w.sizeHints = SizeHints::fromProperty(propertyValues32(sizeHints.get()));
            if (const auto p = propertyValue32(pid.get()); p && *p > 0 && *p <= 0x7fffffff)
                w.pid = static_cast<std::int32_t>(*p);
            w.wmClass = wmClassFromProperty(wmClass.get());
            w.hasWmState = propertyExists(wmState.get());
            w.states = propertyValues32(state.get());
            w.types = propertyValues32(type.get());
        }
        if (queryResources) {
            if (w.exists && !w.pid)
                w.pid = pidFromResources(connection, k.resources);
            else
                xcb_discard_reply(c, k.resources.sequence);
        }
        result.append(w);
        if (w.exists && w.hasWmState && !propertyExists(extents.get()))
            withoutExtents.append(i);
    }
    if (!withoutExtents.isEmpty())
        deriveExtents(connection, result, withoutExtents);
    return result;
}

} // namespace corvane
