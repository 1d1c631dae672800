// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/ScreenLayout.h"
#include "platform/Display.h"
#include "platform/VirtualDesktops.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;

namespace corvane {

class LayoutManager;

// The status menu: how to snap, the permission warning, a layout submenu per display, and the
// ways into the preferences. Rebuilt from scratch whenever something it shows may have changed.
class StatusMenu : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> openPreferences;
        std::function<void()> openLayoutEditor;
        std::function<void()> openFeedback;
        std::function<void()> openAbout;
        std::function<void()> openAccessibilitySettings;
        std::function<void()> quit;
        // The display text of the preferences shortcut, when one is set.
        std::function<std::optional<QString>()> preferencesShortcutText;
    };

    StatusMenu(LayoutManager& layoutManager, Actions actions, QObject* parent = nullptr);
    ~StatusMenu() override;

    QMenu* menu() const { return menu_.get(); }
    // Builds a new menu and installs it (menuReplaced).
    void updateMenu();
    // Adds the warning at index 2 and its separator at 3, or removes both, or changes what it
    // says, without a rebuild.
    void updateAccessibilityWarning();
    // Applies a layout chosen from the menu: stored choice, preview, zones, rebuild. False when
    // the choice could not be saved: then nothing changes (the settings store has announced
    // why, and Settings::lastWriteFailure() says it). With a desktop given, the choice is that
    // desktop's; shown at once only if it is the desktop shown.
    bool selectLayoutForDisplay(const Display& display, const ScreenLayout& layout,
                                const std::optional<VirtualDesktop>& desktop = {});

    static QString displayTitle(const Display& display, int index, bool isMain);
    static QString hintText();

signals:
    void menuReplaced(QMenu* menu);

private:
    QAction* makeWarningItem(QMenu& menu, const QString& text);
    void addDisplayMenus(QMenu& menu);
    void addLayoutItems(QMenu& submenu, QActionGroup& choice, const Display& display,
                        const ScreenLayout& inUse);
    QAction* addLayoutItem(QMenu& submenu, QActionGroup& choice, const Display& display,
                           const ScreenLayout& layout, const ScreenLayout& inUse);

    LayoutManager& layoutManager_;
    Actions actions_;
    std::unique_ptr<QMenu> menu_;
    QPointer<QAction> accessibilityWarningItem_;
    QPointer<QAction> accessibilityWarningSeparator_;
};

} // namespace corvane
