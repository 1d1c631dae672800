// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/VirtualDesktops.h"

#include <xcb/xcb.h>

namespace corvane {

class XcbConnection;

// The desktops an EWMH window manager announces on the root: how many
// (_NET_NUMBER_OF_DESKTOPS), which one is shown (_NET_CURRENT_DESKTOP) and their names
// (_NET_DESKTOP_NAMES). The root tells of every change to them; they are read again then.
class X11VirtualDesktops : public VirtualDesktops {
    Q_OBJECT
public:
    explicit X11VirtualDesktops(XcbConnection& connection, QObject* parent = nullptr);

    std::optional<VirtualDesktop> current() const override;
    QList<VirtualDesktop> desktops() const override;

private:
    void onEvent(const xcb_generic_event_t* event);
    void read();

    XcbConnection& connection_;
    xcb_atom_t numberAtom_ = XCB_NONE;
    xcb_atom_t namesAtom_ = XCB_NONE;
    QList<VirtualDesktop> desktops_;
    std::optional<int> current_; // index into desktops_
};

} // namespace corvane
