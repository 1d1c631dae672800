// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesTab.h"

#include <QCoreApplication>

namespace corvane {

QString preferencesTabTitle(PreferencesTab tab)
{
    switch (tab) {
    case PreferencesTab::general:
        return QCoreApplication::translate("PreferencesTab", "General");
    case PreferencesTab::keyboardShortcuts:
        return QCoreApplication::translate("PreferencesTab", "Keyboard Shortcuts");
    case PreferencesTab::layoutEditor:
        return QCoreApplication::translate("PreferencesTab", "Layout Editor");
    case PreferencesTab::feedback:
        return QCoreApplication::translate("PreferencesTab", "Feedback");
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
