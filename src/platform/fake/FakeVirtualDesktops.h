// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/VirtualDesktops.h"

namespace corvane {

// Desktops a test sets and switches between; none until it sets some.
class FakeVirtualDesktops : public VirtualDesktops {
    Q_OBJECT
public:
    using VirtualDesktops::VirtualDesktops;

    std::optional<VirtualDesktop> current() const override;
    QList<VirtualDesktop> desktops() const override { return desktops_; }

    // `count` desktops with ids "0", "1", … and the names given; the first is shown.
    void setDesktops(int count, const QStringList& names = {});
    // Shows the desktop with this number (1 counts first).
    void switchTo(int number);

private:
    QList<VirtualDesktop> desktops_;
    int current_ = 0;
};

} // namespace corvane
