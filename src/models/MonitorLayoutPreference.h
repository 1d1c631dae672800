// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace corvane {

// Which layout a display uses. layoutName is kept for information only; lookups use layoutID.
struct MonitorLayoutPreference {
    QString monitorID;
    QString layoutID;
    QString layoutName;

    friend bool operator==(const MonitorLayoutPreference&,
                           const MonitorLayoutPreference&) = default;
};

using MonitorLayoutPreferenceList = QList<MonitorLayoutPreference>;

// The textual form used in log lines.
QString describe(const MonitorLayoutPreferenceList& preferences);

} // namespace corvane
