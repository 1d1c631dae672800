// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusMenu.h"

#include "layouts/LayoutManager.h"
#include "logging/Logger.h"
#include "models/Layouts.h"
#include "overlay/ZoneManager.h"
#include "platform/KeyNames.h"
#include "platform/Platform.h"
#include "preferences/PlatformWording.h"
#include "settings/Settings.h"
#include "windows/DragKey.h"

#include <QActionGroup>
#include <QMenu>

namespace corvane {
namespace {

const QString warningSign = QStringLiteral("\u26A0\uFE0F ");

// Text of the user's (a layout's name, a monitor's name) as a menu item shows it: Qt reads a
// single "&" as the mark of a keyboard accelerator, so each one is doubled.
QString menuItemText(const QString& userText)
{
    QString text = userText;
    return text.replace(u'&', QStringLiteral("&&"));
}

// A heading as a disabled item after a separator: a tray menu exported over D-Bus drops the text
// of a menu section.
void addHeading(QMenu& menu, const QString& text)
{
    menu.addSeparator();
    menu.addAction(text)->setEnabled(false);
}

// What the warning item says, or none when all is well: a missing permission first, then
// windows that stay out of reach although the permission is there.
std::optional<QString> warningText()
{
    WindowSystem& windows = Platform::current().windowSystem();
    if (!windows.canMoveWindows())
        return warningSign + Platform::current().session().access().headline;
    if (!windows.reachesEveryWindow())
        return warningSign + PlatformWording::limitedReachWarning();
    return std::nullopt;
}

} // namespace

StatusMenu::StatusMenu(LayoutManager& layoutManager, Actions actions, QObject* parent)
    : QObject(parent), layoutManager_(layoutManager), actions_(std::move(actions))
{}

StatusMenu::~StatusMenu() = default;

QString StatusMenu::hintText()
{
    // Where the keys cannot be read (KDE Plasma on Wayland), the session's own gesture: a held
    // key would mean nothing there, and Shift-drag is KWin's own tiling.
    const WindowSystem& windows = Platform::current().windowSystem();
    if (!windows.tellsKeys()) {
        if (Settings::snapTrigger() == Settings::SnapTrigger::EveryMove)
            return tr("Drag a window to snap: zones show during every move");
        return tr("Press %1 while dragging a window to snap").arg(windows.snapShortcutText());
    }
    return tr("Hold %1 and drag window to snap").arg(KeyNames::modifierKey(DragKey::nameInUse()));
}

QString StatusMenu::displayTitle(const Display& display, int index, bool isMain)
{
    QString title = tr("Display %1: %2 (%3×%4)")
                        .arg(index + 1)
                        .arg(display.localizedName)
                        .arg(static_cast<qint64>(display.frame.width))
                        .arg(static_cast<qint64>(display.frame.height));
    if (isMain)
        title += tr(" (Primary)");
    return title;
}

QAction* StatusMenu::makeWarningItem(QMenu& menu, const QString& text)
{
    auto* item = new QAction(text, &menu);
    connect(item, &QAction::triggered, this, [this] {
        if (actions_.openAccessibilitySettings)
            actions_.openAccessibilitySettings();
    });
    return item;
}

void StatusMenu::updateMenu()
{
    auto menu = std::make_unique<QMenu>();

    QAction* hint = menu->addAction(hintText());
    hint->setEnabled(false);
    menu->addSeparator();

    if (const auto warning = warningText()) {
        accessibilityWarningItem_ = makeWarningItem(*menu, *warning);
        menu->addAction(accessibilityWarningItem_);
        accessibilityWarningSeparator_ = menu->addSeparator();
    } else {
        accessibilityWarningItem_.clear();
        accessibilityWarningSeparator_.clear();
    }

    addDisplayMenus(*menu);
    menu->addSeparator();

    // Text after a tab goes to the menu's shortcut column; a QAction shortcut would also be
    // grabbed by Qt, and the global one is Corvane's own.
    QString preferencesTitle = tr("Preferences…");
    if (actions_.preferencesShortcutText) {
        if (const auto text = actions_.preferencesShortcutText(); text && !text->isEmpty())
            preferencesTitle += u'\t' + *text;
    }
    connect(menu->addAction(preferencesTitle), &QAction::triggered, this, [this] {
        if (actions_.openPreferences)
            actions_.openPreferences();
    });
    connect(menu->addAction(tr("Layout Editor…")), &QAction::triggered, this, [this] {
        if (actions_.openLayoutEditor)
            actions_.openLayoutEditor();
    });
    connect(menu->addAction(tr("Send Feedback…")), &QAction::triggered, this, [this] {
        if (actions_.openFeedback)
            actions_.openFeedback();
    });
    connect(menu->addAction(tr("About Corvane")), &QAction::triggered, this, [this] {
        if (actions_.openAbout)
            actions_.openAbout();
    });
    menu->addSeparator();
    connect(menu->addAction(tr("Quit")), &QAction::triggered, this, [this] {
        if (actions_.quit)
            actions_.quit();
    });

    // The old menu may be the one whose action led here: let it finish before it goes.
    if (menu_)
        menu_.release()->deleteLater();
    menu_ = std::move(menu);
    emit menuReplaced(menu_.get());
}

void StatusMenu::addDisplayMenus(QMenu& menu)
{
    Displays& displays = Platform::current().displays();
    const DisplayList screens = displays.screens();
    const auto main = displays.mainScreen();
    for (int i = 0; i < screens.size(); ++i) {
        const Display& display = screens.at(i);
        const bool isMain = main && *main == display;
        QMenu* submenu = menu.addMenu(menuItemText(displayTitle(display, i, isMain)));
        submenu->setObjectName(QStringLiteral("Layouts"));
        // One exclusive choice; a display without a stored choice uses the fallback layout, and
        // the menu marks that one.
        auto* choice = new QActionGroup(submenu);
        choice->setExclusive(true);
        const ScreenLayout inUse =
            layoutManager_.layoutFor(display).value_or(LayoutManager::fallbackLayout());
        addLayoutItems(*submenu, *choice, display, inUse);
        // The marks are those of the desktop shown; the menu says which one that is.
        if (const auto desktop = LayoutManager::choiceDesktop())
            addHeading(*submenu, menuItemText(tr("Layouts for %1 only").arg(desktop->title())));
    }
}

QAction* StatusMenu::addLayoutItem(QMenu& submenu, QActionGroup& choice, const Display& display,
                                   const ScreenLayout& layout, const ScreenLayout& inUse)
{
    QAction* item = submenu.addAction(menuItemText(shownName(layout)));
    item->setCheckable(true);
    choice.addAction(item);
    item->setChecked(inUse.id == layout.id);
    connect(item, &QAction::triggered, this, [this, display, layout] {
        // Applied on the next turn of the event loop, after the menu has closed.
        QMetaObject::invokeMethod(
            this, [this, display, layout] { selectLayoutForDisplay(display, layout); },
            Qt::QueuedConnection);
    });
    return item;
}

void StatusMenu::addLayoutItems(QMenu& submenu, QActionGroup& choice, const Display& display,
                                const ScreenLayout& inUse)
{
    // The built-in layouts come first; only what the template file holds is a template.
    addLayoutItem(submenu, choice, display, noLayout(), inUse);
    addLayoutItem(submenu, choice, display, focusLayout(), inUse);
    if (!templateLayouts().isEmpty()) {
        addHeading(submenu, tr("Template Layouts"));
        for (const ScreenLayout& layout : templateLayouts())
            addLayoutItem(submenu, choice, display, layout, inUse);
    }
    const QList<ScreenLayout>& custom = layoutManager_.customLayouts();
    if (custom.isEmpty())
        return;
    addHeading(submenu, tr("Custom Layouts"));
    for (const ScreenLayout& layout : custom)
        addLayoutItem(submenu, choice, display, layout, inUse);
}

bool StatusMenu::selectLayoutForDisplay(const Display& display, const ScreenLayout& layout,
                                        const std::optional<VirtualDesktop>& desktop)
{
    // Saved first: a choice that is gone at the next start must not look made in this one.
    if (!layoutManager_.saveLayoutPreference(display, layout, desktop))
        return false;
    // A desktop not shown keeps the choice for when it is.
    if (desktop && desktop != LayoutManager::choiceDesktop()) {
        updateMenu();
        return true;
    }
    ZoneManager& windows = layoutManager_.zoneManager();
    if (Settings::showLayoutPreview())
        windows.showLayoutPreview(layout, display);
    windows.updateZones(layout.zones, display, false, false);
    updateMenu();

    const DisplayList screens = Platform::current().displays().screens();
    const int index = std::max<int>(0, static_cast<int>(screens.indexOf(display)));
    const auto main = Platform::current().displays().mainScreen();
    Logger::info(QStringLiteral("Applied layout '") + layout.name +
                 QStringLiteral("' to display '") +
                 displayTitle(display, index, main && *main == display) + u'\'');
    return true;
}

void StatusMenu::updateAccessibilityWarning()
{
    if (!menu_)
        return;
    const auto warning = warningText();
    if (accessibilityWarningItem_ && warning) {
        accessibilityWarningItem_->setText(*warning);
    } else if (accessibilityWarningItem_) {
        menu_->removeAction(accessibilityWarningItem_);
        delete accessibilityWarningItem_.data();
        if (accessibilityWarningSeparator_) {
            menu_->removeAction(accessibilityWarningSeparator_);
            delete accessibilityWarningSeparator_.data();
        }
        accessibilityWarningItem_.clear();
        accessibilityWarningSeparator_.clear();
    } else if (warning) {
        const QList<QAction*> items = menu_->actions();
        QAction* before = items.size() > 2 ? items.at(2) : nullptr;
        accessibilityWarningItem_ = makeWarningItem(*menu_, *warning);
        menu_->insertAction(before, accessibilityWarningItem_);
        auto* separator = new QAction(menu_.get());
        separator->setSeparator(true);
        menu_->insertAction(before, separator);
        accessibilityWarningSeparator_ = separator;
    }
}

} // namespace corvane
