// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowSystem.h"

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

namespace corvane {

class X11Displays;
class X11InputMonitor;
class XcbConnection;
struct HeldKeys;

// Windows on an X server. A window is a top-level client (the X window carrying WM_STATE); its
// frame is what the user sees of it on screen, the window manager's decorations included and
// the client's own shadow left out. Moves come from the pointer and the window's frame: the
// button goes down on a window, and once the window manager moves that window's frame, the
// move has started; the pointer's steps follow it, and the release ends it. Windows opened and
// closed come from the window manager's client list, the active window from its
// _NET_ACTIVE_WINDOW.
class X11WindowSystem : public WindowSystem {
    Q_OBJECT
public:
    // `reachesEveryWindow` is false in a Wayland session, whose native windows X cannot see.
    X11WindowSystem(XcbConnection& connection, const X11Displays& displays,
                    bool reachesEveryWindow = true);
    ~X11WindowSystem() override;

    bool canMoveWindows() override;
    bool reachesEveryWindow() const override { return reachesEveryWindow_; }
    std::optional<WindowHandle> windowAt(Point point) override;
    std::optional<Rect> frame(WindowHandle window) override;
    WindowResult setFrame(WindowHandle window, const Rect& frame) override;
    QString whyKeptOut(const Rect& frame) const override;
    std::optional<WindowHandle> activeWindow() override;
    // The two strings of the client's class, instance first.
    QStringList application(WindowHandle window) override;
    QList<WindowHandle> windows() override;
    bool isNormalWindow(WindowHandle window) override;
    WindowResult activate(WindowHandle window) override;
    std::optional<SizeLimits> sizeLimits(WindowHandle window) override;
    Point pointer() const override;
    void followKeys(const QList<int>& keyCodes) override;
    bool canFollowKey(int keyCode) const override;
    std::optional<HeldKeys> heldKeys() const override;

    static WindowHandle handle(xcb_window_t client) { return {client}; }
    static xcb_window_t clientOf(WindowHandle window)
    {
        return static_cast<xcb_window_t>(window.value);
    }

protected:
    // Presses are followed only while someone listens to moves.
    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

private:
    // The window under a root point: the deepest window holding it and the root's child it is
    // in (the window manager's frame, or the client itself without one).
    struct Hit {
        xcb_window_t deepest = XCB_NONE;
        xcb_window_t topLevel = XCB_NONE;
    };
    // A press on a window, until the release.
    struct Press {
        WindowHandle window;
        xcb_window_t topLevel = XCB_NONE;
        QRect topLevelRect;                // root coordinates, when the button went down
        QMargins visibleInset;             // from the top level to what the user sees of it
        WindowMove at;                     // the press itself
        std::uint32_t eventMaskBefore = 0; // what this connection selected on the top level
        bool watching = false;
        bool moving = false;
        bool resized = false;    // the window manager resized the window since the press
        bool resizeOnly = false; // a button window managers resize with, never move
    };

    Hit hitAt(QPoint root);
    // The topmost mapped input-output child of the root holding a root point.
    xcb_window_t topmostVisibleChildAt(QPoint p);
    std::optional<xcb_window_t> clientAt(QPoint root, xcb_window_t* topLevel);
    static bool isPressSignal(const QMetaMethod& signal);
    void updateListening(int change);
    void onPointer(int stage, QPoint root, const HeldKeys& keys);
    void pressed(QPoint root, const WindowMove& at);
    void topLevelConfigured(const xcb_configure_notify_event_t& event);
    void stopWatching();
    WindowResult moveOrResize(xcb_window_t window, const Rect& frame);
    // Waits for the window manager to place a client asked to go to `wanted` (root
    // coordinates); the client's rectangle then, `before` when nothing changed, none when the
    // window is gone.
    std::optional<QRect> awaitPlacement(xcb_window_t window, const QRect& before,
                                        const QRect& wanted);
    // A window that kept a smaller size than asked (size steps) goes to the middle of it.
    void centreInTarget(xcb_window_t window, const Rect& target);
    void onEvent(const xcb_generic_event_t* event);
    // The window manager's _NET_SUPPORTED, read once and kept until the property changes.
    const QList<std::uint32_t>& supportedHints();
    QList<xcb_window_t> readClientList();
    void clientListChanged();
    void closed(xcb_window_t client);

    XcbConnection& connection_;
    const X11Displays& displays_;
    std::unique_ptr<X11InputMonitor> input_;
    QMetaObject::Connection events_;
    std::optional<QList<std::uint32_t>> supportedHints_;
    xcb_window_t checkWindow_ = XCB_NONE; // the window manager's check window, as last seen
    // The check window of a window manager that announced _NET_MOVERESIZE_WINDOW and ignored it.
    std::optional<xcb_window_t> ignoresMoveResize_;
    bool reachesEveryWindow_;
    int listeners_ = 0; // connections to the signals that need presses
    std::optional<Press> press_;
    WindowMove last_;                   // the pointer and keys of the last pointer event
    QList<xcb_window_t> clients_;       // the window manager's client list, as last read
    QSet<xcb_window_t> watchedClients_; // snapped clients, whose destruction is selected
    QSet<xcb_window_t> handedOut_;      // clients found at a point or active, until they close
    // Clients still on screen that the window manager's list dropped (it was replaced): listed
    // again, they are not new.
    QSet<xcb_window_t> unlisted_;
};

} // namespace corvane
