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

} // namespace corvane::json
