// SPDX-License-Identifier: GPL-3.0-or-later
#include "layouts/LayoutManager.h"

#include "logging/Logger.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "models/StableUuid.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QHash>
#include <QSet>
#include <QThread>

namespace corvane {
namespace {

// How many distinct undecodable values of one key are kept aside; past that, a new one is
// replaced without a copy (and the log says so), so that a broken writer cannot fill the file.
constexpr int maxAsideCopies = 10;

QString asideKey(QLatin1StringView key, int copy)
{
    return key + QStringLiteral(".unreadable") +
           (copy == 1 ? QString() : QStringLiteral(".") + QString::number(copy));
}

// When the value stored under `key` does not decode, the change that keeps it aside before a
// save replaces it: under the first free "<key>.unreadable[.n]", unless the same value is kept
// already. `note` receives what to log once the save has worked.
template <typename Decode>
std::optional<SettingsChange> keepUndecodableAside(QLatin1StringView key, Decode decode,
                                                   QStringList& notes)
{
    const auto stored = Settings::data(key);
    if (!stored || decode(*stored))
        return std::nullopt;
    for (int copy = 1; copy <= maxAsideCopies; ++copy) {
        const QString aside = asideKey(key, copy);
        const QVariant kept = Settings::value(aside);
        if (kept.isValid() && kept.toByteArray() == *stored) {
            notes.append(QStringLiteral("The unreadable value of %1 was kept under %2 already")
                             .arg(key, aside));
            return std::nullopt;
        }
        if (!kept.isValid()) {
            notes.append(QStringLiteral("The unreadable value of %1 was kept under %2 before "
                                        "being replaced")
                             .arg(key, aside));
            return SettingsChange{aside, *stored};
        }
    }
    notes.append(QStringLiteral("The unreadable value of %1 was replaced without a copy: %2 "
                                "copies are kept already")
                     .arg(key)
                     .arg(maxAsideCopies));
    return std::nullopt;
}

bool decodesAsPreferences(const QByteArray& data)
{
    return json::decodeStoredPreferences(data).has_value();
}

bool decodesAsStoredLayouts(const QByteArray& data)
{
    return json::decodeStoredLayouts(data).has_value();
}

std::optional<ScreenLayout> layoutWithId(const QString& id, const QList<ScreenLayout>& custom)
{
    for (const QList<ScreenLayout>& layouts : {allLayouts(), custom}) {
        for (const ScreenLayout& layout : layouts) {
            if (layout.uuidString() == id)
                return layout;
        }
    }
    return std::nullopt;
}

bool decodesAsDesktopChoices(const QByteArray& data)
{
    return DesktopLayoutChoices::decode(data).has_value();
}

DesktopLayoutChoices storedDesktopChoices()
{
    const auto data = Settings::data(SettingsKeys::desktopLayoutPreferences);
    return data ? DesktopLayoutChoices::decode(*data).value_or(DesktopLayoutChoices())
                : DesktopLayoutChoices();
}

} // namespace

LayoutManager& LayoutManager::shared()
{
    static LayoutManager* instance = new LayoutManager(ZoneManager::shared());
    return *instance;
}

LayoutManager::LayoutManager(ZoneManager& zoneManager, QObject* parent)
    : QObject(parent), zoneManager_(zoneManager)
{
    loadCustomLayouts();
}

LayoutManager::~LayoutManager() = default;

void LayoutManager::setSpaceAroundZones(double space)
{
    if (space == spaceAroundZones_)
        return;
    spaceAroundZones_ = space;
    emit spaceAroundZonesChanged();
}

void LayoutManager::setMonitorPreferences(MonitorLayoutPreferenceList preferences)
{
    monitorPreferences_ = std::move(preferences);
    emit monitorPreferencesChanged();
}

void LayoutManager::setCustomLayouts(QList<ScreenLayout> layouts)
{
    customLayouts_ = std::move(layouts);
    emit customLayoutsChanged();
}

// --- Display choices -------------------------------------------------------------------------

void LayoutManager::applySavedLayouts()
{
    loadSavedPreferences();
    removeStalePreferences();
    for (const Display& display : Platform::current().displays().screens()) {
        const auto stored = layoutFor(display);
        if (!stored) {
            zoneManager_.updateZones(fallbackLayout().zones, display, false, false);
            continue;
        }
        zoneManager_.updateZones(stored->zones, display, false, false);
        // A desktop that uses the display's choice must not get it as one of its own.
        if (choiceDesktop())
            continue;
        QMetaObject::invokeMethod(
            this, [this, layout = *stored, display] { applyLayout(layout, display); },
            Qt::QueuedConnection);
    }
}

void LayoutManager::loadSavedPreferences()
{
    Logger::info(QStringLiteral("Preferences Key: ") + preferencesKey);
    const auto data = Settings::data(preferencesKey);
    if (!data) {
        preferencesLoaded_ = true;
        return;
    }
    const QString text = QString::fromUtf8(*data);
    Logger::info(text.toUtf8() == *data ? text : QStringLiteral("No data found"));
    const auto decoded = storedChoices();
    if (!decoded)
        return;
    // Read again at every display change: said when they first show up, not every time.
    if (!decoded->unreadable.isEmpty() && decoded->unreadable != unreadablePreferences_)
        Logger::fault(QStringLiteral("%1 stored display choices could not be read; they are kept "
                                     "as they are")
                          .arg(decoded->unreadable.size()),
                      LogCategory::Layout);
    unreadablePreferences_ = decoded->unreadable;
    Logger::info(describe(decoded->preferences));
    setMonitorPreferences(decoded->preferences);
    preferencesLoaded_ = true;
}

std::optional<json::StoredPreferences> LayoutManager::storedChoices() const
{
    const auto data = Settings::data(preferencesKey);
    auto stored = data ? json::decodeStoredPreferences(*data) : std::nullopt;
    if (stored)
        stored->preferences = withOwnIds(stored->preferences);
    return stored;
}

MonitorLayoutPreferenceList LayoutManager::withOwnIds(MonitorLayoutPreferenceList preferences) const
{
    for (MonitorLayoutPreference& p : preferences) {
        for (const OwnId& own : ownIds_) {
            if (p.layoutID == own.oldId && p.layoutName == own.name) {
                p.layoutID = own.newId;
                break;
            }
        }
    }
    return preferences;
}

void LayoutManager::removeStalePreferences()
{
    // A layout that is only unreadable now would come back with the file: its choices stay,
    // and the displays use the fallback meanwhile.
    if (!templateFileRead() || layoutsValueUnreadable_ || !unreadableLayouts_.isEmpty())
        return;
    QSet<QString> valid;
    for (const ScreenLayout& layout : allLayouts())
        valid.insert(layout.uuidString());
    for (const ScreenLayout& layout : customLayouts_)
        valid.insert(layout.uuidString());
    QSet<QString> users;
    const auto stale = [&](const QString& layoutId) { return !valid.contains(layoutId); };
    if (const auto change =
            editDesktopChoices([&](DesktopLayoutChoices& c, const QString& shown,
                                   QSet<QString>& u) { return c.dropLayouts(stale, shown, u); },
                               users))
        storeChanges({*change}, {});
    MonitorLayoutPreferenceList kept;
    for (const MonitorLayoutPreference& p : monitorPreferences_) {
        if (valid.contains(p.layoutID))
            kept.append(p);
    }
    if (kept.size() == monitorPreferences_.size())
        return;
    setMonitorPreferences(kept);
    storePreferences();
}

std::optional<VirtualDesktop> LayoutManager::choiceDesktop()
{
    if (!Settings::layoutsPerDesktop() || !Platform::isInstalled())
        return std::nullopt;
    return Platform::current().virtualDesktops().current();
}

void LayoutManager::showCurrentDesktopLayouts()
{
    for (const Display& display : Platform::current().displays().screens()) {
        // The editor's zones stay where it draws them.
        if (display.key == editedDisplayKey_)
            continue;
        zoneManager_.updateZones(layoutFor(display).value_or(fallbackLayout()).zones, display,
                                 false, false);
    }
}

std::optional<ScreenLayout>
LayoutManager::layoutFor(const Display& display, const std::optional<VirtualDesktop>& desktop) const
{
    const QString id = monitorID(display);
    if (const auto shown = desktop ? desktop : choiceDesktop()) {
        if (const auto chosen = storedDesktopChoices().layoutID(id, shown->id)) {
            if (auto layout = layoutWithId(*chosen, customLayouts_))
                return layout;
        }
    }
    const auto stored = storedChoices();
    if (!stored)
        return std::nullopt;
    const MonitorLayoutPreferenceList* preferences = &stored->preferences;
    const auto find = [&](const QString& wanted) {
        return std::find_if(preferences->begin(), preferences->end(),
                            [&](const auto& p) { return p.monitorID == wanted; });
    };
    auto match = find(id);
    if (match == preferences->end() && display.hasTwin) {
        // Identical monitors used to share one identifier: until a twin gets a choice of its
        // own, it starts from the one they shared.
        Display alone = display;
        alone.hasTwin = false;
        match = find(monitorID(alone));
    }
    if (match == preferences->end())
        return std::nullopt;
    return layoutWithId(match->layoutID, customLayouts_);
}

void LayoutManager::ensurePreferencesLoaded()
{
    // Saving before the stored choices were read would replace every other display's choice.
    if (!preferencesLoaded_)
        loadSavedPreferences();
}

bool LayoutManager::saveLayoutPreference(const Display& display, const ScreenLayout& layout,
                                         const std::optional<VirtualDesktop>& desktop)
{
    const QString id = monitorID(display);
    if (const auto shown = desktop ? desktop : choiceDesktop()) {
        QStringList notes;
        QList<SettingsChange> changes;
        if (auto aside = keepUndecodableAside(SettingsKeys::desktopLayoutPreferences,
                                              decodesAsDesktopChoices, notes))
            changes.append(*aside);
        DesktopLayoutChoices choices = storedDesktopChoices();
        if (!choices.choose(id, shown->id, layout))
            return true;
        changes.append({SettingsKeys::desktopLayoutPreferences, choices.encode()});
        if (!storeChanges(changes, notes))
            return false;
        Logger::info(QStringLiteral("Saved the layout '%1' of %2 on desktop %3")
                         .arg(layout.name, id, shown->id));
        return true;
    }
    ensurePreferencesLoaded();
    const MonitorLayoutPreference choice{id, layout.uuidString(), layout.name};
    // The choice stored already (the layouts applied again at start-up, the same item chosen
    // twice) is not written again.
    if (preferencesLoaded_ && monitorPreferences_.contains(choice))
        return true;
    const MonitorLayoutPreferenceList before = monitorPreferences_;
    MonitorLayoutPreferenceList preferences;
    for (const MonitorLayoutPreference& p : monitorPreferences_) {
        if (p.monitorID != id)
            preferences.append(p);
    }
    preferences.append(choice);
    setMonitorPreferences(preferences);
    if (!storePreferences()) {
        setMonitorPreferences(before);
        return false;
    }
    Logger::info(QStringLiteral("Saved Layout Preference ") + describe(monitorPreferences_) +
                 QStringLiteral(" with ") + preferencesKey);
    return true;
}

bool LayoutManager::storePreferences()
{
    QStringList notes;
    QList<SettingsChange> changes;
    if (auto aside = keepUndecodableAside(preferencesKey, decodesAsPreferences, notes))
        changes.append(*aside);
    changes.append({preferencesKey,
                    json::encodeStoredPreferences(monitorPreferences_, unreadablePreferences_)});
    return storeChanges(changes, notes);
}

bool LayoutManager::storeChanges(QList<SettingsChange> changes, QStringList notes)
{
    if (!Settings::write(changes))
        return false;
    for (const QString& note : std::as_const(notes))
        Logger::warning(note, LogCategory::Layout);
    return true;
}

bool LayoutManager::applyLayout(const ScreenLayout& layout, const Display& display)
{
    // Saved first: a choice that would be gone at the next start is not made in this one.
    if (!saveLayoutPreference(display, layout))
        return false;
    zoneManager_.updateZones(layout.zones, display, false, false);
    return true;
}

// --- Custom layouts ----------------------------------------------------------------------------

void LayoutManager::loadCustomLayouts()
{
    const auto data = Settings::data(customLayoutsKey);
    if (!data)
        return;
    const auto decoded = json::decodeStoredLayouts(*data);
    if (!decoded) {
        layoutsValueUnreadable_ = true;
        Logger::fault(QStringLiteral("Stored custom layouts could not be read; they are kept as "
                                     "they are"),
                      LogCategory::Layout);
        return;
    }
    unreadableLayouts_ = decoded->unreadable;
    if (!unreadableLayouts_.isEmpty())
        Logger::fault(QStringLiteral("%1 stored custom layouts could not be read; they are kept "
                                     "as they are")
                          .arg(unreadableLayouts_.size()),
                      LogCategory::Layout);
    setCustomLayouts(giveOwnIds(decoded->layouts));
}

QList<ScreenLayout> LayoutManager::giveOwnIds(QList<ScreenLayout> layouts)
{
    // Each id taken, with the name of the layout that keeps it.
    QHash<QUuid, QString> taken;
    for (const ScreenLayout& layout : allLayouts())
        taken.insert(layout.id, layout.name);
    QStringList renamed;
    for (ScreenLayout& layout : layouts) {
        if (!taken.contains(layout.id)) {
            taken.insert(layout.id, layout.name);
            continue;
        }
        const QString oldId = layout.uuidString();
        const QString holder = taken.value(layout.id);
        QUuid own;
        for (int n = 2; own.isNull() || taken.contains(own); ++n)
            own = stableUUID(oldId + QStringLiteral("/") + QString::number(n));
        layout.id = own;
        taken.insert(own, layout.name);
        // A choice stored with this layout's name meant this one, unless the names are alike.
        if (holder != layout.name)
            ownIds_.append({oldId, layout.name, layout.uuidString()});
        renamed.append(
            QStringLiteral("'%1' from %2 to %3").arg(layout.name, oldId, layout.uuidString()));
    }
    if (renamed.isEmpty())
        return layouts;
    // Stored at once with the choices that named it, so that a delete, a choice or a script
    // can never take one for the other; the new id is the same in every run until then.
    QList<SettingsChange> changes{
        {customLayoutsKey, json::encodeStoredLayouts(layouts, unreadableLayouts_)}};
    if (const auto choices = storedChoices())
        changes.append({preferencesKey,
                        json::encodeStoredPreferences(choices->preferences, choices->unreadable)});
    Logger::fault(QStringLiteral("Stored custom layouts had the id of another layout and got ids "
                                 "of their own: ") +
                      renamed.join(QStringLiteral(", ")) +
                      (Settings::write(changes) ? QString() : QStringLiteral(" (not saved)")),
                  LogCategory::Layout);
    return layouts;
}

qsizetype LayoutManager::unreadableLayoutCount() const
{
    return unreadableLayouts_.size() + (layoutsValueUnreadable_ ? 1 : 0);
}

std::optional<SettingsChange> LayoutManager::editDesktopChoices(
    const std::function<bool(DesktopLayoutChoices&, const QString&, QSet<QString>&)>& edit,
    QSet<QString>& users) const
{
    const auto data = Settings::data(SettingsKeys::desktopLayoutPreferences);
    auto choices = data ? DesktopLayoutChoices::decode(*data) : std::nullopt;
    const auto shown = choiceDesktop();
    if (!choices || !edit(*choices, shown ? shown->id : QString(), users))
        return std::nullopt;
    return SettingsChange{SettingsKeys::desktopLayoutPreferences, choices->encode()};
}

bool LayoutManager::storeLayouts(const QList<ScreenLayout>& layouts,
                                 const std::optional<MonitorLayoutPreferenceList>& preferences,
                                 QList<SettingsChange> desktopChoices)
{
    QStringList notes;
    QList<SettingsChange> changes = std::move(desktopChoices);
    if (auto aside = keepUndecodableAside(customLayoutsKey, decodesAsStoredLayouts, notes))
        changes.append(*aside);
    changes.append({customLayoutsKey, json::encodeStoredLayouts(layouts, unreadableLayouts_)});
    if (preferences) {
        if (auto aside = keepUndecodableAside(preferencesKey, decodesAsPreferences, notes))
            changes.append(*aside);
        changes.append(
            {preferencesKey, json::encodeStoredPreferences(*preferences, unreadablePreferences_)});
    }
    if (!storeChanges(changes, notes))
        return false;
    layoutsValueUnreadable_ = false;
    if (preferences)
        setMonitorPreferences(*preferences);
    setCustomLayouts(layouts);
    return true;
}

bool LayoutManager::addCustomLayout(const ScreenLayout& layout)
{
    QList<ScreenLayout> layouts = customLayouts_;
    layouts.append(layout);
    if (!storeLayouts(layouts, std::nullopt))
        return false;
    emit Notifications::shared().customLayoutsChanged();
    return true;
}

bool LayoutManager::updateCustomLayout(const QUuid& id, const ScreenLayout& layout)
{
    QList<ScreenLayout> layouts = customLayouts_;
    const auto it = std::find_if(layouts.begin(), layouts.end(),
                                 [&](const ScreenLayout& l) { return l.id == id; });
    if (it == layouts.end())
        return true;
    *it = layout;
    // The displays that used the layout keep it under its new id, in the same save.
    ensurePreferencesLoaded();
    const QString oldId = uuidText(id);
    std::optional<MonitorLayoutPreferenceList> preferences;
    QSet<QString> users;
    if (preferencesLoaded_) {
        MonitorLayoutPreferenceList rewritten = monitorPreferences_;
        for (MonitorLayoutPreference& p : rewritten) {
            if (p.layoutID == oldId) {
                p = {p.monitorID, layout.uuidString(), layout.name};
                users.insert(p.monitorID);
            }
        }
        if (!users.isEmpty())
            preferences = rewritten;
    }
    const auto change = editDesktopChoices(
        [&](DesktopLayoutChoices& c, const QString& shown, QSet<QString>& u) {
            return c.replaceLayout(oldId, layout, shown, u);
        },
        users);
    return storeForUsers(layouts, preferences, change, users);
}

bool LayoutManager::deleteCustomLayout(const QUuid& id)
{
    QList<ScreenLayout> layouts = customLayouts_;
    // One layout, never two: ids are made unique on reading, and this holds even if not.
    const auto it = std::find_if(layouts.begin(), layouts.end(),
                                 [&](const ScreenLayout& l) { return l.id == id; });
    if (it != layouts.end())
        layouts.erase(it);
    // The choices of the layout go with it, in the same save.
    ensurePreferencesLoaded();
    const QString gone = uuidText(id);
    std::optional<MonitorLayoutPreferenceList> preferences;
    QSet<QString> users;
    if (preferencesLoaded_) {
        MonitorLayoutPreferenceList kept;
        for (const MonitorLayoutPreference& p : std::as_const(monitorPreferences_)) {
            if (p.layoutID == gone)
                users.insert(p.monitorID);
            else
                kept.append(p);
        }
        if (!users.isEmpty())
            preferences = kept;
    }
    const auto deleted = [&](const QString& layoutId) { return layoutId == gone; };
    const auto change =
        editDesktopChoices([&](DesktopLayoutChoices& c, const QString& shown,
                               QSet<QString>& u) { return c.dropLayouts(deleted, shown, u); },
                           users);
    return storeForUsers(layouts, preferences, change, users);
}

bool LayoutManager::storeForUsers(const QList<ScreenLayout>& layouts,
                                  const std::optional<MonitorLayoutPreferenceList>& preferences,
                                  const std::optional<SettingsChange>& desktopChoices,
                                  const QSet<QString>& users)
{
    QList<SettingsChange> changes;
    if (desktopChoices)
        changes.append(*desktopChoices);
    if (!storeLayouts(layouts, preferences, changes))
        return false;
    // What each of them shows now: a desktop's own choice may stand before the display's.
    for (const Display& display : Platform::current().displays().screens()) {
        if (users.contains(monitorID(display)))
            zoneManager_.updateZones(layoutFor(display).value_or(fallbackLayout()).zones, display,
                                     false, false);
    }
    emit Notifications::shared().customLayoutsChanged();
    return true;
}

LayoutUsers LayoutManager::usersOf(const QUuid& id) const
{
    const QString layoutId = uuidText(id);
    // The displays that use it on any desktop, by their own choice or a desktop's.
    QSet<QString> using_;
    if (const auto choices = storedChoices()) {
        for (const MonitorLayoutPreference& p : choices->preferences) {
            if (p.layoutID == layoutId)
                using_.insert(p.monitorID);
        }
    }
    const DesktopLayoutChoices desktopChoices = storedDesktopChoices();
    for (const DesktopLayoutChoice& c : desktopChoices.choices()) {
        if (c.layoutID == layoutId)
            using_.insert(c.monitorID);
    }
    LayoutUsers users;
    for (const Display& display : Platform::current().displays().screens()) {
        if (using_.remove(monitorID(display)))
            users.connectedDisplays.append(display.localizedName);
    }
    users.otherDisplays = static_cast<int>(using_.size());
    return users;
}

ScreenLayout LayoutManager::fallbackLayout()
{
    return templateNamed(QStringLiteral("Tall")).value_or(focusLayout());
}

} // namespace corvane
