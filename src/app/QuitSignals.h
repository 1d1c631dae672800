// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace corvane {

// Ends the application as Quit in its menu does when it is asked to end by a signal: SIGTERM
// (the session ending, a service manager, kill) and SIGINT (Ctrl+C in a terminal). The handler
// only writes a byte to a socket pair; the event loop reads it and quits, so everything a normal
// quit does (settings and log written out, the single-instance socket removed) happens too. A
// second signal while quitting ends the process at once.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    // Gives both signals their default action back.
    ~QuitSignals() override;

private:
    int sockets_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace corvane
