// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakeVirtualDesktops.h"

namespace corvane {

std::optional<VirtualDesktop> FakeVirtualDesktops::current() const
{
    if (desktops_.isEmpty())
        return std::nullopt;
    return desktops_.value(current_);
}

void FakeVirtualDesktops::setDesktops(int count, const QStringList& names)
{
    desktops_.clear();
    for (int i = 0; i < count; ++i)
        desktops_.append({QString::number(i), i + 1, names.value(i)});
    current_ = 0;
    emit desktopsChanged();
    emit currentDesktopChanged();
}

void FakeVirtualDesktops::switchTo(int number)
{
    current_ = number - 1;
    emit currentDesktopChanged();
}

} // namespace corvane
