// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/MonitorLayoutPreference.h"

#include <QStringList>

namespace corvane {

QString describe(const MonitorLayoutPreferenceList& preferences)
{
    QStringList parts;
    for (const auto& p : preferences) {
        parts << QStringLiteral("MonitorLayoutPreference(monitorID: \"%1\", layoutID: \"%2\", "
                                "layoutName: \"%3\")")
                     .arg(p.monitorID, p.layoutID, p.layoutName);
    }
    return u'[' + parts.join(QStringLiteral(", ")) + u']';
}

} // namespace corvane
