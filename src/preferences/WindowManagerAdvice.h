// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Session.h"

#include <QString>

namespace corvane {

// What the user should know about the running window manager to snap: which key it moves
// windows with, and whether the chosen snap modifier can start a snap under it.
struct WindowManagerAdvice {
    QString title; // "Window manager: Openbox"
    QString text;
    // The stored form of a modifier that works better than the chosen one; empty when the
    // chosen one is fine or nothing better is known.
    QString suggestedKey;
    // The chosen modifier cannot start a snap under this window manager.
    bool chosenKeyFails = false;

    static WindowManagerAdvice forSession(const WindowManagerInfo& info,
                                          const QString& snapModifierKey);
};

} // namespace corvane
