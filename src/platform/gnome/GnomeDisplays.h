// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Displays.h"

namespace corvane {

class GnomeShellBridge;

// GNOME Shell's monitors, the primary one first, with their work areas (the top bar and other
// struts left out), as Corvane's extension reports them. The connector and the maker's names
// come from mutter's display configuration and identify a display across launches.
class GnomeDisplays : public Displays {
    Q_OBJECT
public:
    explicit GnomeDisplays(GnomeShellBridge& bridge, QObject* parent = nullptr);

    DisplayList screens() const override { return displays_; }
    std::optional<Display> mainScreen() const override;

private:
    void refresh();

    GnomeShellBridge& bridge_;
    DisplayList displays_;
};

} // namespace corvane
