// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesTab.h"

namespace corvane {

QString preferencesTabTitle(PreferencesTab tab)
{
    switch (tab) {
    case PreferencesTab::general:
        return QStringLiteral("General");
    case PreferencesTab::keyboardShortcuts:
        return QStringLiteral("Keyboard Shortcuts");
    case PreferencesTab::layoutEditor:
        return QStringLiteral("Layout Editor");
    case PreferencesTab::feedback:
        return QStringLiteral("Feedback");
    }
    return {};
}

QString preferencesTabSymbol(PreferencesTab tab)
{
    switch (tab) {
    case PreferencesTab::general:
        return QStringLiteral("preferences-system");
    case PreferencesTab::keyboardShortcuts:
        return QStringLiteral("input-keyboard");
    case PreferencesTab::layoutEditor:
        return QStringLiteral("view-split-left-right");
    case PreferencesTab::feedback:
        return QStringLiteral("mail-unread");
    }
    return {};
}

} // namespace corvane
