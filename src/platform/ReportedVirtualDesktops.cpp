// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReportedVirtualDesktops.h"

#include <QJsonArray>
#include <QJsonObject>

namespace corvane {

std::optional<VirtualDesktop> ReportedVirtualDesktops::current() const
{
    for (const VirtualDesktop& desktop : desktops_) {
        if (desktop.id == current_)
            return desktop;
    }
    return std::nullopt;
}

void ReportedVirtualDesktops::handleReport(const QJsonObject& report)
{
    QList<VirtualDesktop> desktops;
    for (const QJsonValue& value : report.value(QLatin1String("desktops")).toArray()) {
        const QJsonObject d = value.toObject();
        const QString id = d.value(QLatin1String("id")).toString();
        // An entry without an id could never be found again: it is left out.
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
