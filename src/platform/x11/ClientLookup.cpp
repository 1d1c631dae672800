// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/ClientLookup.h"

#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbProperties.h"

#include <QList>

namespace corvane {
namespace {

// Far deeper than any real tree; a guard against a tree that changes under the walk.
constexpr int maximumDepth = 32;
constexpr qsizetype maximumLevelWidth = 512;

struct Level {
    QList<xcb_window_t> windows;
    QList<xcb_query_tree_cookie_t> trees;
};

} // namespace

WindowPlace locateWindow(XcbConnection& connection, xcb_window_t window)
{
    WindowPlace place;
    if (!connection.isConnected() || window == XCB_NONE)
        return place;
    xcb_connection_t* c = connection.raw();
    const xcb_window_t root = connection.root();
    if (window == root) {
        place.exists = true;
        return place;
    }

    // Upwards: the window itself or one of its ancestors may be the client.
    xcb_window_t current = window;
    xcb_window_t topLevel = XCB_NONE;
    for (int depth = 0; depth < maximumDepth; ++depth) {
        const auto stateCookie = connection.getProperty(current, XAtom::WM_STATE, XCB_ATOM_ANY, 2);
        const auto treeCookie = connection.send(xcb_query_tree(c, current));
        auto state = connection.reply(xcb_get_property_reply, stateCookie);
        auto tree = connection.reply(xcb_query_tree_reply, treeCookie);
        if (!tree)
            return depth == 0 ? WindowPlace{} : place;
        if (depth == 0) {
            place.exists = true;
            place.parent = tree->parent;
            place.isClient = propertyExists(state.get());
        }
        if (propertyExists(state.get())) {
            place.client = current;
            return place;
        }
        if (tree->parent == root || tree->parent == XCB_NONE) {
            topLevel = current;
            break;
        }
        current = tree->parent;
    }
    if (topLevel == XCB_NONE)
        return place;

    // Downwards from the top-level: a frame holds its client somewhere below. Each level asks
    // for the state and the children of all its windows at once.
    Level level;
    level.windows = {topLevel};
    level.trees = {connection.send(xcb_query_tree(c, topLevel))};
    for (int depth = 0; depth < maximumDepth && !level.windows.isEmpty(); ++depth) {
        QList<xcb_window_t> children;
        for (const auto& cookie : level.trees) {
            auto tree = connection.reply(xcb_query_tree_reply, cookie);
            if (!tree)
                continue;
            const xcb_window_t* list = xcb_query_tree_children(tree.get());
            for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
                children.append(list[i]);
        }
        if (children.size() > maximumLevelWidth)
            children.resize(maximumLevelWidth);
        Level next;
        QList<xcb_get_property_cookie_t> states;
        for (xcb_window_t child : children) {
            states.append(connection.getProperty(child, XAtom::WM_STATE, XCB_ATOM_ANY, 2));
            next.windows.append(child);
            next.trees.append(connection.send(xcb_query_tree(c, child)));
        }
        xcb_window_t found = XCB_NONE;
        for (qsizetype i = 0; i < states.size(); ++i) {
            auto state = connection.reply(xcb_get_property_reply, states[i]);
            if (found == XCB_NONE && propertyExists(state.get()))
                found = children[i];
        }
        if (found != XCB_NONE) {
            // The trees asked for ahead are not needed; their replies are dropped unread.
            for (const auto& cookie : next.trees)
                xcb_discard_reply(c, cookie.sequence);
            place.client = found;
            return place;
        }
        level = std::move(next);
    }
    for (const auto& cookie : level.trees)
        xcb_discard_reply(c, cookie.sequence);
    return place;
}

} // namespace corvane
