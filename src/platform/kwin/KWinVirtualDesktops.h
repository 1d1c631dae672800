// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/VirtualDesktops.h"

class QJsonObject;

namespace corvane {

class KWinBridge;

// KWin's virtual desktops, as the script loaded into KWin reports them at its start and at
// each change.
class KWinVirtualDesktops : public VirtualDesktops {
    Q_OBJECT
public:
    explicit KWinVirtualDesktops(KWinBridge& bridge, QObject* parent = nullptr);

    std::optional<VirtualDesktop> current() const override;
    QList<VirtualDesktop> desktops() const override { return desktops_; }

    // Takes one report of the script's; public for tests.
    void handleReport(const QJsonObject& report);

private:
    QList<VirtualDesktop> desktops_;
    QString current_;
};

} // namespace corvane
