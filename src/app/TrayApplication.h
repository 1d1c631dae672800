// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ScriptCommand.h"
#include "logging/LogLevel.h"
#include "platform/Display.h"
#include "preferences/PreferencesTab.h"
#include "windows/ActiveWindowSnapper.h"
#include "windows/WindowArranger.h"

#include <QList>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class QSystemTrayIcon;
class QTimer;

namespace corvane {

class AboutDialog;
class DragDropHandler;
class NewWindowPlacer;
class PreferencesWindow;
class ScriptingBus;
class ScriptingCommands;
class StatusMenu;
class ZoneManager;

// The delays of start-up and of the watchers, in milliseconds.
struct AppTiming {
    int servicesDelay = 100;
    int firstLaunchDelay = 1000;
    int permissionInterval = 3000;
    int displayChangeDelay = 500;
    int wakeDelay = 1000;
};

// Brings the application up in order, keeps the status item, the drag handler, the keyboard
// snapper and the preferences window for the life of the process, and follows display, permission
// and custom-layout changes.
class TrayApplication : public QObject {
    Q_OBJECT
public:
    using Timing = AppTiming;

    explicit TrayApplication(std::optional<LogLevel> logLevel = std::nullopt,
                             Timing timing = Timing(), QObject* parent = nullptr);
    ~TrayApplication() override;

    void applicationDidFinishLaunching();

    void openPreferences();
    void openLayoutEditor();
    void openFeedback();
    void openAbout();
    void openSystemAccessibilitySettings();
    void syncZoneColors();
    void updateMenu();
    void updateAccessibilityWarning();
    // Snaps the active window as its shortcuts do; refused until the services are up.
    ActiveWindowSnapper::Outcome snapActiveWindow(const ZoneRequest& request);
    // Every window of the display into its zones; none until the services are up.
    std::optional<WindowArranger::Outcome> snapAllWindows(const Display& display);
    // The layout keys: the layout holding the key (1 to 9), or the one `step` places from the
    // layout in use, on the display under the pointer.
    void applyLayoutKey(int key);
    void stepLayout(int step);
    // Carries out a command from another start of corvane; one that comes before the services
    // are up waits for them.
    void runCommand(const ScriptCommand& command, std::function<void(const ScriptReply&)> reply);

    QSystemTrayIcon* statusItem() const { return statusItem_.get(); }
    StatusMenu& statusMenu() const { return *statusMenu_; }
    DragDropHandler* dragDropHandler() const { return dragDropHandler_.get(); }
    PreferencesWindow* preferencesWindow() const { return preferencesWindow_.get(); }
    // The last notice shown from the tray (empty when none was), for what the user was told:
    // why a drag snapped nothing, or that settings could not be saved.
    QString lastNotice() const { return lastNotice_; }

signals:
    // After the delayed part of start-up has run (drag handler and layouts in place).
    void servicesReady();

private:
    void setupStatusItem();
    void setupMonitorChangeDetection();
    // Records whether the overlays are translucent or cut to their zones, and each change.
    void reportCompositing();
    void setupServices();
    void setupAccessibility();
    void setupSnapShortcuts();
    void followVirtualDesktops();
    std::optional<Display> displayUnderPointer() const;
    void setupScripting();
    void checkFirstLaunch();
    // Says once a run why a drag with the snap modifier held snapped nothing.
    void explainUnmovedDrag();
    // Says once a run that the window manager keeps a snapped window out of its zone, and why.
    void explainKeptOut(const QString& reason);
    // Tells from the tray that settings could not be saved, unless the preferences window,
    // which says it itself, is open.
    void noteUnsavedSettings(const QString& reason);
    void showPreferences(PreferencesTab tab, bool fresh);
    std::optional<QString> preferencesShortcutText() const;

    std::optional<LogLevel> logLevel_;
    Timing timing_;
    ZoneManager& zoneManager_;
    std::unique_ptr<QSystemTrayIcon> statusItem_;
    std::unique_ptr<StatusMenu> statusMenu_;
    std::unique_ptr<DragDropHandler> dragDropHandler_;
    std::unique_ptr<ActiveWindowSnapper> activeWindowSnapper_;
    std::unique_ptr<WindowArranger> windowArranger_;
    std::unique_ptr<NewWindowPlacer> newWindowPlacer_;
    std::unique_ptr<PreferencesWindow> preferencesWindow_;
    std::unique_ptr<AboutDialog> aboutDialog_;
    std::unique_ptr<QTimer> permissionTimer_;
    bool unmovedDragExplained_ = false;
    bool keptOutExplained_ = false;
    QString lastNotice_;
    std::unique_ptr<ScriptingCommands> scriptingCommands_;
    std::unique_ptr<ScriptingBus> scriptingBus_;
    // Commands that came before the services were up.
    QList<std::pair<ScriptCommand, std::function<void(const ScriptReply&)>>> waitingCommands_;
};

} // namespace corvane
