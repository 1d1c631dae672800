// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PlatformWording.h"

#include <QCoreApplication>
#include <QSysInfo>

namespace corvane {
namespace {

#ifdef Q_OS_MACOS
constexpr bool isMac = true;
#else
constexpr bool isMac = false;
#endif

} // namespace

QString PlatformWording::launchAtLoginSubtitle()
{
    return isMac ? QStringLiteral("Automatically start Corvane when you log in to your Mac")
                 : QCoreApplication::translate("PlatformWording",
                                               "Automatically start Corvane when you log in");
}

QString PlatformWording::osVersionLine()
{
    return (isMac ? QStringLiteral("macOS Version: ") : QStringLiteral("OS Version: ")) +
           QSysInfo::prettyProductName();
}

QString PlatformWording::systemInformationExplanation()
{
    return isMac ? QStringLiteral("Helps us debug issues (macOS version, app version, screen "
                                  "configuration)")
                 : QCoreApplication::translate(
                       "PlatformWording", "Helps us debug issues (OS version, app version, screen "
                                          "configuration)");
}

QString PlatformWording::excludedApplicationsSubtitle()
{
    return isMac ? QStringLiteral("Windows of these applications never show the zones and are "
                                  "never snapped")
                 : QCoreApplication::translate(
                       "PlatformWording",
                       "Windows of these applications never show the zones and are "
                       "never snapped. An application is named by its window class, "
                       "either of the two names xprop WM_CLASS shows");
}

bool PlatformWording::hasAccessibilitySettingsPane()
{
    return isMac;
}

QUrl PlatformWording::accessibilitySettingsUrl()
{
    if (!hasAccessibilitySettingsPane())
        return {};
    return QUrl(QStringLiteral(
        "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"));
}

QString PlatformWording::reservedShortcutsTip()
{
    return isMac ? QStringLiteral("Some key combinations may be reserved by macOS or other "
                                  "applications")
                 : QCoreApplication::translate(
                       "PlatformWording",
                       "Some key combinations are reserved by the desktop or other "
                       "applications; a field marks a combination that is taken.");
}

QString PlatformWording::limitedReachWarning()
{
    return QCoreApplication::translate("PlatformWording",
                                       "Only X11 windows can be snapped in a Wayland session");
}

} // namespace corvane
