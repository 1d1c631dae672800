// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowServer.h"

#include <xcb/xcb.h>

namespace corvane {

class X11Displays;
class XcbConnection;
struct InspectedWindow;

// The window list from the window manager's stacking list (_NET_CLIENT_LIST_STACKING), front
// to back. Window numbers are the client windows' ids; bounds include the decorations.
class X11WindowServer : public WindowServer {
public:
    // Layers, in the window server's numbers.
    static constexpr std::int32_t normalLayer = 0;
    static constexpr std::int32_t floatingLayer = 3;          // kept above others
    static constexpr std::int32_t belowLayer = -1;            // kept below others
    static constexpr std::int32_t dockLayer = 20;             // panels and docks
    static constexpr std::int32_t desktopLayer = -2147483623; // the desktop itself

    X11WindowServer(XcbConnection& connection, const X11Displays& displays);

    std::optional<QList<WindowDescription>> windowList(unsigned options) override;
    std::optional<QList<WindowDescription>>
    describeWindows(const QList<std::uint32_t>& numbers) override;

private:
    WindowDescription describe(const InspectedWindow& window) const;
    bool isDesktopElement(const InspectedWindow& window) const;
    std::int32_t layerOf(const InspectedWindow& window) const;

    XcbConnection& connection_;
    const X11Displays& displays_;
};

// The short name of a process (/proc/<pid>/comm); empty when it cannot be read.
QString processName(std::int32_t pid);

} // namespace corvane
