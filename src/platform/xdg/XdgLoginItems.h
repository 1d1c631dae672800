// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LoginItems.h"

namespace corvane {

// Launch at login as an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/app.corvane.Corvane.desktop: the name of the installed desktop entry,
// which is also the name a desktop's own startup settings give the entry when the user adds Corvane
// there, so the two switches are one entry. The entry is Enabled while it exists and is not
// switched off (Hidden=true, or X-GNOME-Autostart-enabled=false, which desktops write when the user
// turns it off in their own startup settings); a switched-off entry needs the user's approval
// again, so it reads as RequiresApproval, and registering rewrites it switched on.
class XdgLoginItems : public LoginItems {
public:
    LoginItemStatus status() const override;
    bool registerItem(QString* error = nullptr) override;
    bool unregisterItem(QString* error = nullptr) override;

    static QString entryPath();
    // The autostart entry that starts the program at <program>. An installed Corvane starts
    // through the Exec of its installed desktop entry (share/applications beside its bin
    // folder): the path its installation launches it by, which an update keeps. Run from
    // anywhere else, it starts <program> itself.
    static QString entryText(const QString& program);
    // The Exec line's value for a program path, quoted and escaped as the desktop entry
    // format wants.
    static QString execValue(const QString& program);
};

} // namespace corvane
