// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>

namespace corvane {

// Tells when the machine goes to sleep and wakes up, from logind's PrepareForSleep signal.
// Without a bus to listen on there are simply no such notifications.
class LogindSleepMonitor : public QObject {
    Q_OBJECT
public:
    // Listens on the given bus; the system bus is where logind lives.
    explicit LogindSleepMonitor(QDBusConnection bus = QDBusConnection::systemBus(),
                                QObject* parent = nullptr);

    bool isListening() const { return listening_; }

signals:
    void sleeping();
    void waking();

private slots:
    void onPrepareForSleep(bool start);

private:
    bool listening_ = false;
};

} // namespace corvane
