// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace corvane {

// What the desktop session lets Corvane reach, in the words of that desktop.
struct SessionAccess {
    // Windows can be seen and moved (at least some of them); the same as a trusted process.
    bool windowsReachable = false;
    QString headline; // one line: what Corvane can or cannot do here
    QString detail;   // what was checked
    QString remedy;   // what the user can do about it; empty when nothing is needed
};

// How the running window manager moves windows, as far as it can be known.
struct WindowManagerInfo {
    QString name; // as the window manager names itself; empty when none announces itself
    // The modifier its usual binding moves a window with, dragged anywhere in it, in the stored
    // form of the snap modifier ("option", "command"); empty when not known.
    QString moveModifierKey;
    // Whether a title-bar drag with another modifier held still simply moves the window (rather
    // than leaving it in place or tiling it the window manager's own way); none when not known.
    // Where it does not, only the move modifier can start a snap.
    std::optional<bool> titleBarDragMovesWithModifier;
    // Whether it moves a maximized window that is dragged; where it does not, such a window can
    // be snapped only once it is restored.
    bool movesMaximizedWindows = true;
    // The modifier, in the stored form, that turns on the window manager's own snapping to
    // edges during a move (mutter: Shift): the window jumps from edge to edge instead of
    // following the pointer. Empty when none does.
    QString edgeSnappingKey{};
    // What does not work under this window manager as it does elsewhere, and why, for the user
    // to read; empty when everything does.
    QString limitations{};
};

class Session : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual SessionAccess access() const = 0;
    virtual WindowManagerInfo windowManager() const = 0;
};

} // namespace corvane
