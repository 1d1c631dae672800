// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Session.h"

namespace corvane {

class XcbConnection;

// The X11 session: whether the connection reaches the windows, whether this is really a Wayland
// session seen through XWayland, and which window manager runs, with its usual move binding.
class X11Session : public Session {
    Q_OBJECT
public:
    explicit X11Session(XcbConnection& connection, QObject* parent = nullptr);

    SessionAccess access() const override;
    // Read afresh each time: the user may replace the window manager while Corvane runs.
    WindowManagerInfo windowManager() const override;

    // The usual move binding of a window manager known by the name it announces (any case);
    // none of the fields set for one not known.
    static WindowManagerInfo bindingFor(const QString& name);

private:
    XcbConnection& connection_;
};

} // namespace corvane
