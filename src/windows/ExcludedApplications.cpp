// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ExcludedApplications.h"

#include "platform/Platform.h"
#include "settings/Settings.h"

namespace corvane {

bool ExcludedApplications::matches(const QStringList& excluded, const QStringList& applicationNames)
{
    // Names are compared without the blanks around them, as they are stored.
    for (const QString& name : applicationNames) {
        if (excluded.contains(name.trimmed(), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool ExcludedApplications::contains(WindowHandle window)
{
    const QStringList excluded = Settings::excludedApplications();
    // The window is only asked when there is something to compare with.
    return !excluded.isEmpty() &&
           matches(excluded, Platform::current().windowSystem().application(window));
}

} // namespace corvane
