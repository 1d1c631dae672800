// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted/ReportedWindows.h"

#include <QJsonArray>
#include <QJsonObject>
#include <utility>

namespace corvane {

std::optional<ReportedWindow> ReportedWindows::find(const QString& id) const
{
    for (const ReportedWindow& w : windows_) {
        if (w.id == id)
            return w;
    }
    return std::nullopt;
}

std::uint32_t ReportedWindows::numberOf(const QString& id)
{
    const auto it = numbers_.constFind(id);
    if (it != numbers_.constEnd())
        return *it;
    const auto number = static_cast<std::uint32_t>(numbers_.size() + 1);
    numbers_.insert(id, number);
    ids_.insert(number, id);
    return number;
}

std::optional<ReportedWindow> ReportedWindows::byNumber(std::uint32_t number) const
{
    const auto it = ids_.constFind(number);
    return it == ids_.constEnd() ? std::nullopt : find(*it);
}

bool ReportedWindows::takeList(const QJsonObject& report)
{
    QList<ReportedWindow> windows;
    for (const QJsonValue& v : report.value(QLatin1String("windows")).toArray())
        windows.append(ReportedWindow::fromJson(v.toObject()));
    windows_ = windows;
    const QString active = report.value(QLatin1String("active")).toString();
    const auto before =
        std::exchange(active_, active.isEmpty() ? std::nullopt : std::optional(active));
    return before != active_;
}

void ReportedWindows::update(const ReportedWindow& window)
{
    for (ReportedWindow& w : windows_) {
        if (w.id == window.id) {
            w = window;
            return;
        }
    }
    windows_.prepend(window);
}

void ReportedWindows::bringToFront(const ReportedWindow& window)
{
    windows_.removeIf([&](const ReportedWindow& w) { return w.id == window.id; });
    windows_.prepend(window);
}

void ReportedWindows::setFrame(const QString& id, const QRectF& frame)
{
    for (ReportedWindow& w : windows_) {
        if (w.id == id)
            w.frame = frame;
    }
}

} // namespace corvane
