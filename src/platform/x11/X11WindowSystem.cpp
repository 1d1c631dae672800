// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11WindowSystem.h"

#include "logging/Logger.h"
#include "models/ZoneGeometry.h"
#include "platform/x11/ClientLookup.h"
#include "platform/x11/RootGeometry.h"
#include "platform/x11/WindowInspector.h"
#include "platform/x11/X11Displays.h"
#include "platform/x11/X11InputMonitor.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbProperties.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaMethod>
#include <QThread>
#include <algorithm>

namespace corvane {
namespace {

// _NET_MOVERESIZE_WINDOW flags: the gravity in the low byte, which values are given, and the
// source of the request (2: a tool acting for the user, which window managers obey). With
// north-west gravity the window manager puts the frame's top-left corner, decorations
// included, at the position asked for, whatever the client's own border.
constexpr std::uint32_t northWestGravity = 1;
constexpr std::uint32_t moveResizeX = 1u << 8;
constexpr std::uint32_t moveResizeY = 1u << 9;
constexpr std::uint32_t moveResizeWidth = 1u << 10;
constexpr std::uint32_t moveResizeHeight = 1u << 11;
constexpr std::uint32_t sourceTool = 2u << 12;
constexpr std::uint32_t netWmStateRemove = 0;

// How long the window manager is waited for (a restore from the maximized state, a new size),
// and how often the window is looked at meanwhile.
constexpr int restoreTimeoutMs = 250;
constexpr unsigned long restorePollMs = 5;
constexpr unsigned long sizePollMs = 2;
// A window manager that placed a window elsewhere is taken to be done once the window read the
// same this many times; an error of up to this many pixels is its own (decorations counted
// twice or not at all), a larger one a decision (a window kept on screen), not corrected.
constexpr int placementTimeoutMs = 250;
constexpr int settledReads = 10;
constexpr int maximumCorrection = 64;

QString describe(const QRect& r)
{
    return QStringLiteral("(%1, %2, %3 × %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

X11WindowSystem::X11WindowSystem(XcbConnection& connection, const X11Displays& displays,
                                 bool reachesEveryWindow)
    : connection_(connection), displays_(displays),
      input_(std::make_unique<X11InputMonitor>(connection, displays)),
      reachesEveryWindow_(reachesEveryWindow)
{
    events_ = QObject::connect(&connection_, &XcbConnection::eventReceived, this,
                               [this](const xcb_generic_event_t* event) { onEvent(event); });
    input_->setHandler([this](X11InputMonitor::Stage stage, QPoint root, const HeldKeys& keys) {
        onPointer(static_cast<int>(stage), root, keys);
    });
    if (connection_.isConnected())
        clients_ = readClientList();
}

X11WindowSystem::~X11WindowSystem()
{
    QObject::disconnect(events_);
    stopWatching();
}

bool X11WindowSystem::canMoveWindows()
{
    // Nothing to grant on X: windows can be moved with a working connection with the input
    // extension the pointer is followed through.
    return connection_.isConnected() && connection_.xinput().atLeast(2, 0);
}

void X11WindowSystem::connectNotify(const QMetaMethod& signal)
{
    if (isPressSignal(signal))
        updateListening(+1);
}

void X11WindowSystem::disconnectNotify(const QMetaMethod& signal)
{
    // An invalid method: every connection of the object went at once.
    if (!signal.isValid())
        updateListening(-listeners_);
    else if (isPressSignal(signal))
        updateListening(-1);
}

bool X11WindowSystem::isPressSignal(const QMetaMethod& signal)
{
    return signal == QMetaMethod::fromSignal(&WindowSystem::moveStarted) ||
           signal == QMetaMethod::fromSignal(&WindowSystem::windowResized) ||
           signal == QMetaMethod::fromSignal(&WindowSystem::dragMovedNoWindow);
}

void X11WindowSystem::updateListening(int change)
{
    // The button is followed only while someone listens: a desktop without Corvane's drag
    // handler pays nothing for it. Counted here: Qt may hold its own lock while it says that a
    // connection came or went, so the object is not asked.
    listeners_ = std::max(0, listeners_ + change);
    if (input_)
        input_->setListening(listeners_ > 0);
}

Point X11WindowSystem::pointer() const
{
    return input_->pointer();
}

void X11WindowSystem::followKeys(const QList<int>& keyCodes)
{
    input_->followKeys(keyCodes);
}

bool X11WindowSystem::canFollowKey(int keyCode) const
{
    return input_->canFollowKey(keyCode);
}

std::optional<HeldKeys> X11WindowSystem::heldKeys() const
{
    return input_->heldKeys();
}

QStringList X11WindowSystem::application(WindowHandle handle)
{
    const std::optional<xcb_window_t> window =
        handle.isValid() ? std::optional(clientOf(handle)) : std::nullopt;
    if (!window || !connection_.isConnected())
        return {};
    const auto readClass = [this](xcb_window_t w) {
        return wmClassFromProperty(
            connection_
                .reply(xcb_get_property_reply,
                       connection_.getProperty(w, XCB_ATOM_WM_CLASS, XCB_ATOM_ANY, 256))
                .get());
    };
    // A window element is its client, which carries the class; any other window asks its client.
    auto wmClass = readClass(*window);
    if (!wmClass) {
        const WindowPlace place = locateWindow(connection_, *window);
        if (place.client != XCB_NONE && place.client != *window)
            wmClass = readClass(place.client);
    }
    QStringList names;
    if (wmClass) {
        for (const QString& name : {wmClass->instance, wmClass->className}) {
            if (!name.isEmpty())
                names.append(name);
        }
    }
    return names;
}

X11WindowSystem::Hit X11WindowSystem::hitAt(QPoint p)
{
    xcb_connection_t* c = connection_.raw();
    const xcb_window_t root = connection_.root();
    // Down from the root, one level per request, to the deepest window holding the point.
    const auto translate = [&](xcb_window_t w) {
        return connection_.send(xcb_translate_coordinates(c, root, w, p.x(), p.y()));
    };
    Hit hit;
    xcb_window_t current = root;
    auto next = translate(root);
    for (int depth = 0;; ++depth) {
        auto reply = connection_.reply(xcb_translate_coordinates_reply, next);
        if (!reply)
            return {};
        xcb_window_t child = reply->child;
        if (child == XCB_NONE)
            break;
        const bool deeper = depth < 31;
        if (deeper)
            next = translate(child);
        // A window manager that moves a window lays an input-only window over the screen to
        // hold the pointer (KWin does, while the press is still being handled): what the user
        // pressed on is the topmost window under it that shows something. The class is asked
        // beside the next level, so an ordinary press waits no longer.
        if (current == root) {
            const auto attributes =
                connection_.reply(xcb_get_window_attributes_reply,
                                  connection_.send(xcb_get_window_attributes(c, child)));
            if (attributes && attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY) {
                xcb_discard_reply(c, next.sequence);
                child = topmostVisibleChildAt(p);
                if (child == XCB_NONE)
                    break;
                next = translate(child);
            }
            hit.topLevel = child;
        }
        current = child;
        if (!deeper)
            break;
    }
    if (current == root)
        return {};
    hit.deepest = current;
    return hit;
}

xcb_window_t X11WindowSystem::topmostVisibleChildAt(QPoint p)
{
    xcb_connection_t* c = connection_.raw();
    auto tree = connection_.reply(xcb_query_tree_reply,
                                  connection_.send(xcb_query_tree(c, connection_.root())));
    if (!tree)
        return XCB_NONE;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    // One batch: each child's class and mapping, and where it stands.
    std::vector<xcb_get_window_attributes_cookie_t> attributes;
    std::vector<xcb_get_geometry_cookie_t> geometries;
    attributes.reserve(count);
    geometries.reserve(count);
    for (int i = 0; i < count; ++i) {
        attributes.push_back(connection_.send(xcb_get_window_attributes(c, children[i])));
        geometries.push_back(connection_.send(xcb_get_geometry(c, children[i])));
    }
    xcb_window_t found = XCB_NONE;
    // Children come bottom first; every reply is read, so the last match is the topmost.
    for (int i = 0; i < count; ++i) {
        const auto a = connection_.reply(xcb_get_window_attributes_reply, attributes[i]);
        const auto g = connection_.reply(xcb_get_geometry_reply, geometries[i]);
        if (!a || !g || a->map_state != XCB_MAP_STATE_VIEWABLE ||
            a->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT)
            continue;
        const int border = g->border_width;
        if (QRect(g->x, g->y, g->width + 2 * border, g->height + 2 * border).contains(p))
            found = children[i];
    }
    return found;
}

std::optional<xcb_window_t> X11WindowSystem::clientAt(QPoint root, xcb_window_t* topLevel)
{
    if (!canMoveWindows())
        return std::nullopt;
    const Hit hit = hitAt(root);
    if (hit.deepest == XCB_NONE)
        return std::nullopt;
    // A press on a frame's decorations belongs to the client inside the frame.
    const WindowPlace place = locateWindow(connection_, hit.deepest);
    if (!place.exists || place.client == XCB_NONE)
        return std::nullopt;
    if (topLevel)
        *topLevel = hit.topLevel;
    return place.client;
}

std::optional<WindowHandle> X11WindowSystem::windowAt(Point point)
{
    const auto client = clientAt(displays_.geometry().rootPoint(point), nullptr);
    if (!client)
        return std::nullopt;
    handedOut_.insert(*client);
    return handle(*client);
}

std::optional<Rect> X11WindowSystem::frame(WindowHandle window)
{
    if (!window.isValid() || !canMoveWindows())
        return std::nullopt;
    const auto inspected = inspectWindows(connection_, {clientOf(window)}, false);
    if (inspected.isEmpty() || !inspected.first().exists)
        return std::nullopt;
    const InspectedWindow& w = inspected.first();
    // A client is known by what the user sees of it; anything else by its own rectangle.
    return displays_.geometry().globalRect(w.hasWmState ? w.visibleRect() : w.rect);
}

std::optional<SizeLimits> X11WindowSystem::sizeLimits(WindowHandle window)
{
    if (!window.isValid() || !canMoveWindows())
        return std::nullopt;
    const auto inspected = inspectWindows(connection_, {clientOf(window)}, false);
    if (inspected.isEmpty() || !inspected.first().exists || !inspected.first().sizeHints)
        return std::nullopt;
    const InspectedWindow& w = inspected.first();
    const SizeHints& hints = *w.sizeHints;
    if (hints.minimum.width() <= 1 && hints.minimum.height() <= 1 && hints.increment.width() <= 1 &&
        hints.increment.height() <= 1)
        return std::nullopt;
    // The hints are the client's, in device pixels: the frame adds the decorations and leaves
    // out the client's own shadow, and points are pixels divided by the display's ratio.
    const double ratio = displays_.geometry().ratioFor(w.frameRect());
    const FrameExtents& e = w.extents;
    const FrameExtents& s = w.shadow;
    const double extraWidth = e.left + e.right - s.left - s.right;
    const double extraHeight = e.top + e.bottom - s.top - s.bottom;
    const auto frameSize = [&](QSize client) {
        return Size{(client.width() + extraWidth) / ratio, (client.height() + extraHeight) / ratio};
    };
    const auto steps = [&](int step) { return step > 1 ? step / ratio : 0.0; };
    return SizeLimits{frameSize(hints.minimum),
                      frameSize(hints.base),
                      {steps(hints.increment.width()), steps(hints.increment.height())}};
}

std::optional<WindowHandle> X11WindowSystem::activeWindow()
{
    if (!canMoveWindows())
        return std::nullopt;
    // The window manager names the active window on the root; without one that does, the
    // window holding the input focus stands in.
    const auto activeCookie =
        connection_.getProperty(connection_.root(), XAtom::_NET_ACTIVE_WINDOW, XCB_ATOM_WINDOW, 1);
    const auto focusCookie = connection_.send(xcb_get_input_focus(connection_.raw()));
    const auto active = connection_.reply(xcb_get_property_reply, activeCookie);
    const auto focus = connection_.reply(xcb_get_input_focus_reply, focusCookie);
    xcb_window_t window = XCB_NONE;
    if (propertyExists(active.get()))
        window = propertyValue32(active.get()).value_or(XCB_NONE);
    else if (focus && focus->focus != XCB_INPUT_FOCUS_POINTER_ROOT)
        window = focus->focus;
    if (window == XCB_NONE || window == connection_.root())
        return std::nullopt;
    const WindowPlace place = locateWindow(connection_, window);
    if (place.client == XCB_NONE)
        return std::nullopt;
    // The desktop and the panels hold the focus at times; they are not windows to arrange.
    const auto inspected = inspectWindows(connection_, {place.client}, false);
    if (inspected.isEmpty() || !inspected.first().exists)
        return std::nullopt;
    const QList<xcb_atom_t>& types = inspected.first().types;
    if (types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DESKTOP)) ||
        types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DOCK)))
        return std::nullopt;
    // Corvane's own windows (the preferences, the editor) are none of the user's to arrange.
    if (inspected.first().pid == static_cast<std::int32_t>(QCoreApplication::applicationPid()))
        return std::nullopt;
    handedOut_.insert(place.client);
    return handle(place.client);
}

bool X11WindowSystem::isNormalWindow(WindowHandle handle)
{
    if (!handle.isValid() || !connection_.isConnected())
        return false;
    const xcb_window_t client = clientOf(handle);
    const auto transientCookie =
        connection_.getProperty(client, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1);
    const auto inspected = inspectWindows(connection_, {client}, false);
    const bool transient =
        propertyExists(connection_.reply(xcb_get_property_reply, transientCookie).get());
    if (inspected.isEmpty() || !inspected.first().exists || inspected.first().overrideRedirect ||
        transient)
        return false;
    const InspectedWindow& w = inspected.first();
    if (w.pid == static_cast<std::int32_t>(QCoreApplication::applicationPid()))
        return false;
    // Without a type a window is normal; with several, the first is the one meant (the others
    // are for window managers that do not know it).
    return w.types.isEmpty() ||
           w.types.first() == connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_NORMAL);
}

WindowResult X11WindowSystem::activate(WindowHandle handle)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    if (!handle.isValid())
        return WindowResult::Gone;
    const xcb_window_t client = clientOf(handle);
    const auto inspected = inspectWindows(connection_, {client}, false);
    if (inspected.isEmpty() || !inspected.first().exists)
        return WindowResult::Gone;
    // Asked of the window manager as a pager asks (source 2), so that it is not refused as an
    // application stealing the focus.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = client;
    event.type = connection_.atom(XAtom::_NET_ACTIVE_WINDOW);
    event.data.data32[0] = 2;
    event.data.data32[1] = XCB_CURRENT_TIME;
    connection_.send(
        xcb_send_event(connection_.raw(), 0, connection_.root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event)));
    connection_.flush();
    return WindowResult::Done;
}

QList<xcb_window_t> X11WindowSystem::readClientList()
{
    const auto reply = connection_.reply(
        xcb_get_property_reply, connection_.getProperty(connection_.root(), XAtom::_NET_CLIENT_LIST,
                                                        XCB_ATOM_WINDOW, 1u << 16));
    QList<xcb_window_t> list;
    for (std::uint32_t w : propertyValues32(reply.get()))
        list.append(w);
    return list;
}

QList<WindowHandle> X11WindowSystem::windows()
{
    if (!canMoveWindows())
        return {};
    const auto reply = connection_.reply(xcb_get_property_reply,
                                         connection_.getProperty(connection_.root(),
                                                                 XAtom::_NET_CLIENT_LIST_STACKING,
                                                                 XCB_ATOM_WINDOW, 1u << 16));
    QList<xcb_window_t> stacking;
    for (std::uint32_t w : propertyValues32(reply.get()))
        stacking.prepend(w); // front-most first
    const xcb_atom_t desktop = connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DESKTOP);
    const xcb_atom_t dock = connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DOCK);
    const xcb_atom_t hidden = connection_.atom(XAtom::_NET_WM_STATE_HIDDEN);
    QList<WindowHandle> result;
    for (const InspectedWindow& w : inspectWindows(connection_, stacking, true)) {
        if (!w.exists || !w.viewable || w.states.contains(hidden) || w.types.contains(desktop) ||
            w.types.contains(dock) ||
            w.pid == static_cast<std::int32_t>(QCoreApplication::applicationPid()))
            continue;
        result.append(handle(w.id));
    }
    return result;
}

void X11WindowSystem::clientListChanged()
{
    const QList<xcb_window_t> now = readClientList();
    const QList<xcb_window_t> before = std::exchange(clients_, now);
    // A window may come and go between two readings: every window handed out is checked too.
    QSet<xcb_window_t> gone = handedOut_ + unlisted_;
    for (xcb_window_t w : before)
        gone.insert(w);
    QList<xcb_window_t> missing;
    for (xcb_window_t w : std::as_const(gone)) {
        if (!now.contains(w))
            missing.append(w);
    }
    // A window manager that is replaced or restarted drops every window from its list and lists
    // them again, unmapping each for a moment as it frames it anew: a window that still exists
    // and was not withdrawn (its WM_STATE is still there and not Withdrawn) has neither closed
    // nor opened.
    QList<xcb_get_property_cookie_t> cookies;
    for (xcb_window_t w : missing)
        cookies.append(connection_.getProperty(w, XAtom::WM_STATE, XCB_ATOM_ANY, 2));
    for (qsizetype i = 0; i < missing.size(); ++i) {
        const auto state = connection_.reply(xcb_get_property_reply, cookies[i]);
        if (propertyValue32(state.get()).value_or(0) != 0)
            unlisted_.insert(missing[i]);
        else
            closed(missing[i]);
    }
    for (xcb_window_t w : now) {
        if (!before.contains(w) && !unlisted_.remove(w))
            emit windowOpened(handle(w));
    }
}

void X11WindowSystem::closed(xcb_window_t client)
{
    // Said once, whichever way it is heard first: the window manager's list (which i3 leaves
    // empty) or the client's own destruction.
    watchedClients_.remove(client);
    handedOut_.remove(client);
    unlisted_.remove(client);
    clients_.removeOne(client);
    emit windowClosed(handle(client));
}

void X11WindowSystem::onEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_PROPERTY_NOTIFY) {
        const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (e->window != connection_.root())
            return;
        if (e->atom == connection_.atom(XAtom::_NET_SUPPORTED))
            supportedHints_.reset();
        else if (e->atom == connection_.atom(XAtom::_NET_CLIENT_LIST))
            clientListChanged();
        else if (e->atom == connection_.atom(XAtom::_NET_ACTIVE_WINDOW))
            emit activeWindowChanged();
        return;
    }
    if (type == XCB_CONFIGURE_NOTIFY) {
        if (press_)
            topLevelConfigured(*reinterpret_cast<const xcb_configure_notify_event_t*>(event));
        return;
    }
    if (type == XCB_DESTROY_NOTIFY) {
        const xcb_window_t window =
            reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
        if (watchedClients_.contains(window))
            closed(window);
    }
}

void X11WindowSystem::onPointer(int stage, QPoint root, const HeldKeys& keys)
{
    last_.pointer = displays_.geometry().globalPoint(root);
    last_.keys = keys;
    switch (static_cast<X11InputMonitor::Stage>(stage)) {
    case X11InputMonitor::Stage::Pressed:
        pressed(root, last_);
        return;
    case X11InputMonitor::Stage::OtherPressed:
        // Window managers resize with the other buttons (Alt and the right button): such a
        // press is followed for a resize only.
        pressed(root, last_);
        if (press_)
            press_->resizeOnly = true;
        return;
    case X11InputMonitor::Stage::Dragged:
        if (press_ && press_->moving) {
            WindowMove move = last_;
            move.window = press_->window;
            move.startFrame = press_->at.startFrame;
            emit moveStepped(move);
        }
        return;
    case X11InputMonitor::Stage::Released:
    case X11InputMonitor::Stage::OtherReleased: {
        if (!press_)
            return;
        const Press press = *press_;
        stopWatching();
        press_.reset();
        WindowMove release = last_;
        release.window = press.window;
        release.startFrame = press.at.startFrame;
        if (press.resized) {
            if (const auto f = frame(press.window))
                emit resizeFinished(press.window, *f);
        } else if (press.moving) {
            emit moveFinished(release);
        } else if (!press.resizeOnly) {
            emit dragMovedNoWindow(press.at, release);
        }
        return;
    }
    }
}

void X11WindowSystem::pressed(QPoint root, const WindowMove& at)
{
    // The press is looked up where the server has it: the pointer goes to global coordinates
    // once, for the move.
    stopWatching();
    press_.reset();
    xcb_window_t topLevel = XCB_NONE;
    const auto client = clientAt(root, &topLevel);
    if (!client || topLevel == XCB_NONE)
        return;
    // As frame() reads it; the visible part is kept for the resize's steps.
    const auto inspected = inspectWindows(connection_, {*client}, false);
    if (inspected.isEmpty() || !inspected.first().exists)
        return;
    const InspectedWindow& w = inspected.first();
    const QRect visible = w.hasWmState ? w.visibleRect() : w.rect;
    Press press;
    press.window = handle(*client);
    press.topLevel = topLevel;
    press.at = at;
    press.at.window = press.window;
    press.at.startFrame = displays_.geometry().globalRect(visible);
    // The window manager moves the top level (its frame, or the client itself without one): its
    // configure events say when the move starts, so nothing is polled. This connection's own
    // selection on it is kept and given back at the release.
    xcb_connection_t* c = connection_.raw();
    const auto attributesCookie = connection_.send(xcb_get_window_attributes(c, topLevel));
    const auto geometryCookie = connection_.send(xcb_get_geometry(c, topLevel));
    const auto attributes = connection_.reply(xcb_get_window_attributes_reply, attributesCookie);
    const auto geometry = connection_.reply(xcb_get_geometry_reply, geometryCookie);
    if (!attributes || !geometry)
        return;
    press.topLevelRect = QRect(geometry->x, geometry->y, geometry->width, geometry->height);
    press.visibleInset = QMargins(visible.left() - press.topLevelRect.left(),
                                  visible.top() - press.topLevelRect.top(),
                                  press.topLevelRect.right() - visible.right(),
                                  press.topLevelRect.bottom() - visible.bottom());
    press.eventMaskBefore = attributes->your_event_mask;
    const std::uint32_t mask = press.eventMaskBefore | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    press.watching = !connection_.check(connection_.send(
        xcb_change_window_attributes_checked(c, topLevel, XCB_CW_EVENT_MASK, &mask)));
    press_ = press;
}

void X11WindowSystem::topLevelConfigured(const xcb_configure_notify_event_t& event)
{
    if (event.window != press_->topLevel || press_->moving)
        return;
    const QRect now(event.x, event.y, event.width, event.height);
    if (now == press_->topLevelRect)
        return;
    // Once resized, the window stays resized until the release, whatever its corner does; a
    // button window managers only resize with moves nothing.
    if ((press_->resized || press_->resizeOnly) && now.size() == press_->topLevelRect.size())
        return;
    if (now.size() != press_->topLevelRect.size()) {
        // Resized by its edge or corner: the user's resize, not a move.
        press_->topLevelRect = now;
        press_->resized = true;
        // The decorations stay as they were at the press: the frame follows from the event,
        // without asking the server at every step.
        emit windowResized(press_->window, displays_.geometry().globalRect(
                                               now.marginsRemoved(press_->visibleInset)));
        return;
    }
    // The window manager moved the window: from here the pointer's steps are the move's, and
    // the frame's own events (one per step) are no longer needed.
    press_->moving = true;
    stopWatching();
    WindowMove move = last_;
    move.window = press_->window;
    move.startFrame = press_->at.startFrame;
    emit moveStarted(move);
}

void X11WindowSystem::stopWatching()
{
    if (!press_ || !press_->watching || !connection_.isConnected())
        return;
    press_->watching = false;
    const std::uint32_t mask = press_->eventMaskBefore;
    connection_.send(xcb_change_window_attributes(connection_.raw(), press_->topLevel,
                                                  XCB_CW_EVENT_MASK, &mask));
    connection_.flush();
}

WindowResult X11WindowSystem::setFrame(WindowHandle window, const Rect& target)
{
    if (!canMoveWindows())
        return WindowResult::Unavailable;
    if (!window.isValid())
        return WindowResult::Gone;
    const xcb_window_t client = clientOf(window);
    // Its destruction is followed from its first snap on, for window managers that keep no
    // client list.
    if (!watchedClients_.contains(client)) {
        xcb_connection_t* c = connection_.raw();
        auto attributes = connection_.reply(xcb_get_window_attributes_reply,
                                            connection_.send(xcb_get_window_attributes(c, client)));
        if (!attributes)
            return WindowResult::Gone;
        const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        connection_.send(xcb_change_window_attributes(c, client, XCB_CW_EVENT_MASK, &mask));
        watchedClients_.insert(client);
    }
    const WindowResult result = moveOrResize(client, target);
    if (result == WindowResult::Done)
        centreInTarget(client, target);
    return result;
}

QString X11WindowSystem::whyKeptOut(const Rect& frame) const
{
    // A panel's strut read by the letter reaches beyond its own monitor: the window manager
    // keeps windows out of room Corvane leaves to the zones of the monitor it reaches into.
    const QRect wanted = displays_.geometry().rootRect(frame);
    const QList<QRect> monitors = displays_.rootFrames();
    const QList<QRect> letter = displays_.areasByTheLetter();
    const DisplayList screens = displays_.screens();
    for (qsizetype i = 0; i < monitors.size() && i < letter.size() && i < screens.size(); ++i) {
        if (!monitors[i].contains(wanted.center()) || letter[i].contains(wanted))
            continue;
        const QString name = screens[i].localizedName;
        Logger::info(QStringLiteral("A panel's strut, counted from the root's edge, reserves %1 "
                                    "of monitor %2 %3 as well")
                         .arg(letter[i].isEmpty() ? QStringLiteral("all") : QStringLiteral("part"),
                              name, describe(monitors[i])),
                     LogCategory::Window);
        return (letter[i].isEmpty()
                    ? tr("A panel on another display reserves room from the edge of the whole "
                         "screen, as the standard for panels counts it, and so all of %1 too: "
                         "the window manager keeps windows out of it.")
                    : tr("A panel on another display reserves room from the edge of the whole "
                         "screen, as the standard for panels counts it, and so part of %1 too: "
                         "the window manager keeps windows out of that part."))
                   .arg(name) +
               u' ' +
               tr("Put the panel on an outer edge of the screen (the bottom of the lowest "
                  "display, the top of the highest), or have it reserve no room (tint2: "
                  "strut_policy = none).");
    }
    return {};
}

void X11WindowSystem::centreInTarget(xcb_window_t client, const Rect& target)
{
    // A window that sizes itself in steps (a terminal's character cells) or has a largest size
    // cannot fill every zone: it is centred in what it leaves, along each side where it is
    // smaller, rather than left in the zone's corner.
    const auto now = frame(handle(client));
    if (!now)
        return;
    const std::optional<Point> centred = centredInTarget(now->size(), target);
    if (!centred)
        return;
    Logger::info(QStringLiteral("The window keeps a size of %1 × %2, smaller than its zone; "
                                "it is centred in it")
                     .arg(now->width)
                     .arg(now->height),
                 LogCategory::Window);
    // Some window managers (fluxbox) resize a window they are asked only to move, by the height
    // of their decorations: the size it had goes with the position.
    moveOrResize(client, Rect(*centred, now->size()));
}

const QList<std::uint32_t>& X11WindowSystem::supportedHints()
{
    // The window manager's list changes only when another one takes over, which rewrites the
    // property and so drops this copy.
    if (!supportedHints_)
        supportedHints_ = propertyValues32(
            connection_
                .reply(xcb_get_property_reply,
                       connection_.getProperty(connection_.root(), XAtom::_NET_SUPPORTED,
                                               XCB_ATOM_ATOM, 1024))
                .get());
    return *supportedHints_;
}

WindowResult X11WindowSystem::moveOrResize(xcb_window_t window, const Rect& target)
{
    // Position and size go in one request, so that the window manager and the server place
    // the window once instead of going through a size at the old place.
    const std::optional<Point> position = target.origin();
    const std::optional<Size> size = target.size();

    xcb_connection_t* c = connection_.raw();
    const xcb_window_t root = connection_.root();
    // The window the manager announced last time is asked beside the root, so that a manager
    // still alive costs no round trip of its own.
    const auto askCheck = [this](xcb_window_t w) {
        return connection_.getProperty(w, XAtom::_NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW, 1);
    };
    const auto checkCookie = askCheck(root);
    const xcb_window_t knownCheck = checkWindow_;
    std::optional<xcb_get_property_cookie_t> knownCheckCookie;
    if (knownCheck != XCB_NONE)
        knownCheckCookie = askCheck(knownCheck);
    auto inspected = inspectWindows(connection_, {window}, false);
    const auto check =
        propertyValue32(connection_.reply(xcb_get_property_reply, checkCookie).get());
    XcbReply<xcb_get_property_reply_t> knownCheckReply;
    if (knownCheckCookie)
        knownCheckReply = connection_.reply(xcb_get_property_reply, *knownCheckCookie);
    if (inspected.isEmpty() || !inspected.first().exists)
        return WindowResult::Gone;
    // A window manager that died leaves its properties on the root: a request sent to it would
    // go nowhere, and the snap would be taken for done while nothing moved. It is alive while
    // the window it announces still points to itself; one that never announced itself is
    // trusted as before.
    bool managerAlive = !check || *check == XCB_NONE;
    if (!managerAlive) {
        checkWindow_ = *check;
        if (*check != knownCheck)
            knownCheckReply = connection_.reply(xcb_get_property_reply, askCheck(*check));
        managerAlive = propertyValue32(knownCheckReply.get()) == check;
    }
    const bool windowManagerMoves =
        managerAlive && supportedHints().contains(connection_.atom(XAtom::_NET_MOVERESIZE_WINDOW));
    if (!inspected.first().hasWmState)
        return WindowResult::Refused;

    const auto sendToRoot = [&](xcb_atom_t type, std::array<std::uint32_t, 5> data) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = type;
        for (int i = 0; i < 5; ++i)
            event.data.data32[i] = data[i];
        connection_.send(xcb_send_event(
            c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char*>(&event)));
    };

    // A maximized window would be put back by its window manager: it is restored first. The
    // decorations change with the state (maximized windows often lose their borders), so the
    // window is read again once the window manager has restored it: when the state is gone and
    // the window has changed (a window manager may drop the state before it reshapes).
    const xcb_atom_t vertical = connection_.atom(XAtom::_NET_WM_STATE_MAXIMIZED_VERT);
    const xcb_atom_t horizontal = connection_.atom(XAtom::_NET_WM_STATE_MAXIMIZED_HORZ);
    const auto isMaximized = [&](const InspectedWindow& w) {
        return w.states.contains(vertical) || w.states.contains(horizontal);
    };
    if (managerAlive && isMaximized(inspected.first())) {
        const auto sameShape = [](const InspectedWindow& a, const InspectedWindow& b) {
            return a.rect == b.rect && a.extents == b.extents && a.shadow.top == b.shadow.top;
        };
        const InspectedWindow maximized = inspected.first();
        // The window manager reshapes the frame and announces its new decorations in separate
        // steps (openbox: the size first): the window counts as restored once it changed and
        // then read the same twice, or the snap would use the maximized decorations.
        InspectedWindow previous = maximized;
        const auto restored = [&](const InspectedWindow& w) {
            const bool settled = sameShape(w, previous);
            previous = w;
            return !isMaximized(w) && !sameShape(w, maximized) && settled;
        };
        sendToRoot(connection_.atom(XAtom::_NET_WM_STATE),
                   {netWmStateRemove, vertical, horizontal, 2, 0});
        connection_.flush();
        QDeadlineTimer deadline(restoreTimeoutMs);
        do {
            QThread::msleep(restorePollMs);
            inspected = inspectWindows(connection_, {window}, false);
            if (inspected.isEmpty() || !inspected.first().exists)
                return WindowResult::Gone;
        } while (!restored(inspected.first()) && !deadline.hasExpired());
    }
    const InspectedWindow& w = inspected.first();

    // The geometry that makes the visible window fill the target: the frame's corner goes
    // where the target's is, less the client's own shadow, and the client is the target less
    // the decorations, plus the shadow. A client with size steps or limits gets the size its
    // window manager will give it, so that it can be read back at once.
    // Without a window manager the decorations it described are gone with it.
    const FrameExtents e = managerAlive ? w.extents : FrameExtents{};
    const FrameExtents& s = w.shadow;
    std::int16_t x = 0, y = 0;
    std::uint16_t width = 1, height = 1;
    // A frame goes to pixels by its edges, not by its corner and its extent apart: windows in
    // zones that meet in points then meet in pixels at a fractional scale too.
    const std::optional<QRect> edges =
        position && size ? std::optional(displays_.geometry().rootRect(Rect(*position, *size)))
                         : std::nullopt;
    if (position) {
        const QPoint p = edges ? edges->topLeft() : displays_.geometry().rootPoint(*position);
        x = clampPosition(double(p.x()) - s.left);
        y = clampPosition(double(p.y()) - s.top);
    }
    if (size) {
        // In the device pixels of the monitor the window is on.
        const double ratio = displays_.geometry().ratioFor(w.frameRect());
        const QSizeF device =
            edges ? QSizeF(edges->size()) : QSizeF(size->width * ratio, size->height * ratio);
        const QSize requested(clampSize(device.width() - e.left - e.right + s.left + s.right),
                              clampSize(device.height() - e.top - e.bottom + s.top + s.bottom));
        QSize granted = requested;
        if (w.sizeHints) {
            granted = w.sizeHints->constrain(requested);
            if (granted != requested && granted != w.rect.size())
                Logger::info(
                    QStringLiteral("The window takes %1 × %2 pixels instead of %3 × %4: it ")
                            .arg(granted.width())
                            .arg(granted.height())
                            .arg(requested.width())
                            .arg(requested.height()) +
                        w.sizeHints->reason(requested, granted),
                    LogCategory::Window);
        }
        width = clampSize(granted.width());
        height = clampSize(granted.height());
    }

    // Without a window manager the client is configured directly: the server applies it at
    // once (and there are no decorations to account for). The values go in the order of their
    // mask bits.
    const auto configure = [&](std::int16_t cx, std::int16_t cy, std::uint16_t cw,
                               std::uint16_t ch) {
        std::uint16_t mask = 0;
        std::array<std::uint32_t, 4> values{};
        std::size_t count = 0;
        if (position) {
            mask |= XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y;
            values[count++] = std::uint32_t(std::int32_t(cx));
            values[count++] = std::uint32_t(std::int32_t(cy));
        }
        if (size) {
            mask |= XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
            values[count++] = cw;
            values[count++] = ch;
        }
        return !connection_.check(
            connection_.send(xcb_configure_window_checked(c, window, mask, values.data())));
    };
    if (!managerAlive)
        return configure(x, y, width, height) ? WindowResult::Done : WindowResult::Gone;

    // Where the client belongs: inside its frame, whose corner goes to (x, y).
    QRect wanted = w.rect;
    if (position)
        wanted.moveTopLeft(QPoint(x + e.left, y + e.top));
    if (size)
        wanted.setSize(QSize(width, height));
    if (wanted == w.rect)
        return WindowResult::Done;

    // A window manager may announce _NET_MOVERESIZE_WINDOW and ignore it (herbstluftwm), or
    // take none but configure requests: whether a request took effect is looked at, and the next
    // way is tried when it did not. One found ignoring the message is sent requests from then on.
    enum class Way { Message, ConfigureRequest };
    QList<Way> ways;
    if (windowManagerMoves && ignoresMoveResize_ != checkWindow_)
        ways.append(Way::Message);
    ways.append(Way::ConfigureRequest);
    const auto send = [&](Way way, std::int16_t cx, std::int16_t cy, std::uint16_t cw,
                          std::uint16_t ch) {
        if (way == Way::ConfigureRequest)
            return configure(cx, cy, cw, ch);
        const std::uint32_t flags = northWestGravity | sourceTool |
                                    (position ? moveResizeX | moveResizeY : 0) |
                                    (size ? moveResizeWidth | moveResizeHeight : 0);
        sendToRoot(
            connection_.atom(XAtom::_NET_MOVERESIZE_WINDOW),
            {flags, std::uint32_t(std::int32_t(cx)), std::uint32_t(std::int32_t(cy)), cw, ch});
        connection_.flush();
        return true;
    };
    const auto wayName = [](Way way) {
        return way == Way::Message ? QStringLiteral("_NET_MOVERESIZE_WINDOW")
                                   : QStringLiteral("a configure request");
    };
    for (Way way : ways) {
        if (!send(way, x, y, width, height))
            return WindowResult::Gone;
        const auto placed = awaitPlacement(window, w.rect, wanted);
        if (!placed)
            return WindowResult::Gone;
        if (*placed == w.rect) {
            Logger::info(QStringLiteral("The window manager did not move the window on %1")
                             .arg(wayName(way)),
                         LogCategory::Window);
            continue;
        }
        if (way == Way::ConfigureRequest && ways.size() > 1) {
            ignoresMoveResize_ = checkWindow_;
            Logger::info(QStringLiteral("The window manager moved the window on a configure "
                                        "request; it gets those from now on"),
                         LogCategory::Window);
        }
        // Some window managers put the client where its frame was asked to go (i3 always,
        // awesome for a client asking for static gravity): the frame lands off by the
        // decorations, the same each time. It is asked once more, less the error it made.
        const QPoint off = position ? placed->topLeft() - wanted.topLeft() : QPoint();
        const bool steps = w.sizeHints && (w.sizeHints->increment.width() > 1 ||
                                           w.sizeHints->increment.height() > 1);
        const QSize grown = size && !steps ? placed->size() - wanted.size() : QSize(0, 0);
        // A larger error, or one that asking again does not make smaller, is its decision: it
        // keeps windows out of that place (openbox keeps a tenth of a window inside its work
        // area).
        const auto keptOut = [&](const QRect& at) {
            Logger::warning(QStringLiteral("The window manager put the window at %1 instead of "
                                           "%2 and keeps it there")
                                .arg(describe(at), describe(wanted)),
                            LogCategory::Window);
            return WindowResult::KeptOut;
        };
        const auto large = [](int v) { return std::abs(v) > maximumCorrection; };
        if (large(off.x()) || large(off.y()) || large(grown.width()) || large(grown.height()))
            return keptOut(*placed);
        const auto small = [](int v) { return v != 0 && std::abs(v) <= maximumCorrection; };
        if (small(off.x()) || small(off.y()) || small(grown.width()) || small(grown.height())) {
            Logger::info(QStringLiteral("The window manager placed the window %1, %2 pixels off "
                                        "and %3 × %4 pixels larger than asked; asking again "
                                        "for the difference")
                             .arg(off.x())
                             .arg(off.y())
                             .arg(grown.width())
                             .arg(grown.height()),
                         LogCategory::Window);
            if (!send(way, clampPosition(x - off.x()), clampPosition(y - off.y()),
                      clampSize(width - grown.width()), clampSize(height - grown.height())))
                return WindowResult::Gone;
            const auto again = awaitPlacement(window, *placed, wanted);
            if (!again)
                return WindowResult::Gone;
            const QPoint stillOff = position ? again->topLeft() - wanted.topLeft() : QPoint();
            const auto unmended = [](int before, int now) {
                return before != 0 && std::abs(now) >= std::abs(before);
            };
            if (unmended(off.x(), stillOff.x()) || unmended(off.y(), stillOff.y()))
                return keptOut(*again);
        }
        return WindowResult::Done;
    }
    Logger::warning(QStringLiteral("The window manager moved the window on no request (it may "
                                   "tile it, or keep it in place)"),
                    LogCategory::Window);
    return WindowResult::Refused;
}

std::optional<QRect> X11WindowSystem::awaitPlacement(xcb_window_t window, const QRect& before,
                                                     const QRect& wanted)
{
    // Read until the client is where it was asked to be, or has changed and then read the same
    // a few times over (a window manager that places it elsewhere), or until the wait is over
    // with nothing changed (one that ignored the request).
    xcb_connection_t* c = connection_.raw();
    QRect last = before;
    int same = 0;
    QDeadlineTimer deadline(placementTimeoutMs);
    do {
        QThread::msleep(sizePollMs);
        const auto geometryCookie = connection_.send(xcb_get_geometry(c, window));
        const auto originCookie =
            connection_.send(xcb_translate_coordinates(c, window, connection_.root(), 0, 0));
        const auto geometry = connection_.reply(xcb_get_geometry_reply, geometryCookie);
        const auto origin = connection_.reply(xcb_translate_coordinates_reply, originCookie);
        if (!geometry || !origin)
            return std::nullopt;
        const QRect now(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
        if (now == wanted)
            return now;
        same = now == last ? same + 1 : 0;
        last = now;
        if (now != before && same >= settledReads)
            return now;
    } while (!deadline.hasExpired());
    return last;
}

} // namespace corvane
