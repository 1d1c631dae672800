// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/LogindSleepMonitor.h"

#include "logging/Logger.h"

#include <QDBusError>

namespace corvane {

LogindSleepMonitor::LogindSleepMonitor(QDBusConnection bus, QObject* parent) : QObject(parent)
{
    if (!bus.isConnected())
        return;
    listening_ = bus.connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
    if (!listening_)
        Logger::info(
            QStringLiteral("Sleep and wake cannot be watched: %1").arg(bus.lastError().message()),
            LogCategory::App);
}

void LogindSleepMonitor::onPrepareForSleep(bool start)
{
    if (start)
        emit sleeping();
    else
        emit waking();
}

} // namespace corvane
