// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace corvane {

// Texts of the preference pages that name something of the operating system. Each platform says
// it in its own words: macOS keeps the Mac wording, Linux names its equivalents.
class PlatformWording {
public:
    static QString launchAtLoginSubtitle();
    // "macOS Version: ..." or "OS Version: ...", with the system's human-readable name.
    static QString osVersionLine();
    static QString systemInformationExplanation();
    // Whether the system has a settings pane that grants the window access, and its address.
    static bool hasAccessibilitySettingsPane();
    static QUrl accessibilitySettingsUrl();
    static QString reservedShortcutsTip();
    // How the excluded applications are named on this platform.
    static QString excludedApplicationsSubtitle();
    // Why some windows cannot be snapped although the access is there: in a Wayland session the
    // X11 backend sees only the X11 windows.
    static QString limitedReachWarning();
};

} // namespace corvane
