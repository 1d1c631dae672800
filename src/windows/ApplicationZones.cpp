// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ApplicationZones.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace corvane {
namespace {

std::optional<Rect> rectFrom(const QJsonValue& value)
{
    const QJsonArray a = value.toArray();
    if (a.size() != 4)
        return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        if (!a.at(i).isDouble() || !std::isfinite(a.at(i).toDouble()))
            return std::nullopt;
        v[i] = a.at(i).toDouble();
    }
    return Rect(v[0], v[1], v[2], v[3]);
}

} // namespace

QString ApplicationZones::key(const QStringList& applicationNames)
{
    for (const QString& name : applicationNames) {
        if (!name.trimmed().isEmpty())
            return name.trimmed().toLower();
    }
    return {};
}

void ApplicationZones::remember(const QString& application, const ApplicationZone& zone)
{
    if (application.isEmpty())
        return;
    entries_.removeIf([&](const auto& e) { return e.first == application; });
    entries_.prepend({application, zone});
    if (entries_.size() > maxApplications)
        entries_.resize(maxApplications);
}

std::optional<ApplicationZone> ApplicationZones::zoneOf(const QString& application) const
{
    for (const auto& [name, zone] : entries_) {
        if (name == application)
            return zone;
    }
    return std::nullopt;
}

QByteArray ApplicationZones::toJson() const
{
    QJsonArray list;
    for (const auto& [name, zone] : entries_) {
        QJsonObject o{{QStringLiteral("application"), name},
                      {QStringLiteral("display"), zone.monitorId},
                      {QStringLiteral("zone"), zone.number},
                      {QStringLiteral("frame"),
                       QJsonArray{zone.zone.x, zone.zone.y, zone.zone.width, zone.zone.height}}};
        if (zone.desktop)
            o.insert(QStringLiteral("desktop"), *zone.desktop);
        list.append(o);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

ApplicationZones ApplicationZones::fromJson(const QByteArray& json)
{
    ApplicationZones zones;
    for (const QJsonValue& value : QJsonDocument::fromJson(json).array()) {
        const QJsonObject o = value.toObject();
        const QString name = o.value(QLatin1String("application")).toString();
        const QString display = o.value(QLatin1String("display")).toString();
        const int number = o.value(QLatin1String("zone")).toInt(0);
        const auto frame = rectFrom(o.value(QLatin1String("frame")));
        if (name.isEmpty() || display.isEmpty() || number < 1 || !frame || zones.zoneOf(name) ||
            zones.size() >= maxApplications)
            continue;
        std::optional<int> desktop;
        if (o.value(QLatin1String("desktop")).isDouble())
            desktop = o.value(QLatin1String("desktop")).toInt();
        zones.entries_.append({name, {display, desktop, number, *frame}});
    }
    return zones;
}

} // namespace corvane
