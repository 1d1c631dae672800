// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/LayoutConfig.h"
#include "models/MonitorLayoutPreference.h"
#include "models/ScreenLayout.h"

#include <QByteArray>
#include <QJsonObject>
#include <optional>

namespace corvane::json {

// Decoding fails as a whole: a missing or mistyped key anywhere gives none for the enclosing
// value. Encoding is compact JSON.

QJsonObject encode(const Zone& zone);
QJsonObject encode(const ScreenLayout& layout);
QJsonObject encode(const MonitorLayoutPreference& preference);

std::optional<Zone> decodeZone(const QJsonValue& value);
std::optional<ScreenLayout> decodeLayout(const QJsonValue& value);
std::optional<MonitorLayoutPreference> decodePreference(const QJsonValue& value);
std::optional<ZoneConfig> decodeZoneConfig(const QJsonValue& value);
std::optional<LayoutConfigItem> decodeLayoutConfigItem(const QJsonValue& value);

QByteArray encodeLayout(const ScreenLayout& layout);
QByteArray encodeLayouts(const QList<ScreenLayout>& layouts);
QByteArray encodePreferences(const MonitorLayoutPreferenceList& preferences);

std::optional<ScreenLayout> decodeLayout(const QByteArray& data);
std::optional<QList<ScreenLayout>> decodeLayouts(const QByteArray& data);
std::optional<MonitorLayoutPreferenceList> decodePreferences(const QByteArray& data);
std::optional<LayoutConfig> decodeLayoutConfig(const QByteArray& data);

// Stored custom layouts read one element at a time, so that one element that cannot be read
// (a missing field, a number beyond a double, text that is not JSON) costs only itself: the
// layouts that decode, and the text of every other element exactly as stored, to be written
// back unchanged.
struct StoredLayouts {
    QList<ScreenLayout> layouts;
    QList<QByteArray> unreadable;
};

// None when the value is not an array at all (or its brackets do not close).
std::optional<StoredLayouts> decodeStoredLayouts(const QByteArray& data);
// The layouts, then the unreadable elements as they were stored.
QByteArray encodeStoredLayouts(const QList<ScreenLayout>& layouts,
                               const QList<QByteArray>& unreadable);

// The stored per-display choices, read the same way: one choice that cannot be read costs
// only itself.
struct StoredPreferences {
    MonitorLayoutPreferenceList preferences;
    QList<QByteArray> unreadable;
};

std::optional<StoredPreferences> decodeStoredPreferences(const QByteArray& data);
QByteArray encodeStoredPreferences(const MonitorLayoutPreferenceList& preferences,
                                   const QList<QByteArray>& unreadable);

} // namespace corvane::json
