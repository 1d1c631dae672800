// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/VirtualDesktops.h"

class QJsonObject;

namespace corvane {

class GnomeShellBridge;

// GNOME's workspaces, as Corvane's extension reports them at its start and at each change. A
// workspace's id is its index, as on X11 (_NET_CURRENT_DESKTOP), so that choices made in
// GNOME's X11 session hold in its Wayland session too.
class GnomeVirtualDesktops : public VirtualDesktops {
    Q_OBJECT
public:
    explicit GnomeVirtualDesktops(GnomeShellBridge& bridge, QObject* parent = nullptr);

    std::optional<VirtualDesktop> current() const override;
    QList<VirtualDesktop> desktops() const override { return desktops_; }

private:
    void handleReport(const QJsonObject& report);

    QList<VirtualDesktop> desktops_;
    QString current_;
};

} // namespace corvane
