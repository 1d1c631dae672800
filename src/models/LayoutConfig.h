// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace corvane {

// The records of the template file layouts.json.
struct ZoneConfig {
    QString id;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct LayoutConfigItem {
    QString id;
    QString name;
    std::optional<QString> description;
    QList<ZoneConfig> zones;
};

struct LayoutConfig {
    QList<LayoutConfigItem> layouts;
};

} // namespace corvane
