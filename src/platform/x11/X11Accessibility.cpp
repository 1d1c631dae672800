// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11Accessibility.h"

#include "logging/Logger.h"
#include "platform/x11/ClientLookup.h"
#include "platform/x11/RootGeometry.h"
#include "platform/x11/WindowInspector.h"
#include "platform/x11/X11Displays.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbProperties.h"

#include <QDeadlineTimer>
#include <QThread>
#include <cerrno>
#include <csignal>

namespace corvane {
namespace {

enum class Kind : std::uint64_t { SystemWide = 1, Application = 2, Window = 3 };

constexpr ElementHandle makeHandle(Kind kind, std::uint32_t payload)
{
    return ElementHandle{(static_cast<std::uint64_t>(kind) << 32) | payload};
}

std::optional<Kind> kindOf(ElementHandle e)
{
    const std::uint64_t kind = e.value >> 32;
    if (kind < 1 || kind > 3)
        return std::nullopt;
    return static_cast<Kind>(kind);
}

bool processExists(std::int32_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

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

} // namespace

X11Accessibility::X11Accessibility(XcbConnection& connection, const X11Displays& displays,
                                   bool reachesEveryWindow)
    : connection_(connection), displays_(displays), reachesEveryWindow_(reachesEveryWindow)
{
    events_ = QObject::connect(&connection_, &XcbConnection::eventReceived,
                               [this](const xcb_generic_event_t* event) { onEvent(event); });
}

X11Accessibility::~X11Accessibility()
{
    QObject::disconnect(events_);
}

QStringList X11Accessibility::applicationIdentifiers(ElementHandle element)
{
    const auto window = windowOf(element);
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

bool X11Accessibility::observeDestruction(ElementHandle element, DestructionHandler handler)
{
    const auto window = windowOf(element);
    if (!window || !connection_.isConnected())
        return false;
    xcb_connection_t* c = connection_.raw();
    // Added to what this connection already selects on the window, which others may rely on.
    auto attributes = connection_.reply(xcb_get_window_attributes_reply,
                                        connection_.send(xcb_get_window_attributes(c, *window)));
    if (!attributes)
        return false;
    const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    // A window destroyed in between refuses the selection: it is reported as not watched.
    if (connection_.check(connection_.send(
            xcb_change_window_attributes_checked(c, *window, XCB_CW_EVENT_MASK, &mask))))
        return false;
    destructionHandlers_.insert(*window, std::move(handler));
    return true;
}

void X11Accessibility::stopObservingDestruction(ElementHandle element)
{
    // The selection stays: it costs a few ignored events, and dropping it could take away
    // another part's.
    if (const auto window = windowOf(element))
        destructionHandlers_.remove(*window);
}

void X11Accessibility::onEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_PROPERTY_NOTIFY) {
        const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (e->window == connection_.root() && e->atom == connection_.atom(XAtom::_NET_SUPPORTED))
            supportedHints_.reset();
        return;
    }
    if (type != XCB_DESTROY_NOTIFY || destructionHandlers_.isEmpty())
        return;
    const xcb_window_t window = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
    const DestructionHandler handler = destructionHandlers_.take(window);
    if (handler)
        handler(windowElement(window));
}

ElementHandle X11Accessibility::windowElement(xcb_window_t window)
{
    return window == XCB_NONE ? ElementHandle{} : makeHandle(Kind::Window, window);
}

std::optional<xcb_window_t> X11Accessibility::windowOf(ElementHandle element)
{
    if (kindOf(element) != Kind::Window)
        return std::nullopt;
    return static_cast<xcb_window_t>(element.value & 0xffffffffu);
}

std::optional<std::int32_t> X11Accessibility::applicationPidOf(ElementHandle element)
{
    if (kindOf(element) != Kind::Application)
        return std::nullopt;
    return static_cast<std::int32_t>(element.value & 0x7fffffffu);
}

ElementHandle X11Accessibility::systemWide()
{
    return makeHandle(Kind::SystemWide, 0);
}

ElementHandle X11Accessibility::applicationElement(std::int32_t pid)
{
    return pid > 0 ? makeHandle(Kind::Application, static_cast<std::uint32_t>(pid))
                   : ElementHandle{};
}

bool X11Accessibility::isProcessTrusted(bool)
{
    // Nothing to grant on X: the backend can do its work when it holds a working connection
    // with the input extension it watches the mouse through.
    return connection_.isConnected() && connection_.xinput().atLeast(2, 0);
}

std::optional<ElementHandle> X11Accessibility::elementAtPosition(ElementHandle systemWideElement,
                                                                 Point position)
{
    if (!isProcessTrusted(false) || systemWideElement != systemWide())
        return std::nullopt;
    const QPoint p = displays_.geometry().rootPoint(position);
    xcb_connection_t* c = connection_.raw();
    const xcb_window_t root = connection_.root();
    // Down from the root, one level per request, to the deepest window holding the point.
    const auto translate = [&](xcb_window_t w) {
        return connection_.send(xcb_translate_coordinates(c, root, w, p.x(), p.y()));
    };
    xcb_window_t current = root;
    auto next = translate(root);
    for (int depth = 0;; ++depth) {
        auto reply = connection_.reply(xcb_translate_coordinates_reply, next);
        if (!reply)
            return std::nullopt;
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
        }
        current = child;
        if (!deeper)
            break;
    }
    if (current == root)
        return std::nullopt;
    return windowElement(current);
}

xcb_window_t X11Accessibility::topmostVisibleChildAt(QPoint p)
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

AXAttributeResult X11Accessibility::copyAttribute(ElementHandle element, const QString& attribute)
{
    if (!isProcessTrusted(false))
        return {AXError::APIDisabled, {}};
    const auto kind = kindOf(element);
    if (!kind)
        return {AXError::IllegalArgument, {}};
    switch (*kind) {
    case Kind::SystemWide:
        if (attribute == AXAttribute::focusedUIElement)
            return readActiveClient();
        return {AXError::AttributeUnsupported, {}};
    case Kind::Application:
        if (!processExists(*applicationPidOf(element)))
            return {AXError::InvalidElement, {}};
        if (attribute == AXAttribute::role)
            return {AXError::Success, AXRole::application};
        if (attribute == AXAttribute::parent)
            return {AXError::NoValue, {}};
        return {AXError::AttributeUnsupported, {}};
    case Kind::Window:
        return readWindow(*windowOf(element), attribute);
    }
    return {AXError::IllegalArgument, {}};
}

AXAttributeResult X11Accessibility::readWindow(xcb_window_t window, const QString& attribute)
{
    if (attribute == AXAttribute::role) {
        xcb_connection_t* c = connection_.raw();
        const auto attributesCookie = connection_.send(xcb_get_window_attributes(c, window));
        const auto stateCookie = connection_.getProperty(window, XAtom::WM_STATE, XCB_ATOM_ANY, 2);
        auto attributes = connection_.reply(xcb_get_window_attributes_reply, attributesCookie);
        auto state = connection_.reply(xcb_get_property_reply, stateCookie);
        if (!attributes)
            return {AXError::InvalidElement, {}};
        return {AXError::Success, propertyExists(state.get()) ? AXRole::window : AXRole::group};
    }
    if (attribute == AXAttribute::position || attribute == AXAttribute::size)
        return readFrame(window, attribute);
    if (attribute == AXAttribute::window) {
        const WindowPlace place = locateWindow(connection_, window);
        if (!place.exists)
            return {AXError::InvalidElement, {}};
        if (place.client == XCB_NONE)
            return {AXError::NoValue, {}};
        return {AXError::Success, windowElement(place.client)};
    }
    if (attribute == AXAttribute::parent)
        return readParent(window);
    return {AXError::AttributeUnsupported, {}};
}

AXAttributeResult X11Accessibility::readActiveClient()
{
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
        return {AXError::NoValue, {}};
    const WindowPlace place = locateWindow(connection_, window);
    if (place.client == XCB_NONE)
        return {AXError::NoValue, {}};
    // The desktop and the panels hold the focus at times; they are not windows to arrange.
    const auto inspected = inspectWindows(connection_, {place.client}, false);
    if (inspected.isEmpty() || !inspected.first().exists)
        return {AXError::NoValue, {}};
    const QList<xcb_atom_t>& types = inspected.first().types;
    if (types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DESKTOP)) ||
        types.contains(connection_.atom(XAtom::_NET_WM_WINDOW_TYPE_DOCK)))
        return {AXError::NoValue, {}};
    return {AXError::Success, windowElement(place.client)};
}

AXAttributeResult X11Accessibility::readFrame(xcb_window_t window, const QString& attribute)
{
    const auto inspected = inspectWindows(connection_, {window}, false);
    if (inspected.isEmpty() || !inspected.first().exists)
        return {AXError::InvalidElement, {}};
    const InspectedWindow& w = inspected.first();
    // A client is known by what the user sees of it; anything else by its own rectangle.
    const Rect frame =
        displays_.geometry().accessibilityRect(w.hasWmState ? w.visibleRect() : w.rect);
    if (attribute == AXAttribute::position)
        return {AXError::Success, frame.origin()};
    return {AXError::Success, frame.size()};
}

AXAttributeResult X11Accessibility::readParent(xcb_window_t window)
{
    const WindowPlace place = locateWindow(connection_, window);
    if (!place.exists)
        return {AXError::InvalidElement, {}};
    // A client, and a frame around one, belong to the client's application; anything else
    // is inside its X parent.
    if (place.isClient || place.parent == connection_.root() || place.parent == XCB_NONE) {
        if (place.client == XCB_NONE)
            return {AXError::NoValue, {}};
        const auto pid = pidOfClient(place.client);
        if (!pid)
            return {AXError::NoValue, {}};
        return {AXError::Success, applicationElement(*pid)};
    }
    return {AXError::Success, windowElement(place.parent)};
}

AXError X11Accessibility::setAttribute(ElementHandle element, const QString& attribute,
                                       const AXValue& value)
{
    if (!isProcessTrusted(false))
        return AXError::APIDisabled;
    const auto kind = kindOf(element);
    if (!kind)
        return AXError::IllegalArgument;
    if (*kind == Kind::Application && !processExists(*applicationPidOf(element)))
        return AXError::InvalidElement;
    if (*kind != Kind::Window ||
        (attribute != AXAttribute::position && attribute != AXAttribute::size &&
         attribute != AXAttribute::frame))
        return AXError::AttributeUnsupported;
    return moveOrResize(*windowOf(element), attribute, value);
}

const QList<std::uint32_t>& X11Accessibility::supportedHints()
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

AXError X11Accessibility::moveOrResize(xcb_window_t window, const QString& attribute,
                                       const AXValue& value)
{
    // A frame is a position and a size given at once: one request, so that the window manager
    // and the server place the window once instead of going through a size at the old place.
    std::optional<Point> position;
    std::optional<Size> size;
    if (attribute == AXAttribute::frame) {
        if (const Rect* frame = std::get_if<Rect>(&value)) {
            position = frame->origin();
            size = frame->size();
        }
    } else if (attribute == AXAttribute::position) {
        if (const Point* p = std::get_if<Point>(&value))
            position = *p;
    } else if (const Size* s = std::get_if<Size>(&value)) {
        size = *s;
    }
    if (!position && !size)
        return AXError::IllegalArgument;

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
        return AXError::InvalidElement;
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
        return AXError::AttributeUnsupported;

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
                return AXError::InvalidElement;
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
        position && size
            ? std::optional(displays_.geometry().rootRectFromAccessibility(Rect(*position, *size)))
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
        return configure(x, y, width, height) ? AXError::Success : AXError::InvalidElement;

    // Where the client belongs: inside its frame, whose corner goes to (x, y).
    QRect wanted = w.rect;
    if (position)
        wanted.moveTopLeft(QPoint(x + e.left, y + e.top));
    if (size)
        wanted.setSize(QSize(width, height));
    if (wanted == w.rect)
        return AXError::Success;

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
            return AXError::InvalidElement;
        const auto placed = awaitPlacement(window, w.rect, wanted);
        if (!placed)
            return AXError::InvalidElement;
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
            const auto fixed = [](int asked, int error) {
                return std::abs(error) <= maximumCorrection ? asked - error : asked;
            };
            if (!send(way, clampPosition(fixed(x, off.x())), clampPosition(fixed(y, off.y())),
                      clampSize(fixed(width, grown.width())),
                      clampSize(fixed(height, grown.height()))) ||
                !awaitPlacement(window, *placed, wanted))
                return AXError::InvalidElement;
        }
        return AXError::Success;
    }
    Logger::warning(QStringLiteral("The window manager moved the window on no request (it may "
                                   "tile it, or keep it in place)"),
                    LogCategory::Window);
    return AXError::CannotComplete;
}

std::optional<QRect> X11Accessibility::awaitPlacement(xcb_window_t window, const QRect& before,
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

std::optional<std::int32_t> X11Accessibility::pid(ElementHandle element)
{
    const auto kind = kindOf(element);
    if (!kind || *kind == Kind::SystemWide)
        return std::nullopt;
    if (*kind == Kind::Application)
        return applicationPidOf(element);
    if (!connection_.isConnected())
        return std::nullopt;
    const xcb_window_t window = *windowOf(element);
    const WindowPlace place = locateWindow(connection_, window);
    if (!place.exists)
        return std::nullopt;
    return pidOfClient(place.client != XCB_NONE ? place.client : window);
}

std::optional<std::int32_t> X11Accessibility::pidOfClient(xcb_window_t window)
{
    const auto inspected = inspectWindows(connection_, {window}, true);
    if (inspected.isEmpty() || !inspected.first().exists)
        return std::nullopt;
    return inspected.first().pid;
}

} // namespace corvane
