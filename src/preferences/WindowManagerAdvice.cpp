// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/WindowManagerAdvice.h"

#include "platform/KeyNames.h"

#include <QCoreApplication>

namespace corvane {

namespace {

WindowManagerAdvice adviceFor(const WindowManagerInfo& info, const QString& snapModifierKey);

} // namespace

WindowManagerAdvice WindowManagerAdvice::forSession(const WindowManagerInfo& info,
                                                    const QString& snapModifierKey)
{
    WindowManagerAdvice advice = adviceFor(info, snapModifierKey);
    // A snap follows a drag the window manager carries out; one that keeps maximized windows in
    // place gives none to follow, and restoring the window behind its back would fight it.
    if (!info.name.isEmpty() && !info.movesMaximizedWindows)
        advice.text += u' ' + QCoreApplication::translate(
                                  "WindowManagerAdvice",
                                  "%1 does not move a maximized window: restore it first "
                                  "(double-click its title bar), then drag it to a zone.")
                                  .arg(info.name);
    if (!info.limitations.isEmpty())
        advice.text += u' ' + info.limitations;
    return advice;
}

namespace {

WindowManagerAdvice adviceFor(const WindowManagerInfo& info, const QString& snapModifierKey)
{
    WindowManagerAdvice advice;
    const QString chosen = KeyNames::modifierKey(snapModifierKey);
    if (info.name.isEmpty()) {
        advice.title =
            QCoreApplication::translate("WindowManagerAdvice", "Window manager: not announced");
        advice.text =
            QCoreApplication::translate("WindowManagerAdvice",
                                        "Hold %1 and drag a window by its title bar. If the window "
                                        "does not move while %1 is held, choose the key your "
                                        "window manager moves windows with.")
                .arg(chosen);
        return advice;
    }
    advice.title =
        QCoreApplication::translate("WindowManagerAdvice", "Window manager: %1").arg(info.name);
    if (info.moveModifierKey.isEmpty()) {
        advice.text =
            QCoreApplication::translate("WindowManagerAdvice",
                                        "Hold %1 and drag a window by its title bar. If the window "
                                        "does not move while %1 is held, choose the key %2 moves "
                                        "windows with.")
                .arg(chosen, info.name);
        return advice;
    }
    const QString move = KeyNames::modifierKey(info.moveModifierKey);
    if (KeyNames::modifierKey(snapModifierKey) == move) {
        advice.text =
            QCoreApplication::translate("WindowManagerAdvice",
                                        "%1 moves a window dragged anywhere with %2 held: hold %2, "
                                        "drag a window and release it over a zone.")
                .arg(info.name, move);
        return advice;
    }
    if (!info.edgeSnappingKey.isEmpty() && snapModifierKey == info.edgeSnappingKey) {
        advice.chosenKeyFails = true;
        advice.suggestedKey = info.moveModifierKey;
        advice.text = QCoreApplication::translate(
                          "WindowManagerAdvice",
                          "%3 held during a move turns on %1's own snapping to edges: the "
                          "window jumps from edge to edge instead of following the pointer. "
                          "Choose %2 (it also moves a window dragged anywhere) or Ctrl as the "
                          "snap modifier.")
                          .arg(info.name, move, chosen);
        return advice;
    }
    if (info.titleBarDragMovesWithModifier == false) {
        advice.chosenKeyFails = true;
        advice.suggestedKey = info.moveModifierKey;
        advice.text = QCoreApplication::translate(
                          "WindowManagerAdvice",
                          "%1 moves a window dragged anywhere with %2 held; a window "
                          "dragged by its title bar with %3 held does not snap under "
                          "%1 (it stays in place, or %1 tiles it itself). Choose %2 as "
                          "the snap modifier.")
                          .arg(info.name, move, chosen);
        return advice;
    }
    advice.suggestedKey = info.moveModifierKey;
    advice.text =
        QCoreApplication::translate("WindowManagerAdvice",
                                    "Hold %1 and drag a window by its title bar. %2 usually moves "
                                    "a window dragged anywhere with %3 held: choose %3 to snap "
                                    "from anywhere in a window.")
            .arg(chosen, info.name, move);
    return advice;
}

} // namespace

} // namespace corvane
