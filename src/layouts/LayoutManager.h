// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/DesktopLayoutChoices.h"
#include "models/LayoutJson.h"
#include "models/MonitorLayoutPreference.h"
#include "models/ScreenLayout.h"
#include "platform/Display.h"
#include "platform/VirtualDesktops.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

namespace corvane {

class ZoneManager;

// The displays whose stored choice is one layout: the names of those connected now, and how
// many others are not.
struct LayoutUsers {
    QStringList connectedDisplays;
    int otherDisplays = 0;

    bool isEmpty() const { return connectedDisplays.isEmpty() && otherDisplays == 0; }
};

// The one store of what changes at run time about layouts: custom layouts and the layout chosen
// for each display (and desktop). Views follow its change signals; the editing session of the
// layout editor is editor/LayoutEditingSession.
class LayoutManager : public QObject {
    Q_OBJECT
public:
    static constexpr QLatin1StringView preferencesKey = SettingsKeys::monitorLayoutPreferences;
    static constexpr QLatin1StringView customLayoutsKey = SettingsKeys::customLayouts;

    static LayoutManager& shared();
    // A separate instance, for tests; the application uses shared().
    explicit LayoutManager(ZoneManager& zoneManager, QObject* parent = nullptr);
    ~LayoutManager() override;

    double spaceAroundZones() const { return spaceAroundZones_; }
    void setSpaceAroundZones(double space);
    const QList<ScreenLayout>& customLayouts() const { return customLayouts_; }
    ZoneManager& zoneManager() const { return zoneManager_; }

    // Display choices.
    void applySavedLayouts();
    void loadSavedPreferences();
    // Drops the choices whose layout is known to be gone; while the template file or some
    // stored custom layouts cannot be read, a missing layout may be back next run, and its
    // choices are kept.
    void removeStalePreferences();
    // The choice of the display on the desktop (none: the desktop shown now) when each desktop
    // has its own, else, and where the desktop has none, the display's.
    std::optional<ScreenLayout> layoutFor(const Display& display,
                                          const std::optional<VirtualDesktop>& desktop = {}) const;
    // False when the choice could not be saved (the in-memory choices stay as stored). With
    // layouts per desktop it is the desktop's (none: the one shown now).
    bool saveLayoutPreference(const Display& display, const ScreenLayout& layout,
                              const std::optional<VirtualDesktop>& desktop = {});
    // Every display shows the layout it uses on the desktop shown now (after a desktop switch,
    // or the setting changed), but the one the layout editor draws on.
    void showCurrentDesktopLayouts();
    // The display (by key) the layout editor draws on; empty while it draws on none.
    void setEditedDisplay(const QString& key) { editedDisplayKey_ = key; }
    // The desktop whose choices are made and read now: none while each desktop has no choices
    // of its own, or the window manager names no desktop.
    static std::optional<VirtualDesktop> choiceDesktop();
    // The display's zones change only once its choice is saved; false when it could not be.
    bool applyLayout(const ScreenLayout& layout, const Display& display);
    // Custom layouts. Each change is saved whole, with the display choices it affects, or
    // not at all: on false nothing changed, in memory or in the file, and
    // Settings::lastWriteFailure() says why.
    void loadCustomLayouts();
    bool addCustomLayout(const ScreenLayout& layout);
    // The displays that used the layout use its replacement, whatever its id.
    bool updateCustomLayout(const QUuid& id, const ScreenLayout& layout);
    // The displays that used the layout fall back at once to the layout of displays without a
    // choice.
    bool deleteCustomLayout(const QUuid& id);
    // Stored custom layouts that could not be read: kept as stored and written back with every
    // save, never shown.
    qsizetype unreadableLayoutCount() const;
    LayoutUsers usersOf(const QUuid& id) const;
    // The layout of a display without a stored choice: the template "Tall", else Focus.
    static ScreenLayout fallbackLayout();

signals:
    void spaceAroundZonesChanged();
    void customLayoutsChanged();
    void monitorPreferencesChanged();

private:
    void setMonitorPreferences(MonitorLayoutPreferenceList preferences);
    void setCustomLayouts(QList<ScreenLayout> layouts);
    // Gives each stored custom layout whose id an earlier layout has an id of its own (derived
    // from the old one, so the same in every run) and carries the choices of it along.
    QList<ScreenLayout> giveOwnIds(QList<ScreenLayout> layouts);
    // The stored choices, the ones of a layout that got its own id pointing to it.
    std::optional<json::StoredPreferences> storedChoices() const;
    MonitorLayoutPreferenceList withOwnIds(MonitorLayoutPreferenceList preferences) const;
    bool storePreferences();
    bool storeLayouts(const QList<ScreenLayout>& layouts,
                      const std::optional<MonitorLayoutPreferenceList>& preferences,
                      QList<SettingsChange> desktopChoices = {});
    // The desktop choices edited by `edit`, as a change to store with the rest (none when
    // `edit` changed nothing); the displays whose choice on the current desktop it touched go
    // into `users`.
    std::optional<SettingsChange> editDesktopChoices(
        const std::function<bool(DesktopLayoutChoices&, const QString&, QSet<QString>&)>& edit,
        QSet<QString>& users) const;
    bool storeChanges(QList<SettingsChange> changes, QStringList notes);
    // Stores a change of the custom layouts with the choices it changed, then shows each display
    // that used the layout what it uses now.
    bool storeForUsers(const QList<ScreenLayout>& layouts,
                       const std::optional<MonitorLayoutPreferenceList>& preferences,
                       const std::optional<SettingsChange>& desktopChoices,
                       const QSet<QString>& users);
    void ensurePreferencesLoaded();

    ZoneManager& zoneManager_;
    QString editedDisplayKey_;
    double spaceAroundZones_ = 0;
    QList<ScreenLayout> customLayouts_;
    MonitorLayoutPreferenceList monitorPreferences_;
    // Whether this process has read the stored choices; a save before that would drop them.
    bool preferencesLoaded_ = false;
    // Stored elements of the custom layouts that did not decode, as stored.
    QList<QByteArray> unreadableLayouts_;
    // The stored custom layouts were not an array at all.
    bool layoutsValueUnreadable_ = false;
    // Stored elements of the display choices that did not decode, as stored.
    QList<QByteArray> unreadablePreferences_;
    // Layouts that shared an id with an earlier one: their old id and name, and their own id.
    struct OwnId {
        QString oldId;
        QString name;
        QString newId;
    };
    QList<OwnId> ownIds_;
};

} // namespace corvane
