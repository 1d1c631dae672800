// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "platform/HeldKeys.h"
#include "platform/SizeLimits.h"
#include "platform/WindowHandle.h"
#include "platform/WindowMove.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace corvane {

// How a request to move a window ended.
enum class WindowResult {
    Done,
    // The window is gone (closed, or never was).
    Gone,
    // The window manager or the window would not take it.
    Refused,
    // Windows cannot be moved here now (no connection to the display server, KWin's script
    // not running).
    Unavailable,
    // The window manager moved the window, but put it well away from the frame asked for and
    // keeps it there: it keeps windows out of that place.
    KeptOut,
};

// The windows of other applications, the pointer and the keys, in the desktop's words. Every
// point and rectangle is in global coordinates: Qt's, logical points with the origin at the
// top-left and y growing downwards. A window's frame is what the user sees of it: the
// decorations the window manager draws included, its invisible shadow not.
//
// Window moves come as events: the backend knows when the window manager moves a window (X11:
// the frame it moves; KWin: its script), so nothing above it rebuilds a move from the mouse.
class WindowSystem : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether windows can be read and moved here.
    virtual bool canMoveWindows() = 0;
    // Whether every window of the session can be; false where only some can (X11 windows in a
    // Wayland session).
    virtual bool reachesEveryWindow() const { return true; }

    // The top-level window at a point; none over the desktop, a panel or Corvane's own windows.
    virtual std::optional<WindowHandle> windowAt(Point point) = 0;
    // In one inspection; none when the window is gone.
    virtual std::optional<Rect> frame(WindowHandle window) = 0;
    // Asks for the frame at once, position and size together. A window that takes a smaller
    // size (size steps, a largest size) is centred in the frame asked for.
    virtual WindowResult setFrame(WindowHandle window, const Rect& frame) = 0;
    // Why the window manager keeps windows out of a frame, for the user, with what they can do
    // about it; empty when the desktop gives no reason to tell.
    virtual QString whyKeptOut(const Rect& frame) const { return {}; }
    // The window the user works in; none when no window of another application is active.
    virtual std::optional<WindowHandle> activeWindow() = 0;
    // The names the desktop gives the window's application (on X11 its class, instance first;
    // on Wayland its app id), the most specific first; empty when it has none or is gone.
    virtual QStringList application(WindowHandle window) = 0;
    // The normal windows of other applications, the front-most first.
    virtual QList<WindowHandle> windows() = 0;
    // Whether the window is an application's window of its own: not a dialog, transient,
    // splash, utility or panel window, and not one of Corvane's. False when it is gone.
    virtual bool isNormalWindow(WindowHandle window) = 0;
    // Raises the window and gives it the keyboard, as a click on it in a task bar does.
    virtual WindowResult activate(WindowHandle window) = 0;
    // The frame sizes the window accepts; none when it accepts any or cannot be read.
    virtual std::optional<SizeLimits> sizeLimits(WindowHandle window)
    {
        Q_UNUSED(window);
        return std::nullopt;
    }

    // Where the pointer is now.
    virtual Point pointer() const = 0;
    // Keys other than the modifiers whose state moves report (HeldKeys::keys), by the key codes
    // stored shortcuts use. Replaces the keys followed so far.
    virtual void followKeys(const QList<int>& keyCodes) = 0;
    // Whether the keyboard has the key, so that it can be followed.
    virtual bool canFollowKey(int keyCode) const = 0;
    // Whether the desktop tells which keys are held (KDE Plasma on Wayland does not).
    virtual bool tellsKeys() const { return true; }
    // Held now; none where the desktop does not tell.
    virtual std::optional<HeldKeys> heldKeys() const = 0;
    // The desktop's shortcuts that stand in for the keys where they are not told, as the user
    // reads them ("Super+Shift+Z"); empty where the keys are told.
    virtual QString snapShortcutText() const { return {}; }
    virtual QString spanShortcutText() const { return {}; }

signals:
    // The window manager started moving a window, moved it on, and the button came up.
    void moveStarted(const corvane::WindowMove& move);
    void moveStepped(const corvane::WindowMove& move);
    void moveFinished(const corvane::WindowMove& move);
    // The button went down on a window and came up elsewhere, and the window manager never
    // moved the window (it keeps that drag for itself). Only where presses are seen.
    void dragMovedNoWindow(const corvane::WindowMove& press, const corvane::WindowMove& release);
    void windowOpened(corvane::WindowHandle window);
    void windowClosed(corvane::WindowHandle window);
    // The user resized the window with the window manager; `frame` is its frame now. Told at
    // each step of the resize.
    void windowResized(corvane::WindowHandle window, const corvane::Rect& frame);
    // The user let go of a window they resized (after at least one windowResized); `frame` is
    // its frame then.
    void resizeFinished(corvane::WindowHandle window, const corvane::Rect& frame);
    void activeWindowChanged();
};

} // namespace corvane
