// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Compositing.h"

#include <xcb/xcb.h>

namespace corvane {

class XcbConnection;

// A compositing manager announces itself by owning the selection _NET_WM_CM_S<screen>. The
// owner is read once; after that XFixes reports every change of owner, so following it costs
// nothing while the desktop is idle. A server without XFixes gets the first answer only.
class X11Compositing : public Compositing {
    Q_OBJECT
public:
    explicit X11Compositing(XcbConnection& connection, QObject* parent = nullptr);

    bool isActive() const override { return active_; }

private:
    void onEvent(const xcb_generic_event_t* event);
    void setActive(bool active);

    XcbConnection& connection_;
    xcb_atom_t selection_ = XCB_NONE;
    bool active_ = false;
};

} // namespace corvane
