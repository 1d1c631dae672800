// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1StringView>

namespace corvane::SettingsKeys {

using namespace Qt::Literals::StringLiterals;

inline constexpr auto hasLaunchedBefore = "HasLaunchedBefore"_L1;
inline constexpr auto normalZoneColorRed = "normalZoneColorRed"_L1;
inline constexpr auto normalZoneColorGreen = "normalZoneColorGreen"_L1;
inline constexpr auto normalZoneColorBlue = "normalZoneColorBlue"_L1;
inline constexpr auto normalZoneColorAlpha = "normalZoneColorAlpha"_L1;
inline constexpr auto highlightZoneColorRed = "highlightZoneColorRed"_L1;
inline constexpr auto highlightZoneColorGreen = "highlightZoneColorGreen"_L1;
inline constexpr auto highlightZoneColorBlue = "highlightZoneColorBlue"_L1;
inline constexpr auto highlightZoneColorAlpha = "highlightZoneColorAlpha"_L1;
inline constexpr auto dragModifierKey = "dragModifierKey"_L1;
inline constexpr auto showLayoutPreview = "showLayoutPreview"_L1;
inline constexpr auto moveBetweenDisplays = "moveBetweenDisplays"_L1;
inline constexpr auto launchAtLogin = "launchAtLogin"_L1;
// Where the desktop tells no one which modifier keys are held: "everyMove" or "snapShortcut".
inline constexpr auto snapTrigger = "snapTrigger"_L1;
inline constexpr auto monitorLayoutPreferences = "MonitorLayoutPreferences"_L1;
inline constexpr auto customLayouts = "CustomLayouts"_L1;
// The choices per display and virtual desktop; a desktop without one uses the display's.
inline constexpr auto desktopLayoutPreferences = "DesktopLayoutPreferences"_L1;
inline constexpr auto layoutsPerDesktop = "layoutsPerDesktop"_L1;
// The layout keys given to built-in and template layouts, by layout id (custom layouts keep
// theirs with them).
inline constexpr auto layoutQuickKeys = "LayoutQuickKeys"_L1;
inline constexpr auto currentLayout = "currentLayout"_L1;
inline constexpr auto spaceAroundZones = "spaceAroundZones"_L1;
inline constexpr auto restoreSizeOnUnsnap = "restoreSizeOnUnsnap"_L1;
inline constexpr auto resizeNeighbours = "resizeNeighbours"_L1;
inline constexpr auto excludedApplications = "excludedApplications"_L1;
inline constexpr auto moveNewWindowsToLastZone = "moveNewWindowsToLastZone"_L1;
inline constexpr auto moveSnappedWindowsOnLayoutChange = "moveSnappedWindowsOnLayoutChange"_L1;
// The zone each application's windows were last snapped into (ApplicationZones).
inline constexpr auto applicationZones = "ApplicationZones"_L1;
inline constexpr auto spanZonesKey = "spanZonesKey"_L1;
// Followed by the shortcut's name.
inline constexpr auto keyboardShortcutPrefix = "KeyboardShortcuts_"_L1;

} // namespace corvane::SettingsKeys
