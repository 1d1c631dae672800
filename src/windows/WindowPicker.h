// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputMonitor.h"

#include <QObject>
#include <QStringList>
#include <optional>

namespace corvane {

// Waits for the user's next click on a window of another application and reports the names of
// that window's application. Clicks on Corvane's own windows are not seen, so the user can
// still use them (to cancel, for instance).
class WindowPicker : public QObject {
    Q_OBJECT
public:
    explicit WindowPicker(QObject* parent = nullptr);
    ~WindowPicker() override;

    bool isPicking() const { return monitor_.has_value(); }
    void start();
    void cancel();

signals:
    // The clicked window's application names, most specific first; empty when the window says
    // nothing of its application or no window was under the pointer.
    void picked(const QStringList& applicationNames);
    void pickingChanged(bool picking);

private:
    void clicked();

    std::optional<InputMonitor::MonitorId> monitor_;
};

} // namespace corvane
