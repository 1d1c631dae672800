// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ApplicationNames.h"

#include <QFile>

namespace corvane {

QStringList applicationNames(const QString& resourceClass, qint64 pid)
{
    QStringList names;
    if (!resourceClass.isEmpty())
        names << resourceClass;
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (pid > 0 && comm.open(QIODevice::ReadOnly)) {
        const QString process = QString::fromUtf8(comm.readAll()).trimmed();
        if (!process.isEmpty() && !names.contains(process))
            names << process;
    }
    return names;
}

} // namespace corvane
