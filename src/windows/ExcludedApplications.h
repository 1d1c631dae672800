// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowHandle.h"

#include <QStringList>

namespace corvane {

// The applications whose windows Corvane leaves alone: dragging one shows no overlay and
// nothing snaps it. The user names an application as the desktop names it; a name matches any
// of the names of a window's application, without regard to case.
class ExcludedApplications {
public:
    static bool matches(const QStringList& excluded, const QStringList& applicationNames);
    // Whether the window belongs to an application of the stored list.
    static bool contains(WindowHandle window);
};

} // namespace corvane
