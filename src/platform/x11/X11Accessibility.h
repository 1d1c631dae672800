// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Accessibility.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <optional>
#include <xcb/xcb.h>

namespace corvane {

class X11Displays;
class XcbConnection;

// Windows as accessibility elements. A top-level client (the window carrying WM_STATE) is a
// window element whose position and size are its frame on screen, decorations included; any
// other X window is a control inside the client it belongs to; an application element stands
// for a process. The system-wide element's focused element is the active client. X has no enhanced
// user interface: that attribute reads as unsupported.
class X11Accessibility : public Accessibility {
public:
    // `reachesEveryWindow` is false in a Wayland session, whose native windows X cannot see.
    X11Accessibility(XcbConnection& connection, const X11Displays& displays,
                     bool reachesEveryWindow = true);
    ~X11Accessibility() override;

    ElementHandle systemWide() override;
    std::optional<ElementHandle> elementAtPosition(ElementHandle systemWide,
                                                   Point position) override;
    AXAttributeResult copyAttribute(ElementHandle element, const QString& attribute) override;
    AXError setAttribute(ElementHandle element, const QString& attribute,
                         const AXValue& value) override;
    std::optional<std::int32_t> pid(ElementHandle element) override;
    ElementHandle applicationElement(std::int32_t pid) override;
    bool isProcessTrusted(bool prompt) override;
    // The two strings of the client's class, instance first.
    QStringList applicationIdentifiers(ElementHandle element) override;
    // A client's destruction is seen through the structure events selected on it.
    bool observeDestruction(ElementHandle element, DestructionHandler handler) override;
    void stopObservingDestruction(ElementHandle element) override;
    bool reachesEveryWindow() const override { return reachesEveryWindow_; }
    bool hasEnhancedUserInterface() const override { return false; }

    // A handle holds its kind in the high word and the window id or pid in the low word.
    static ElementHandle windowElement(xcb_window_t window);
    static std::optional<xcb_window_t> windowOf(ElementHandle element);
    static std::optional<std::int32_t> applicationPidOf(ElementHandle element);

private:
    // The client the window manager calls active; desktops and panels do not count.
    AXAttributeResult readActiveClient();
    AXAttributeResult readWindow(xcb_window_t window, const QString& attribute);
    AXAttributeResult readFrame(xcb_window_t window, const QString& attribute);
    AXAttributeResult readParent(xcb_window_t window);
    // The topmost mapped input-output child of the root holding a root point.
    xcb_window_t topmostVisibleChildAt(QPoint p);
    AXError moveOrResize(xcb_window_t window, const QString& attribute, const AXValue& value);
    // Waits for the window manager to place a client asked to go to `wanted` (root
    // coordinates); the client's rectangle then, `before` when nothing changed, none when the
    // window is gone.
    std::optional<QRect> awaitPlacement(xcb_window_t window, const QRect& before,
                                        const QRect& wanted);
    std::optional<std::int32_t> pidOfClient(xcb_window_t window);
    void onEvent(const xcb_generic_event_t* event);
    // The window manager's _NET_SUPPORTED, read once and kept until the property changes.
    const QList<std::uint32_t>& supportedHints();

    XcbConnection& connection_;
    const X11Displays& displays_;
    QHash<xcb_window_t, DestructionHandler> destructionHandlers_;
    QMetaObject::Connection events_;
    std::optional<QList<std::uint32_t>> supportedHints_;
    xcb_window_t checkWindow_ = XCB_NONE; // the window manager's check window, as last seen
    // The check window of a window manager that announced _NET_MOVERESIZE_WINDOW and ignored it.
    std::optional<xcb_window_t> ignoresMoveResize_;
    bool reachesEveryWindow_;
};

} // namespace corvane
