// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TrayApplication.h"

#include "app/AboutDialog.h"
#include "app/AppIcon.h"
#include "app/ScriptingBus.h"
#include "app/ScriptingCommands.h"
#include "app/StatusMenu.h"
#include "editor/LayoutEditorView.h"
#include "layouts/LayoutKeys.h"
#include "layouts/LayoutManager.h"
#include "logging/Logger.h"
#include "overlay/ZoneManager.h"
#include "platform/KeyNames.h"
#include "platform/Platform.h"
#include "preferences/PlatformWording.h"
#include "preferences/PreferencesView.h"
#include "preferences/PreferencesWindow.h"
#include "preferences/WindowManagerAdvice.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "shortcuts/KeyboardShortcuts.h"
#include "windows/ActiveWindowSnapper.h"
#include "windows/DragDropHandler.h"
#include "windows/DragKey.h"
#include "windows/NewWindowPlacer.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace corvane {
namespace {

// Where no tray shows Corvane's icon (GNOME Shell has none of its own), the desktop's
// notification service carries the message.
void notifyDesktop(const QString& title, const QString& text)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call.setArguments({QStringLiteral("Corvane"), 0u, QStringLiteral("app.corvane.Corvane"), title,
                       text, QStringList(), QVariantMap(), -1});
    QDBusConnection::sessionBus().asyncCall(call);
}

} // namespace

TrayApplication::TrayApplication(std::optional<LogLevel> logLevel, Timing timing, QObject* parent)
    : QObject(parent), logLevel_(logLevel), timing_(timing), zoneManager_(ZoneManager::shared()),
      scriptingCommands_(std::make_unique<ScriptingCommands>(*this))
{}

TrayApplication::~TrayApplication() = default;

void TrayApplication::applicationDidFinishLaunching()
{
    // A normal run records nothing; --log-level switches recording on for troubleshooting.
    Logger::minimumLogLevel = LogLevel::Error;
    Logger::isLoggingActive = false;
    if (logLevel_) {
        Logger::minimumLogLevel = *logLevel_;
        Logger::isLoggingActive = true;
    }

    setupStatusItem();
    QTimer::singleShot(timing_.servicesDelay, this, &TrayApplication::setupServices);
}

void TrayApplication::setupStatusItem()
{
    statusMenu_ = std::make_unique<StatusMenu>(
        LayoutManager::shared(),
        StatusMenu::Actions{
            .openPreferences = [this] { openPreferences(); },
            .openLayoutEditor = [this] { openLayoutEditor(); },
            .openFeedback = [this] { openFeedback(); },
            .openAbout = [this] { openAbout(); },
            .openAccessibilitySettings = [this] { openSystemAccessibilitySettings(); },
            .quit = [] { QCoreApplication::quit(); },
            .preferencesShortcutText = [this] { return preferencesShortcutText(); }});

    QApplication::setWindowIcon(appIcon());
    statusItem_ = std::make_unique<QSystemTrayIcon>(trayIcon());
    statusItem_->setToolTip(tr("Corvane", "the tray icon's tooltip: the application's name"));
    connect(statusMenu_.get(), &StatusMenu::menuReplaced, this,
            [this](QMenu* menu) { statusItem_->setContextMenu(menu); });
    // A left click opens the menu as well, as a status item does.
    connect(statusItem_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger && statusMenu_->menu())
                    statusMenu_->menu()->popup(QCursor::pos());
            });
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fprintf(stderr, "Corvane: %s\n",
                     qPrintable(tr("no system tray was found; Corvane keeps running and its "
                                   "preferences open with the global shortcut or by starting "
                                   "corvane again.")));
    }
    statusItem_->show();

    // The facility outlives this delegate: its handler holds the delegate weakly.
    KeyboardShortcuts::shared().onKeyDown(
        KeyboardShortcuts::Name::openPreferences(), [self = QPointer<TrayApplication>(this)] {
            if (self)
                QMetaObject::invokeMethod(
                    self, [self] { self->openPreferences(); }, Qt::QueuedConnection);
        });
    // The menu shows the shortcut; follow changes made in the preferences.
    connect(&Notifications::shared(), &Notifications::shortcutByNameDidChange, this,
            [this] { updateMenu(); });
    // The hint names the snap modifier; a new one must not wait for another rebuild.
    connect(&Notifications::shared(), &Notifications::dragModifierKeyChanged, this,
            [this] { updateMenu(); });
    // Whatever path a change came by (the menu, a script, the keyboard), one that did not reach
    // the file is said where the user looks. Queued here from other threads.
    connect(&Notifications::shared(), &Notifications::settingsWriteFailed, this,
            &TrayApplication::noteUnsavedSettings);
    connect(&Notifications::shared(), &Notifications::windowKeptOutOfZone, this,
            &TrayApplication::explainKeptOut);
    // A folder the user made read-only is left so; said once, since nothing is written at a
    // plain start.
    if (const auto obstacle = Settings::cannotBeSaved()) {
        Logger::fault(QStringLiteral("Settings cannot be saved: ") + *obstacle, LogCategory::App);
        QMetaObject::invokeMethod(
            this, [this, reason = *obstacle] { noteUnsavedSettings(reason); },
            Qt::QueuedConnection);
    }

    setupMonitorChangeDetection();
    reportCompositing();
    QMetaObject::invokeMethod(
        this, [this] { updateMenu(); }, Qt::QueuedConnection);
}

void TrayApplication::setupMonitorChangeDetection()
{
    Logger::info(QStringLiteral("Setting up monitor change detection"));
    Displays& displays = Platform::current().displays();
    connect(&displays, &Displays::screenParametersChanged, this, [this] {
        Logger::info(QStringLiteral("Display configuration changed - refreshing menu"));
        QTimer::singleShot(timing_.displayChangeDelay, this, [this] {
            // A display that appears gets the layout it had before, not an empty table entry.
            if (dragDropHandler_)
                LayoutManager::shared().applySavedLayouts();
            updateMenu();
        });
    });
    connect(&displays, &Displays::screensDidWake, this, [this] {
        Logger::info(QStringLiteral("Screens woke up - refreshing menu"));
        QTimer::singleShot(timing_.wakeDelay, this, [this] { updateMenu(); });
    });
    connect(&displays, &Displays::screensDidSleep, this, [] {
        Logger::info(QStringLiteral("Screens went to sleep - will refresh menu on wake"));
    });
}

void TrayApplication::reportCompositing()
{
    Compositing& compositing = Platform::current().compositing();
    Logger::info(compositing.isActive()
                     ? QStringLiteral("A compositing manager runs: overlays are translucent")
                     : QStringLiteral("No compositing manager runs: overlays are cut to their "
                                      "zones"),
                 LogCategory::Overlay);
    connect(&compositing, &Compositing::activeChanged, this, [](bool active) {
        Logger::info(active ? QStringLiteral("A compositing manager started: overlays are "
                                             "translucent")
                            : QStringLiteral("The compositing manager stopped: overlays are cut "
                                             "to their zones"),
                     LogCategory::Overlay);
    });
}

void TrayApplication::setupServices()
{
    setupAccessibility();
    dragDropHandler_ = std::make_unique<DragDropHandler>(zoneManager_);
    connect(dragDropHandler_.get(), &DragDropHandler::modifierDragMovedNoWindow, this,
            &TrayApplication::explainUnmovedDrag);
    activeWindowSnapper_ = std::make_unique<ActiveWindowSnapper>(zoneManager_);
    windowArranger_ = std::make_unique<WindowArranger>(zoneManager_);
    newWindowPlacer_ = std::make_unique<NewWindowPlacer>(zoneManager_);
    setupSnapShortcuts();
    followVirtualDesktops();
    QMetaObject::invokeMethod(
        this, [] { LayoutManager::shared().applySavedLayouts(); }, Qt::QueuedConnection);
    checkFirstLaunch();
    connect(&Notifications::shared(), &Notifications::customLayoutsChanged, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { updateMenu(); }, Qt::QueuedConnection);
    });
    syncZoneColors();
    permissionTimer_ = std::make_unique<QTimer>();
    permissionTimer_->setInterval(timing_.permissionInterval);
    connect(permissionTimer_.get(), &QTimer::timeout, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { updateAccessibilityWarning(); }, Qt::QueuedConnection);
    });
    permissionTimer_->start();
    setupScripting();
    emit servicesReady();
}

void TrayApplication::setupScripting()
{
    scriptingBus_ = ScriptingBus::publish(*scriptingCommands_);
    // After the saved layouts have been applied (queued above): a command waiting for start-up
    // snaps to the zones the displays show.
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (auto& [command, reply] : std::exchange(waitingCommands_, {}))
                reply(scriptingCommands_->run(command));
        },
        Qt::QueuedConnection);
}

void TrayApplication::runCommand(const ScriptCommand& command,
                                 std::function<void(const ScriptReply&)> reply)
{
    if (activeWindowSnapper_ && waitingCommands_.isEmpty())
        reply(scriptingCommands_->run(command));
    else
        waitingCommands_.append({command, std::move(reply)});
}

void TrayApplication::setupSnapShortcuts()
{
    using Name = KeyboardShortcuts::Name;
    QList<std::pair<Name, ZoneRequest>> actions{
        {Name::moveWindowToNextZone(), {ZoneRequest::Kind::Next, 0}},
        {Name::moveWindowToPreviousZone(), {ZoneRequest::Kind::Previous, 0}},
        {Name::moveWindowUp(), {ZoneRequest::Kind::Up, 0}},
        {Name::moveWindowDown(), {ZoneRequest::Kind::Down, 0}}};
    for (int number = 1; number <= 9; ++number)
        actions.append({Name::moveWindowToZone(number), {ZoneRequest::Kind::Number, number}});
    // The facility outlives this delegate: its handlers hold the delegate weakly.
    const auto onKey = [this](const Name& name, std::function<void(TrayApplication&)> action) {
        KeyboardShortcuts::shared().onKeyDown(
            name, [self = QPointer<TrayApplication>(this), action] {
                if (self)
                    QMetaObject::invokeMethod(
                        self, [self, action] { action(*self); }, Qt::QueuedConnection);
            });
    };
    for (const auto& [name, request] : std::as_const(actions))
        onKey(name, [request](TrayApplication& app) { app.snapActiveWindow(request); });
    onKey(Name::activateNextWindowInZone(), [](TrayApplication& app) {
        if (app.activeWindowSnapper_)
            app.activeWindowSnapper_->activateWindowSharingZone(1);
    });
    onKey(Name::activatePreviousWindowInZone(), [](TrayApplication& app) {
        if (app.activeWindowSnapper_)
            app.activeWindowSnapper_->activateWindowSharingZone(-1);
    });
    onKey(Name::snapAllWindows(), [](TrayApplication& app) {
        if (const auto display = app.displayUnderPointer())
            app.snapAllWindows(*display);
    });
    for (int key = 1; key <= LayoutKeys::keyCount; ++key)
        onKey(Name::applyLayout(key), [key](TrayApplication& app) { app.applyLayoutKey(key); });
    onKey(Name::applyNextLayout(), [](TrayApplication& app) { app.stepLayout(1); });
    onKey(Name::applyPreviousLayout(), [](TrayApplication& app) { app.stepLayout(-1); });
    onKey(Name::openLayoutEditor(), [](TrayApplication& app) { app.openLayoutEditor(); });
}

std::optional<Display> TrayApplication::displayUnderPointer() const
{
    return screenContainingPoint(Platform::current().windowSystem().pointer(),
                                 Platform::current().displays().screens());
}

void TrayApplication::applyLayoutKey(int key)
{
    const auto display = displayUnderPointer();
    const auto layout = LayoutKeys(LayoutManager::shared()).layoutForKey(key);
    if (!display || !layout) {
        Logger::info(QStringLiteral("Layout key %1: %2")
                         .arg(key)
                         .arg(display ? QStringLiteral("no layout has it")
                                      : QStringLiteral("the pointer is on no display")),
                     LogCategory::Layout);
        return;
    }
    statusMenu_->selectLayoutForDisplay(*display, *layout);
}

void TrayApplication::stepLayout(int step)
{
    const auto display = displayUnderPointer();
    if (!display)
        return;
    LayoutManager& layouts = LayoutManager::shared();
    const ScreenLayout inUse =
        layouts.layoutFor(*display).value_or(LayoutManager::fallbackLayout());
    statusMenu_->selectLayoutForDisplay(*display, LayoutKeys(layouts).stepFrom(inUse, step));
}

void TrayApplication::followVirtualDesktops()
{
    // Overlays, keyboard snaps and the menu's marks go with the desktop shown, at once.
    const auto refresh = [this] {
        if (const auto shown = Platform::current().virtualDesktops().current())
            Logger::info(
                QStringLiteral("Desktop shown: %1 (%2)").arg(shown->number).arg(shown->title()),
                LogCategory::Layout);
        LayoutManager::shared().showCurrentDesktopLayouts();
        updateMenu();
    };
    VirtualDesktops& desktops = Platform::current().virtualDesktops();
    connect(&desktops, &VirtualDesktops::currentDesktopChanged, this, refresh);
    connect(&desktops, &VirtualDesktops::desktopsChanged, this, [this] { updateMenu(); });
    connect(&Notifications::shared(), &Notifications::layoutsPerDesktopChanged, this, refresh);
}

ActiveWindowSnapper::Outcome TrayApplication::snapActiveWindow(const ZoneRequest& request)
{
    if (!activeWindowSnapper_)
        return {false, tr("Corvane is still starting")};
    return activeWindowSnapper_->snapActiveWindow(request);
}

std::optional<WindowArranger::Outcome> TrayApplication::snapAllWindows(const Display& display)
{
    if (!windowArranger_)
        return std::nullopt;
    return windowArranger_->snapAll(display);
}

void TrayApplication::setupAccessibility()
{
    const SessionAccess access = Platform::current().session().access();
    const QString line = access.headline + QStringLiteral(": ") + access.detail;
    if (access.windowsReachable)
        Logger::info(line);
    else
        Logger::warning(line);
    if (!Platform::current().windowSystem().reachesEveryWindow())
        Logger::warning(PlatformWording::limitedReachWarning(), LogCategory::App);
    // What the user can do about it (on GNOME: log out and in, once the extension is installed)
    // is said once as a notification; the menu's warning item keeps the headline.
    if (!access.windowsReachable && !access.remedy.isEmpty()) {
        lastNotice_ = access.detail + u' ' + access.remedy;
        Logger::warning(QStringLiteral("Told the user what to do about it"), LogCategory::App);
        if (statusItem_ && QSystemTrayIcon::isSystemTrayAvailable() &&
            QSystemTrayIcon::supportsMessages())
            statusItem_->showMessage(access.headline, lastNotice_, QSystemTrayIcon::Warning, 15000);
        else
            notifyDesktop(access.headline, lastNotice_);
    }
}

void TrayApplication::explainUnmovedDrag()
{
    // Once a run: the General page says it for good, a notice at every drag would nag.
    if (unmovedDragExplained_)
        return;
    unmovedDragExplained_ = true;
    const WindowManagerInfo wm = Platform::current().session().windowManager();
    const WindowManagerAdvice advice = WindowManagerAdvice::forSession(wm, DragKey::nameInUse());
    QString text = tr("The window did not move while %1 was held, so it could not be snapped.")
                       .arg(KeyNames::modifierKey(DragKey::nameInUse()));
    text += u' ';
    text += advice.suggestedKey.isEmpty()
                ? tr("Choose the key your window manager moves windows with in "
                     "Preferences → General.")
                : tr("%1 moves windows with %2 held: choose %2 in Preferences → General.")
                      .arg(wm.name, KeyNames::modifierKey(advice.suggestedKey));
    lastNotice_ = text;
    if (statusItem_ && QSystemTrayIcon::supportsMessages())
        statusItem_->showMessage(tr("Nothing was snapped"), text, QSystemTrayIcon::Information,
                                 10000);
}

void TrayApplication::explainKeptOut(const QString& reason)
{
    if (keptOutExplained_)
        return;
    keptOutExplained_ = true;
    const QString wm = Platform::current().session().windowManager().name;
    QString text = wm.isEmpty()
                       ? tr("The window manager put the window outside its zone and "
                            "keeps it there.")
                       : tr("%1 put the window outside its zone and keeps it there.").arg(wm);
    text += u' ';
    text += reason.isEmpty() ? tr("It keeps windows out of that part of the display.") : reason;
    lastNotice_ = text;
    if (statusItem_ && QSystemTrayIcon::supportsMessages())
        statusItem_->showMessage(tr("Window Not in Its Zone"), text, QSystemTrayIcon::Warning,
                                 15000);
}

void TrayApplication::noteUnsavedSettings(const QString& reason)
{
    if (preferencesWindow_ && preferencesWindow_->isVisible())
        return;
    lastNotice_ = tr("Corvane cannot save its settings to %1: %2. Changes made now are lost "
                     "when Corvane quits.")
                      .arg(Settings::fileName(), reason);
    if (statusItem_ && QSystemTrayIcon::supportsMessages())
        statusItem_->showMessage(tr("Settings Not Saved"), lastNotice_, QSystemTrayIcon::Warning,
                                 10000);
}

void TrayApplication::checkFirstLaunch()
{
    if (Settings::hasLaunchedBefore())
        return;
    Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
    // The General page opens now and names the window manager's move key; the log says it too.
    const WindowManagerAdvice advice = WindowManagerAdvice::forSession(
        Platform::current().session().windowManager(), DragKey::nameInUse());
    Logger::info(advice.title, LogCategory::App);
    // A first snap should work: where the default key cannot start one under this window
    // manager, start with the key the General page would advise. A key the user chose stays.
    const auto suggested = DragKey::fromName(advice.suggestedKey);
    if (advice.chosenKeyFails && suggested && suggested->canBeFollowed() &&
        !Settings::contains(SettingsKeys::dragModifierKey)) {
        Settings::setValue(SettingsKeys::dragModifierKey, advice.suggestedKey);
        Logger::info(QStringLiteral("Snap modifier for this window manager: ") +
                         KeyNames::modifierKey(advice.suggestedKey),
                     LogCategory::App);
        emit Notifications::shared().dragModifierKeyChanged(advice.suggestedKey);
    }
    QTimer::singleShot(timing_.firstLaunchDelay, this, [this] { openPreferences(); });
}

void TrayApplication::syncZoneColors()
{
    const ZoneColors colors = Settings::zoneColors();
    zoneManager_.updateZoneColors(colors.normal, colors.highlight);
}

std::optional<QString> TrayApplication::preferencesShortcutText() const
{
    const auto shortcut =
        KeyboardShortcuts::shared().shortcut(KeyboardShortcuts::Name::openPreferences());
    if (!shortcut)
        return std::nullopt;
    return shortcut->displayText();
}

void TrayApplication::updateMenu()
{
    if (statusMenu_)
        statusMenu_->updateMenu();
}

void TrayApplication::updateAccessibilityWarning()
{
    if (statusMenu_)
        statusMenu_->updateAccessibilityWarning();
}

void TrayApplication::showPreferences(PreferencesTab tab, bool fresh)
{
    if (fresh)
        preferencesWindow_.reset();
    if (!preferencesWindow_) {
        preferencesWindow_ = std::make_unique<PreferencesWindow>(tab);
        preferencesWindow_->view()->setPageFactory(PreferencesTab::layoutEditor, [] {
            return std::make_unique<LayoutEditorView>(LayoutManager::shared());
        });
    }
    preferencesWindow_->showAndActivate();
}

void TrayApplication::openPreferences()
{
    showPreferences(PreferencesTab::general, false);
}

void TrayApplication::openLayoutEditor()
{
    // The editor itself, on the display under the pointer: the custom layout in use there is
    // opened for editing, else a new layout is started. The gallery stays behind it.
    showPreferences(PreferencesTab::layoutEditor, true);
    auto* gallery = qobject_cast<LayoutEditorView*>(
        preferencesWindow_->view()->page(PreferencesTab::layoutEditor));
    if (!gallery)
        return;
    if (const auto display = displayUnderPointer())
        gallery->setSelectedMonitor(*display);
    const auto& display = gallery->selectedMonitor();
    if (!display)
        return;
    LayoutManager& layouts = LayoutManager::shared();
    const auto inUse = layouts.layoutFor(*display);
    const bool custom =
        inUse && std::any_of(layouts.customLayouts().begin(), layouts.customLayouts().end(),
                             [&](const ScreenLayout& l) { return l.id == inUse->id; });
    Logger::info(QStringLiteral("Layout editor opened on display '%1'").arg(display->localizedName),
                 LogCategory::Layout);
    if (custom)
        gallery->editLayout(*inUse);
    else
        gallery->createNewLayout();
}

void TrayApplication::openFeedback()
{
    showPreferences(PreferencesTab::feedback, true);
}

void TrayApplication::openAbout()
{
    if (!aboutDialog_)
        aboutDialog_ = std::make_unique<AboutDialog>();
    aboutDialog_->show();
    aboutDialog_->raise();
    aboutDialog_->activateWindow();
}

void TrayApplication::openSystemAccessibilitySettings()
{
    // X11 has no permission pane: what Corvane needs (an X11 session) is explained on the
    // General page.
    openPreferences();
}

} // namespace corvane
