// SPDX-License-Identifier: GPL-3.0-or-later
#include "layouts/LayoutKeys.h"

#include "layouts/LayoutManager.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace corvane {
namespace {

// The keys of built-in and template layouts, by layout id; an unreadable value is none given.
QJsonObject storedKeys()
{
    const auto data = Settings::data(SettingsKeys::layoutQuickKeys);
    return data ? QJsonDocument::fromJson(*data).object() : QJsonObject();
}

} // namespace

QList<ScreenLayout> LayoutKeys::orderedLayouts() const
{
    QList<ScreenLayout> layouts{noLayout(), focusLayout()};
    layouts.append(templateLayouts());
    layouts.append(manager_.customLayouts());
    return layouts;
}

QList<std::optional<int>> LayoutKeys::givenKeys(const QList<ScreenLayout>& layouts) const
{
    const QJsonObject stored = storedKeys();
    QList<std::optional<int>> keys;
    for (const ScreenLayout& layout : layouts) {
        const int key = stored.value(layout.uuidString()).toInt(-1);
        if (layout.quickKey)
            keys.append(layout.quickKey);
        else if (key >= 0 && key <= keyCount)
            keys.append(key);
        else
            keys.append(std::nullopt);
    }
    return keys;
}

QList<int> LayoutKeys::keysOf(const QList<ScreenLayout>& layouts) const
{
    const QList<std::optional<int>> given = givenKeys(layouts);
    QList<int> keys;
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        const int place = static_cast<int>(i) + 1;
        if (given.at(i))
            keys.append(*given.at(i));
        else if (place <= keyCount && !given.contains(std::optional<int>(place)))
            keys.append(place);
        else
            keys.append(0);
    }
    return keys;
}

int LayoutKeys::keyOf(const ScreenLayout& layout) const
{
    const QList<ScreenLayout> layouts = orderedLayouts();
    const QList<int> keys = keysOf(layouts);
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        if (layouts.at(i).id == layout.id)
            return keys.at(i);
    }
    return 0;
}

std::optional<ScreenLayout> LayoutKeys::layoutForKey(int key) const
{
    if (key < 1 || key > keyCount)
        return std::nullopt;
    const QList<ScreenLayout> layouts = orderedLayouts();
    const qsizetype at = keysOf(layouts).indexOf(key);
    return at < 0 ? std::nullopt : std::optional(layouts.at(at));
}

bool LayoutKeys::setKey(const ScreenLayout& layout, int key)
{
    QJsonObject stored = storedKeys();
    QList<ScreenLayout> customChanged;
    const QList<ScreenLayout> layouts = orderedLayouts();
    const QList<std::optional<int>> given = givenKeys(layouts);
    const QList<ScreenLayout>& custom = manager_.customLayouts();
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        const bool isThis = layouts.at(i).id == layout.id;
        // The one given the key before gives it up, and goes back to the key of its place.
        const bool holder = !isThis && key != 0 && given.at(i) == key;
        if (!isThis && !holder)
            continue;
        const std::optional<int> now = isThis ? std::optional<int>(key) : std::nullopt;
        const bool isCustom = std::any_of(custom.begin(), custom.end(), [&](const ScreenLayout& l) {
            return l.id == layouts.at(i).id;
        });
        if (isCustom) {
            ScreenLayout changed = layouts.at(i);
            changed.quickKey = now;
            customChanged.append(changed);
        } else if (now) {
            stored.insert(layouts.at(i).uuidString(), *now);
        } else {
            stored.remove(layouts.at(i).uuidString());
        }
    }
    if (!Settings::setData(SettingsKeys::layoutQuickKeys,
                           QJsonDocument(stored).toJson(QJsonDocument::Compact)))
        return false;
    for (const ScreenLayout& changed : std::as_const(customChanged)) {
        if (!manager_.updateCustomLayout(changed.id, changed))
            return false;
    }
    return true;
}

ScreenLayout LayoutKeys::stepFrom(const ScreenLayout& from, int step) const
{
    const QList<ScreenLayout> layouts = orderedLayouts();
    const auto at = std::find_if(layouts.begin(), layouts.end(),
                                 [&](const ScreenLayout& l) { return l.id == from.id; });
    const auto index = at == layouts.end() ? 0 : std::distance(layouts.begin(), at);
    const auto count = layouts.size();
    return layouts.at(((index + step) % count + count) % count);
}

} // namespace corvane
