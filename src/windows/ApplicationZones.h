// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace corvane {

// Where an application's windows were last snapped: the display (its identifier), the virtual
// desktop shown then, and the zone by its number and its rectangle in unit space.
struct ApplicationZone {
    QString monitorId;
    std::optional<int> desktop;
    int number = 0;
    Rect zone;

    friend bool operator==(const ApplicationZone&, const ApplicationZone&) = default;
};

// The last zone of each application, for its next window to open in. Kept for the
// applications snapped most recently, at most maxApplications of them, and stored under
// "ApplicationZones" as JSON, the most recent first. Stored entries that cannot be read are
// left out; the rest still count.
class ApplicationZones {
public:
    static constexpr qsizetype maxApplications = 100;

    // The name an application is remembered by: the most specific name the desktop gives its
    // windows, in lower case; empty for a window without one.
    static QString key(const QStringList& applicationNames);

    void remember(const QString& application, const ApplicationZone& zone);
    std::optional<ApplicationZone> zoneOf(const QString& application) const;
    qsizetype size() const { return entries_.size(); }

    QByteArray toJson() const;
    static ApplicationZones fromJson(const QByteArray& json);

private:
    // Most recent first.
    QList<std::pair<QString, ApplicationZone>> entries_;
};

} // namespace corvane
