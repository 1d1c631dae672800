// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/VirtualDesktops.h"

#include <memory>

class QJsonObject;

namespace corvane {

// The virtual desktops a compositor's script reports at its start and at each change (KWin's
// desktops; GNOME's workspaces, whose ids are their indexes as on X11, so that choices made in
// GNOME's X11 session hold in its Wayland session too). The backend hands each report in.
class ReportedVirtualDesktops : public VirtualDesktops {
    Q_OBJECT
public:
    using VirtualDesktops::VirtualDesktops;

    // Desktops that take each report `source` emits through `reported`.
    template <typename Source, typename Signal>
    static std::unique_ptr<ReportedVirtualDesktops> following(Source* source, Signal reported)
    {
        auto desktops = std::make_unique<ReportedVirtualDesktops>();
        connect(source, reported, desktops.get(), &ReportedVirtualDesktops::handleReport);
        return desktops;
    }

    std::optional<VirtualDesktop> current() const override;
    QList<VirtualDesktop> desktops() const override { return desktops_; }

    // Takes one report: {"desktops": [{"id", "name"}, ...], "current": id}.
    void handleReport(const QJsonObject& report);

private:
    QList<VirtualDesktop> desktops_;
    QString current_;
};

} // namespace corvane
