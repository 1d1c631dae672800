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
        return QStringLiteral("gearshape");
    case PreferencesTab::keyboardShortcuts:
        return QStringLiteral("keyboard");
    case PreferencesTab::layoutEditor:
        return QStringLiteral("rectangle.3.group");
    case PreferencesTab::feedback:
        return QStringLiteral("envelope");
    }
    return {};
}

} // namespace corvane
