#pragma once

#include "platform/LoginItems.h"

namespace corvane {

// Launch at login as an XDG autostart entry, $XDG_CONFIG_HOME/autostart/corvane.desktop.
// The entry is Enabled while it exists and is not switched off (Hidden=true, or
// X-GNOME-Autostart-enabled=false, which desktops write when the user turns it off in their
// own startup settings); a switched-off entry needs the user's approval again, so it reads as
// RequiresApproval, and registering rewrites it switched on.
class X11LoginItems : public LoginItems {
public:
    LoginItemStatus status() const override;
    bool registerItem(QString* error = nullptr) override;
    bool unregisterItem(QString* error = nullptr) override;

    static QString entryPath();
    // The Exec line's value for a program path, quoted as the desktop entry format wants.
    static QString execValue(const QString& program);
};

} // namespace corvane
