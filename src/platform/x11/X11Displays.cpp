// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11Displays.h"

#include "logging/Logger.h"
#include "platform/x11/Edid.h"
#include "platform/x11/LogindSleepMonitor.h"
#include "platform/x11/RootGeometry.h"
#include "platform/x11/Strut.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbProperties.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <array>
#include <utility>
#include <xcb/randr.h>

namespace corvane {
namespace {

// Bursts of change notifications (a monitor added usually brings several) make one re-read.
constexpr int refreshDelayMs = 20;
constexpr std::uint32_t edidLongs = 256; // 1 KiB: the base block and a few extensions

struct Monitor {
    xcb_atom_t name = XCB_NONE;
    bool primary = false;
    QRect rect;
    std::optional<xcb_randr_output_t> output; // the first of its outputs
};

QGuiApplication* guiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

// The device pixel ratio Qt uses for a monitor: that of its screen of the same name, else of
// the screen at the same place; 1 without Qt's screens. Qt's own windows are scaled by it, so
// the port's points and Qt's agree.
double qtRatio(const QString& name, const QRect& root)
{
    if (!guiApplication())
        return 1.0;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* s : screens) {
        if (!name.isEmpty() && s->name() == name)
            return s->devicePixelRatio();
    }
    for (QScreen* s : screens) {
        if (s->geometry().topLeft() == root.topLeft())
            return s->devicePixelRatio();
    }
    return 1.0;
}

} // namespace

X11Displays::X11Displays(XcbConnection& connection, QObject* parent)
    : Displays(parent), connection_(connection),
      sleepMonitor_(std::make_unique<LogindSleepMonitor>())
{
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(refreshDelayMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &X11Displays::refresh);
    connect(&connection_, &XcbConnection::rootChildrenMayHaveChanged, &refreshTimer_,
            qOverload<>(&QTimer::start));
    connect(sleepMonitor_.get(), &LogindSleepMonitor::sleeping, this, &Displays::screensDidSleep);
    connect(sleepMonitor_.get(), &LogindSleepMonitor::waking, this, &Displays::screensDidWake);

    if (connection_.isConnected()) {
        if (connection_.randr().present) {
            connection_.send(xcb_randr_select_input(
                connection_.raw(), connection_.root(),
                XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE |
                    XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE | XCB_RANDR_NOTIFY_MASK_OUTPUT_PROPERTY));
        }
        if (!connection_.randr().atLeast(1, 5))
            Logger::warning(QStringLiteral("The X server has no RandR 1.5 monitors; the whole "
                                           "screen is treated as one display"),
                            LogCategory::App);
        connect(&connection_, &XcbConnection::eventReceived, this, &X11Displays::onEvent);
    }
    // Qt's screens carry the scale of each monitor, and stand in for them without X.
    if (QGuiApplication* app = guiApplication()) {
        const auto follow = [this](QScreen* screen) {
            connect(screen, &QScreen::geometryChanged, &refreshTimer_, qOverload<>(&QTimer::start));
            connect(screen, &QScreen::logicalDotsPerInchChanged, &refreshTimer_,
                    qOverload<>(&QTimer::start));
        };
        for (QScreen* screen : QGuiApplication::screens())
            follow(screen);
        connect(app, &QGuiApplication::screenAdded, this, [this, follow](QScreen* screen) {
            follow(screen);
            refreshTimer_.start();
        });
        connect(app, &QGuiApplication::screenRemoved, &refreshTimer_, qOverload<>(&QTimer::start));
        connect(app, &QGuiApplication::primaryScreenChanged, &refreshTimer_,
                qOverload<>(&QTimer::start));
    }
    Snapshot first = connection_.isConnected() ? readMonitors() : readToolkitScreens();
    displays_ = std::move(first.displays);
    rootFrames_ = std::move(first.rootFrames);
    areasByTheLetter_ = std::move(first.areasByTheLetter);
    geometry_ = std::move(first.geometry);
}

X11Displays::~X11Displays() = default;

DisplayList X11Displays::screens() const
{
    return displays_;
}

void X11Displays::placeExactly(QWindow& window, const Rect& rect) const
{
    auto* x11 = guiApplication()
                    ? guiApplication()->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    // Qt's offscreen platform answers for X11 without a connection of its own.
    if (!x11 || !x11->connection() || !window.handle() || !connection_.isConnected())
        return;
    const QRect root = geometry_.rootRect(rect);
    const std::array<std::uint32_t, 4> values{std::uint32_t(root.x()), std::uint32_t(root.y()),
                                              std::uint32_t(root.width()),
                                              std::uint32_t(root.height())};
    // On Qt's connection, after Qt's own request for the window, so that the server takes the
    // two in that order; Qt then hears of the exact geometry as of any other change.
    xcb_configure_window(x11->connection(), window.winId(),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values.data());
    xcb_flush(x11->connection());
}

void X11Displays::refresh()
{
    adopt(connection_.isConnected() ? readMonitors() : readToolkitScreens());
}

void X11Displays::adopt(Snapshot snapshot)
{
    // Not part of what the displays say: a change of it alone is not announced.
    areasByTheLetter_ = std::move(snapshot.areasByTheLetter);
    if (sameDisplays(snapshot.displays, displays_) && snapshot.rootFrames == rootFrames_)
        return;
    displays_ = std::move(snapshot.displays);
    rootFrames_ = std::move(snapshot.rootFrames);
    geometry_ = std::move(snapshot.geometry);
    emit screenParametersChanged();
}

void X11Displays::onEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    const auto& randr = connection_.randr();
    if (randr.present && (type == randr.firstEvent + XCB_RANDR_SCREEN_CHANGE_NOTIFY ||
                          type == randr.firstEvent + XCB_RANDR_NOTIFY)) {
        refreshTimer_.start();
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        // A client that adds or removes a monitor makes the server announce a root configure.
        if (reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window ==
            connection_.root())
            refreshTimer_.start();
    } else if (type == XCB_MAP_NOTIFY || type == XCB_UNMAP_NOTIFY || type == XCB_DESTROY_NOTIFY) {
        // A window of the root's own came or went: it may be a panel.
        const auto* e = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (e->event == connection_.root() || framedWindows_.contains(e->event))
            refreshTimer_.start();
    } else if (type == XCB_PROPERTY_NOTIFY) {
        const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if ((e->window == connection_.root() &&
             (e->atom == connection_.atom(XAtom::_NET_WORKAREA) ||
              e->atom == connection_.atom(XAtom::_NET_CLIENT_LIST))) ||
            e->atom == connection_.atom(XAtom::_NET_WM_STRUT_PARTIAL) ||
            e->atom == connection_.atom(XAtom::_NET_WM_STRUT))
            refreshTimer_.start();
    }
}

X11Displays::Snapshot X11Displays::readMonitors() const
{
    xcb_connection_t* c = connection_.raw();
    const xcb_window_t root = connection_.root();

    // First batch: the monitors and what the window manager says about the screen.
    std::optional<xcb_randr_get_monitors_cookie_t> monitorsCookie;
    if (connection_.randr().atLeast(1, 5))
        monitorsCookie = connection_.send(xcb_randr_get_monitors(c, root, 1));
    const auto rootCookie = connection_.send(xcb_get_geometry(c, root));
    const auto clientsCookie =
        connection_.getProperty(root, XAtom::_NET_CLIENT_LIST, XCB_ATOM_WINDOW);
    const auto workAreaCookie =
        connection_.getProperty(root, XAtom::_NET_WORKAREA, XCB_ATOM_CARDINAL, 4 * 64);
    const auto desktopCookie =
        connection_.getProperty(root, XAtom::_NET_CURRENT_DESKTOP, XCB_ATOM_CARDINAL, 1);
    // Panels that the window manager does not list as clients (a tiling window manager's bar,
    // a tray of its own) are children of the root all the same.
    const auto treeCookie = connection_.send(xcb_query_tree(c, root));

    QList<Monitor> monitors;
    if (monitorsCookie) {
        if (auto reply = connection_.reply(xcb_randr_get_monitors_reply, *monitorsCookie)) {
            for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
                 xcb_randr_monitor_info_next(&it)) {
                const xcb_randr_monitor_info_t* info = it.data;
                if (info->width == 0 || info->height == 0)
                    continue;
                Monitor m;
                m.name = info->name;
                m.primary = info->primary;
                m.rect = QRect(info->x, info->y, info->width, info->height);
                if (xcb_randr_monitor_info_outputs_length(info) > 0)
                    m.output = xcb_randr_monitor_info_outputs(info)[0];
                monitors.append(m);
            }
        }
    }
    QSize rootSize = connection_.rootSize();
    if (auto geometry = connection_.reply(xcb_get_geometry_reply, rootCookie))
        rootSize = QSize(geometry->width, geometry->height);
    if (monitors.isEmpty()) {
        Monitor whole;
        whole.primary = true;
        whole.rect = QRect(QPoint(0, 0), rootSize);
        monitors.append(whole);
    }
    const auto clients =
        propertyValues32(connection_.reply(xcb_get_property_reply, clientsCookie).get());
    QList<xcb_window_t> panelCandidates(clients.begin(), clients.end());
    if (auto tree = connection_.reply(xcb_query_tree_reply, treeCookie)) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            if (!clients.contains(children[i]))
                panelCandidates.append(children[i]);
        }
    }
    const auto workAreas =
        propertyValues32(connection_.reply(xcb_get_property_reply, workAreaCookie).get());
    QList<QRect> monitorRects;
    for (const Monitor& m : monitors)
        monitorRects.append(m.rect);
    const std::uint32_t desktop =
        propertyValue32(connection_.reply(xcb_get_property_reply, desktopCookie).get()).value_or(0);

    // Second batch: names, EDIDs and the panels' struts.
    const xcb_atom_t edidAtom = connection_.atom(XAtom::EDID);
    QList<std::optional<xcb_get_atom_name_cookie_t>> nameCookies;
    QList<std::optional<xcb_randr_get_output_info_cookie_t>> outputCookies;
    QList<std::optional<xcb_randr_get_output_property_cookie_t>> edidCookies;
    for (const Monitor& m : monitors) {
        nameCookies.append(m.name != XCB_NONE
                               ? std::optional(connection_.send(xcb_get_atom_name(c, m.name)))
                               : std::nullopt);
        if (m.output) {
            outputCookies.append(
                connection_.send(xcb_randr_get_output_info(c, *m.output, XCB_CURRENT_TIME)));
            edidCookies.append(connection_.send(xcb_randr_get_output_property(
                c, *m.output, edidAtom, XCB_ATOM_ANY, 0, edidLongs, 0, 0)));
        } else {
            outputCookies.append(std::nullopt);
            edidCookies.append(std::nullopt);
        }
    }
    struct StrutCookies {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t partial;
        xcb_get_property_cookie_t full;
        xcb_get_geometry_cookie_t geometry;
        xcb_translate_coordinates_cookie_t origin;
    };
    const auto askStrut = [&](xcb_window_t w) {
        return StrutCookies{
            connection_.send(xcb_get_window_attributes(c, w)),
            connection_.getProperty(w, XAtom::_NET_WM_STRUT_PARTIAL, XCB_ATOM_CARDINAL, 12),
            connection_.getProperty(w, XAtom::_NET_WM_STRUT, XCB_ATOM_CARDINAL, 4),
            connection_.send(xcb_get_geometry(c, w)),
            connection_.send(xcb_translate_coordinates(c, w, root, 0, 0))};
    };
    QList<StrutCookies> strutCookies;
    for (xcb_window_t w : panelCandidates)
        strutCookies.append(askStrut(w));

    QStringList names, outputNames;
    QList<std::optional<EdidInfo>> edids;
    for (qsizetype i = 0; i < monitors.size(); ++i) {
        QString name;
        if (nameCookies[i]) {
            if (auto r = connection_.reply(xcb_get_atom_name_reply, *nameCookies[i]))
                name = QString::fromUtf8(xcb_get_atom_name_name(r.get()),
                                         xcb_get_atom_name_name_length(r.get()));
        }
        names.append(name);
        QString outputName;
        if (outputCookies[i]) {
            if (auto r = connection_.reply(xcb_randr_get_output_info_reply, *outputCookies[i]))
                outputName = QString::fromUtf8(
                    reinterpret_cast<const char*>(xcb_randr_get_output_info_name(r.get())),
                    xcb_randr_get_output_info_name_length(r.get()));
        }
        outputNames.append(outputName);
        std::optional<EdidInfo> edid;
        if (edidCookies[i]) {
            if (auto r = connection_.reply(xcb_randr_get_output_property_reply, *edidCookies[i]);
                r && r->format == 8) {
                edid = parseEdid(QByteArray(
                    reinterpret_cast<const char*>(xcb_randr_get_output_property_data(r.get())),
                    xcb_randr_get_output_property_data_length(r.get())));
            }
        }
        edids.append(edid);
    }
    QList<Strut> struts;
    // A window manager may put its own bar inside a frame of its own (i3 holds i3bar in a
    // container), where neither its client list nor the root's children show it: the children
    // of frames that hold no listed client are looked at too, one level down.
    QList<xcb_window_t> framed;
    QList<xcb_query_tree_cookie_t> frameTrees;
    const auto readStruts = [&](const QList<xcb_window_t>& windows,
                                const QList<StrutCookies>& cookies, qsizetype listedCount,
                                bool inside) {
        for (qsizetype i = 0; i < cookies.size(); ++i) {
            const StrutCookies& k = cookies[i];
            auto attributes = connection_.reply(xcb_get_window_attributes_reply, k.attributes);
            auto partial = connection_.reply(xcb_get_property_reply, k.partial);
            auto full = connection_.reply(xcb_get_property_reply, k.full);
            auto geometry = connection_.reply(xcb_get_geometry_reply, k.geometry);
            auto origin = connection_.reply(xcb_translate_coordinates_reply, k.origin);
            std::optional<Strut> strut = Strut::fromPartial(propertyValues32(partial.get()));
            if (!strut)
                strut = Strut::fromFull(propertyValues32(full.get()), rootSize);
            // A listed client counts as before (its window manager keeps its room); any other
            // window only while it is on screen.
            const bool listed = i < listedCount;
            if (!attributes || (!listed && attributes->map_state != XCB_MAP_STATE_VIEWABLE))
                continue;
            const bool isPanel = strut && !strut->isEmpty();
            std::uint32_t wanted = 0;
            if (isPanel || inside) {
                // A panel that grows, shrinks or moves says so in its strut; a window inside
                // a frame may be given its strut only later.
                wanted = XCB_EVENT_MASK_PROPERTY_CHANGE;
            } else if (!listed && attributes->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT) {
                // A frame: looked into, and watched for a panel mapped in it later.
                framed.append(windows[i]);
                framedWindows_.insert(windows[i]);
                wanted = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
            }
            if ((attributes->your_event_mask & wanted) != wanted) {
                const std::uint32_t mask = attributes->your_event_mask | wanted;
                connection_.send(
                    xcb_change_window_attributes(c, windows[i], XCB_CW_EVENT_MASK, &mask));
            }
            if (isPanel)
                struts.append(geometry && origin
                                  ? reachingWindow(*strut,
                                                   QRect(origin->dst_x, origin->dst_y,
                                                         geometry->width, geometry->height),
                                                   monitorRects, rootSize)
                                  : *strut);
        }
    };
    framedWindows_.clear();
    readStruts(panelCandidates, strutCookies, clients.size(), false);
    const QList<xcb_window_t> frames = std::exchange(framed, {});
    for (xcb_window_t frame : frames)
        frameTrees.append(connection_.send(xcb_query_tree(c, frame)));
    QList<xcb_window_t> inner;
    for (const auto& cookie : frameTrees) {
        if (auto tree = connection_.reply(xcb_query_tree_reply, cookie)) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
                if (!clients.contains(children[i]))
                    inner.append(children[i]);
            }
        }
    }
    QList<StrutCookies> innerCookies;
    for (xcb_window_t w : inner)
        innerCookies.append(askStrut(w));
    readStruts(inner, innerCookies, 0, true);
    std::optional<QRect> workArea;
    if (workAreas.size() >= qsizetype(4 * (desktop + 1))) {
        const qsizetype at = 4 * desktop;
        workArea = QRect(int(workAreas[at]), int(workAreas[at + 1]), int(workAreas[at + 2]),
                         int(workAreas[at + 3]));
    }

    // The primary monitor first, the others in the server's order.
    qsizetype primaryIndex = 0;
    for (qsizetype i = 0; i < monitors.size(); ++i) {
        if (monitors[i].primary) {
            primaryIndex = i;
            break;
        }
    }
    QList<qsizetype> order{primaryIndex};
    for (qsizetype i = 0; i < monitors.size(); ++i) {
        if (i != primaryIndex)
            order.append(i);
    }

    QList<RootGeometry::Monitor> scaled;
    for (qsizetype i : order)
        scaled.append({monitors[i].rect, qtRatio(names[i], monitors[i].rect)});
    Snapshot snapshot;
    snapshot.geometry = RootGeometry(scaled);
    for (qsizetype i : order) {
        const Monitor& m = monitors[i];
        // Panels that reserve room say where: that is exact per monitor. The window manager's
        // work area adds the room of its own panels.
        QRect visible = visibleArea(m.rect, struts, rootSize);
        if (workArea)
            visible = withWorkArea(visible, *workArea, struts, rootSize);
        Display d;
        d.key = names[i].isEmpty() ? QStringLiteral("monitor-%1").arg(i) : names[i];
        if (m.output)
            d.number = *m.output;
        d.frame = snapshot.geometry.globalRect(m.rect);
        d.visibleFrame = snapshot.geometry.globalRect(visible);
        if (const auto& edid = edids[i]) {
            d.vendor = edid->vendor;
            d.model = edid->model;
            d.serial = edid->serial;
            d.uuid = edid->uuid;
        }
        d.connector = outputNames[i].isEmpty() ? d.key : outputNames[i];
        if (edids[i] && !edids[i]->productName.isEmpty())
            d.localizedName = edids[i]->productName;
        else if (!outputNames[i].isEmpty())
            d.localizedName = outputNames[i];
        else
            d.localizedName = d.key;
        snapshot.displays.append(d);
        snapshot.rootFrames.append(m.rect);
        snapshot.areasByTheLetter.append(areaByTheLetter(m.rect, struts, rootSize));
    }
    setIdentityFrames(snapshot.displays);
    markIdenticalDisplays(snapshot.displays);
    return snapshot;
}

X11Displays::Snapshot X11Displays::readToolkitScreens() const
{
    Snapshot snapshot;
    if (!guiApplication())
        return snapshot;
    QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primaryScreen = QGuiApplication::primaryScreen();
    if (screens.isEmpty() || !primaryScreen)
        return snapshot;
    screens.removeOne(primaryScreen);
    screens.prepend(primaryScreen);
    // Qt's screens are in its logical coordinates already: taken at a ratio of 1.
    QList<RootGeometry::Monitor> monitors;
    for (QScreen* s : screens)
        monitors.append({s->geometry(), 1.0});
    snapshot.geometry = RootGeometry(monitors);
    for (QScreen* s : screens) {
        Display d;
        d.key = s->name();
        d.localizedName = s->name();
        d.frame = snapshot.geometry.globalRect(s->geometry());
        d.visibleFrame = snapshot.geometry.globalRect(s->availableGeometry());
        snapshot.displays.append(d);
        snapshot.rootFrames.append(s->geometry());
    }
    setIdentityFrames(snapshot.displays);
    return snapshot;
}

std::optional<Display> X11Displays::mainScreen() const
{
    // The main display is the RandR primary monitor, else the first one: the list starts with
    // it. It does not follow the focus, so "Main" names the same display from run to run.
    if (displays_.isEmpty())
        return std::nullopt;
    return displays_.first();
}

} // namespace corvane
