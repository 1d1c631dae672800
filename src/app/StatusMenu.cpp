#include "app/StatusMenu.h"

#include "logging/Logger.h"
#include "managers/LayoutManager.h"
#include "managers/ZoneManager.h"
#include "models/Layouts.h"
#include "platform/KeyNames.h"
#include "platform/Platform.h"
#include "preferences/PlatformWording.h"
#include "settings/Settings.h"
#include "windows/DragKey.h"

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

// What the warning item says, or none when all is well: a missing permission first, then
// windows that stay out of reach although the permission is there.
std::optional<QString> warningText()
{
    Accessibility& accessibility = Platform::current().accessibility();
    if (!accessibility.isProcessTrusted(false))
        return warningSign + Platform::current().session().access().headline;
    if (!accessibility.reachesEveryWindow())
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
    const InputMonitor& monitor = Platform::current().inputMonitor();
    if (!monitor.readsModifierKeys()) {
        if (Settings::snapTrigger() == Settings::SnapTrigger::EveryMove)
            return QStringLiteral("Drag a window to snap: zones show during every move");
        return QStringLiteral("Press %1 while dragging a window to snap")
            .arg(monitor.snapShortcutText());
    }
    // A stored key the desktop cannot follow leaves the drag on Shift; the hint says so.
    const QString stored = Settings::dragModifierKey();
    const auto dragKey = DragKey::fromName(stored);
    const QString key = dragKey && dragKey->canBeFollowed() ? stored : QStringLiteral("shift");
    return QStringLiteral("Hold ") + KeyNames::modifierKey(key) +
           QStringLiteral(" and drag window to snap");
}

QString StatusMenu::displayTitle(const Display& display, int index, bool isMain)
{
    QString title = QStringLiteral("Display %1: %2 (%3\u00D7%4)")
                        .arg(index + 1)
                        .arg(display.localizedName)
                        .arg(static_cast<qint64>(display.frame.width))
                        .arg(static_cast<qint64>(display.frame.height));
    if (isMain)
        title += QStringLiteral(" (Main)");
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

    QString preferencesTitle = QStringLiteral("Preferences");
    if (actions_.preferencesShortcutText) {
        if (const auto text = actions_.preferencesShortcutText(); text && !text->isEmpty())
            preferencesTitle += QStringLiteral(" (") + *text + u')';
    }
    connect(menu->addAction(preferencesTitle), &QAction::triggered, this, [this] {
        if (actions_.openPreferences)
            actions_.openPreferences();
    });
    connect(menu->addAction(QStringLiteral("Layout Editor")), &QAction::triggered, this, [this] {
        if (actions_.openLayoutEditor)
            actions_.openLayoutEditor();
    });
    connect(menu->addAction(QStringLiteral("Send Feedback")), &QAction::triggered, this, [this] {
        if (actions_.openFeedback)
            actions_.openFeedback();
    });
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Quit")), &QAction::triggered, this, [this] {
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
        const auto chosen = layoutManager_.layoutFor(display);
        addLayoutItem(*submenu, display, noLayout(), chosen);
        addLayoutItems(*submenu, display, chosen);
    }
}

QAction* StatusMenu::addLayoutItem(QMenu& submenu, const Display& display,
                                   const ScreenLayout& layout,
                                   const std::optional<ScreenLayout>& chosen)
{
    QAction* item = submenu.addAction(menuItemText(layout.name));
    item->setCheckable(true);
    item->setChecked(chosen && chosen->id == layout.id);
    connect(item, &QAction::triggered, this, [this, display, layout] {
        // Applied on the next turn of the event loop, after the menu has closed.
        QMetaObject::invokeMethod(
            this, [this, display, layout] { selectLayoutForDisplay(display, layout); },
            Qt::QueuedConnection);
    });
    return item;
}

void StatusMenu::addLayoutItems(QMenu& submenu, const Display& display,
                                const std::optional<ScreenLayout>& chosen)
{
    submenu.addSeparator();
    submenu.addAction(QStringLiteral("Template Layouts"))->setEnabled(false);
    for (const ScreenLayout& layout : allLayouts()) {
        if (layout.id == noLayout().id)
            continue;
        addLayoutItem(submenu, display, layout, chosen);
    }
    const QList<ScreenLayout>& custom = layoutManager_.customLayouts();
    if (custom.isEmpty())
        return;
    submenu.addSeparator();
    submenu.addAction(QStringLiteral("Custom Layouts"))->setEnabled(false);
    for (const ScreenLayout& layout : custom)
        addLayoutItem(submenu, display, layout, chosen);
}

void StatusMenu::selectLayoutForDisplay(const Display& display, const ScreenLayout& layout)
{
    ZoneManager& windows = layoutManager_.zoneManager();
    if (Settings::showLayoutPreview())
        windows.showLayoutPreview(layout, display);
    windows.updateZones(layout.zones, display, false, false);
    layoutManager_.saveLayoutPreference(display, layout);
    layoutManager_.saveCurrentLayout();
    updateMenu();

    const DisplayList screens = Platform::current().displays().screens();
    const int index = std::max<int>(0, static_cast<int>(screens.indexOf(display)));
    const auto main = Platform::current().displays().mainScreen();
    Logger::info(QStringLiteral("Applied layout '") + layout.name +
                 QStringLiteral("' to display '") +
                 displayTitle(display, index, main && *main == display) + u'\'');
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
