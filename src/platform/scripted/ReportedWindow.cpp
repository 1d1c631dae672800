// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted/ReportedWindow.h"

#include <QJsonArray>
#include <QJsonObject>

namespace corvane {

QRectF rectFromJson(const QJsonValue& value)
{
    const QJsonArray a = value.toArray();
    if (a.size() != 4)
        return {};
    return QRectF(a[0].toDouble(), a[1].toDouble(), a[2].toDouble(), a[3].toDouble());
}

ReportedWindow ReportedWindow::fromJson(const QJsonObject& o)
{
    ReportedWindow w;
    w.id = o.value(QLatin1String("id")).toString();
    w.pid = o.value(QLatin1String("pid")).toInteger();
    w.caption = o.value(QLatin1String("caption")).toString();
    w.resourceClass = o.value(QLatin1String("resourceClass")).toString();
    w.frame = rectFromJson(o.value(QLatin1String("frame")));
    w.output = o.value(QLatin1String("output")).toString();
    w.keepAbove = o.value(QLatin1String("keepAbove")).toBool();
    w.minimized = o.value(QLatin1String("minimized")).toBool();
    w.dock = o.value(QLatin1String("dock")).toBool();
    w.desktop = o.value(QLatin1String("desktop")).toBool();
    w.normal = o.value(QLatin1String("normal")).toBool(true);
    w.standalone = o.value(QLatin1String("standalone")).toBool(w.normal);
    w.current = o.value(QLatin1String("current")).toBool(true);
    w.x11 = o.value(QLatin1String("x11")).toBool();
    const QJsonArray minimum = o.value(QLatin1String("minimum")).toArray();
    if (minimum.size() == 2 && minimum.at(0).toDouble() >= 0 && minimum.at(1).toDouble() >= 0)
        w.minimum = QSizeF(minimum.at(0).toDouble(), minimum.at(1).toDouble());
    return w;
}

} // namespace corvane
