// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VirtualDesktops.h"

#include <QCoreApplication>

namespace corvane {

QString VirtualDesktop::title() const
{
    if (!name.trimmed().isEmpty())
        return name;
    return QCoreApplication::translate("VirtualDesktop", "Desktop %1").arg(number);
}

std::optional<VirtualDesktop> VirtualDesktops::withNumber(int number) const
{
    for (const VirtualDesktop& desktop : desktops()) {
        if (desktop.number == number)
            return desktop;
    }
    return std::nullopt;
}

} // namespace corvane
