// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace corvane {

// The pages of the preferences window, in sidebar order.
enum class PreferencesTab { general, keyboardShortcuts, layoutEditor, feedback };

inline constexpr std::array allPreferencesTabs{
    PreferencesTab::general, PreferencesTab::keyboardShortcuts, PreferencesTab::layoutEditor,
    PreferencesTab::feedback};

QString preferencesTabTitle(PreferencesTab tab);
// The freedesktop name of the tab's icon (see SymbolIcons).
QString preferencesTabSymbol(PreferencesTab tab);

} // namespace corvane
