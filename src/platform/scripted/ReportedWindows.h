// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scripted/ReportedWindow.h"

#include <QHash>
#include <QList>
#include <optional>

namespace corvane {

// The windows a compositor's script last reported, front first, each with a number for the
// port that is given in the order windows are first seen and stays the same for the run.
class ReportedWindows {
public:
    const QList<ReportedWindow>& all() const { return windows_; }
    std::optional<ReportedWindow> find(const QString& id) const;
    std::uint32_t numberOf(const QString& id);
    std::optional<ReportedWindow> byNumber(std::uint32_t number) const;
    // The window the compositor has made active; none while no window is.
    std::optional<QString> active() const { return active_; }

    // Takes a whole list, {"windows": [...], "active": id}; true when the active window changed.
    bool takeList(const QJsonObject& report);
    // Takes one window's news: it replaces what was known, or stands in front when new.
    void update(const ReportedWindow& window);
    // The window being moved is the front one.
    void bringToFront(const ReportedWindow& window);
    // What was asked for is what the window will be: reads that follow see it at once.
    void setFrame(const QString& id, const QRectF& frame);

private:
    QList<ReportedWindow> windows_;
    QHash<QString, std::uint32_t> numbers_;
    QHash<std::uint32_t, QString> ids_;
    std::optional<QString> active_;
};

} // namespace corvane
