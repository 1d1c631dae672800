// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeVirtualDesktops.h"

#include "platform/gnome/GnomeShellBridge.h"

#include <QJsonArray>
#include <QJsonObject>

namespace corvane {

GnomeVirtualDesktops::GnomeVirtualDesktops(GnomeShellBridge& bridge, QObject* parent)
    : VirtualDesktops(parent)
{
    connect(&bridge, &GnomeShellBridge::desktopsReported, this,
            &GnomeVirtualDesktops::handleReport);
}

std::optional<VirtualDesktop> GnomeVirtualDesktops::current() const
{
    for (const VirtualDesktop& desktop : desktops_) {
        if (desktop.id == current_)
            return desktop;
    }
    return std::nullopt;
}

void GnomeVirtualDesktops::handleReport(const QJsonObject& report)
{
    QList<VirtualDesktop> desktops;
    for (const QJsonValue& value : report.value(QLatin1String("desktops")).toArray()) {
        const QJsonObject d = value.toObject();
        const QString id = d.value(QLatin1String("id")).toString();
        if (!id.isEmpty())
            desktops.append({id, static_cast<int>(desktops.size()) + 1,
                             d.value(QLatin1String("name")).toString()});
    }
    const auto before = current();
    const bool listChanged = desktops != desktops_;
    desktops_ = desktops;
    current_ = report.value(QLatin1String("current")).toString();
    if (listChanged)
        emit desktopsChanged();
    if (current() != before)
        emit currentDesktopChanged();
}

} // namespace corvane
