// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ZoneNavigator.h"

#include "models/ZoneGeometry.h"
#include "windows/WindowSnapper.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace corvane {
namespace {

// A window fills a zone when it covers nearly the same area: windows that size in steps (a
// terminal's character cells) fall a little short of the zone's exact size.
constexpr double fillsZoneOverlap = 0.9;

double area(const Rect& r)
{
    return std::max(0.0, r.width) * std::max(0.0, r.height);
}

double intersectionArea(const Rect& a, const Rect& b)
{
    const double w = std::min(a.maxX(), b.maxX()) - std::max(a.minX(), b.minX());
    const double h = std::min(a.maxY(), b.maxY()) - std::max(a.minY(), b.minY());
    return w > 0 && h > 0 ? w * h : 0;
}

// Intersection over union: 1 for the same rectangle, 0 for rectangles apart.
double overlap(const Rect& a, const Rect& b)
{
    const double shared = intersectionArea(a, b);
    const double total = area(a) + area(b) - shared;
    return total > 0 ? shared / total : 0;
}

// The zone (index) the window is in, if any.
std::optional<qsizetype> zoneHolding(const Rect& window, const ZoneList& zones,
                                     const Display& display, const DisplayList& screens,
                                     double space,
                                     const std::optional<ZoneNavigator::Placement>& last)
{
    std::optional<qsizetype> best;
    double bestOverlap = fillsZoneOverlap;
    for (qsizetype i = 0; i < zones.size(); ++i) {
        const auto target = WindowSnapper::targetFrame(zones.at(i), display, screens, space);
        if (!target)
            continue;
        if (const double o = overlap(window, *target); o >= bestOverlap) {
            best = i;
            bestOverlap = o;
        }
    }
    if (best || !last || last->displayKey != display.key)
        return best;
    const auto placed = std::find_if(zones.begin(), zones.end(),
                                     [&](const Zone& z) { return z.id == last->zoneId; });
    if (placed == zones.end())
        return std::nullopt;
    const auto target = WindowSnapper::targetFrame(*placed, display, screens, space);
    if (target && target->contains(Point{window.midX(), window.midY()}))
        return placed - zones.begin();
    return std::nullopt;
}

// Display indices from left to right (top to bottom where they share a left edge).
QList<qsizetype> leftToRight(const DisplayList& screens)
{
    QList<qsizetype> order(screens.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const Rect& fa = screens.at(a).frame;
        const Rect& fb = screens.at(b).frame;
        if (fa.minX() != fb.minX())
            return fa.minX() < fb.minX();
        return fa.minY() < fb.minY();
    });
    return order;
}

double horizontalOverlap(const Rect& a, const Rect& b)
{
    return std::min(a.maxX(), b.maxX()) - std::max(a.minX(), b.minX());
}

// The zone nearest `from` straight above (or below) it, overlapping it horizontally; all in
// global coordinates. Zones that touch count as next to each other, to the pixel.
std::optional<qsizetype> zoneInDirection(const Rect& from, const QList<Rect>& zones, bool up)
{
    constexpr double touching = 1;
    std::optional<qsizetype> best;
    double bestGap = 0;
    double bestOverlap = 0;
    for (qsizetype i = 0; i < zones.size(); ++i) {
        const Rect& r = zones.at(i);
        const double shared = horizontalOverlap(r, from);
        if (shared < touching)
            continue;
        const double gap = up ? from.minY() - r.maxY() : r.minY() - from.maxY();
        if (gap < -touching)
            continue;
        if (!best || gap < bestGap - touching ||
            (std::abs(gap - bestGap) <= touching && shared > bestOverlap)) {
            best = i;
            bestGap = gap;
            bestOverlap = shared;
        }
    }
    return best;
}

QList<Rect> zoneRects(const ZoneList& zones, const Display& display)
{
    QList<Rect> rects;
    for (const Zone& zone : zones)
        rects.append(zoneTargetFrame(zone, display.visibleFrame));
    return rects;
}

// The nearest display straight above (or below) the display, overlapping the zone horizontally.
std::optional<qsizetype> displayInDirection(qsizetype here, const Rect& zone,
                                            const DisplayList& screens, bool up)
{
    QList<Rect> frames;
    for (qsizetype d = 0; d < screens.size(); ++d)
        frames.append(d == here ? Rect() : screens.at(d).frame);
    return zoneInDirection(zone, frames, up);
}

} // namespace

std::optional<ZoneRequest> ZoneRequest::parse(const QString& text)
{
    const QString word = text.trimmed().toLower();
    if (word == u"next")
        return ZoneRequest{Kind::Next, 0};
    if (word == u"previous" || word == u"prev")
        return ZoneRequest{Kind::Previous, 0};
    if (word == u"up")
        return ZoneRequest{Kind::Up, 0};
    if (word == u"down")
        return ZoneRequest{Kind::Down, 0};
    bool ok = false;
    const int number = word.toInt(&ok);
    // The keys reach zones 1 to 9; so do commands, so that both mean the same.
    if (!ok || number < 1 || number > 9)
        return std::nullopt;
    return ZoneRequest{Kind::Number, number};
}

QString ZoneRequest::text() const
{
    switch (kind) {
    case Kind::Next:
        return QStringLiteral("next");
    case Kind::Previous:
        return QStringLiteral("previous");
    case Kind::Up:
        return QStringLiteral("up");
    case Kind::Down:
        return QStringLiteral("down");
    case Kind::Number:
        break;
    }
    return QString::number(number);
}

std::optional<qsizetype> ZoneNavigator::displayOf(const Rect& windowFrame,
                                                  const DisplayList& screens)
{
    if (screens.isEmpty())
        return std::nullopt;
    const Rect& onScreen = windowFrame;
    if (const auto d = screenContainingPoint(Point{onScreen.midX(), onScreen.midY()}, screens))
        return screens.indexOf(*d);
    qsizetype best = 0;
    double bestArea = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        if (const double a = intersectionArea(onScreen, screens.at(i).frame); a > bestArea) {
            best = i;
            bestArea = a;
        }
    }
    return best;
}

ZoneNavigator::Result ZoneNavigator::choose(const ZoneRequest& request, const Rect& windowFrame,
                                            const DisplayList& screens, const ZoneTable& zones,
                                            Options options, const std::optional<Placement>& last)
{
    const auto here = displayOf(windowFrame, screens);
    if (!here)
        return {std::nullopt,
                QCoreApplication::translate("ZoneNavigator", "No display is connected")};
    const auto zonesOf = [&](qsizetype d) { return zones.value(monitorID(screens.at(d))); };
    const auto chosen = [&](qsizetype d, qsizetype zone) {
        return Result{ZoneChoice{screens.at(d), zonesOf(d).at(zone), static_cast<int>(zone) + 1},
                      QString()};
    };
    const ZoneList local = zonesOf(*here);

    if (request.kind == ZoneRequest::Kind::Number) {
        if (request.number < 1 || request.number > local.size())
            return {
                std::nullopt,
                (local.size() == 1
                     ? QCoreApplication::translate(
                           "ZoneNavigator", "Display %1 has no zone %2: its layout has one zone")
                     : QCoreApplication::translate(
                           "ZoneNavigator", "Display %1 has no zone %2: its layout has %n zones",
                           nullptr, int(local.size())))
                    .arg(*here + 1)
                    .arg(request.number)};
        return chosen(*here, request.number - 1);
    }

    auto current =
        zoneHolding(windowFrame, local, screens.at(*here), screens, options.spaceAroundZones, last);
    if (!current) {
        const Point centre{windowFrame.midX(), windowFrame.midY()};
        if (const auto nearest = zoneNearestPoint(centre, screens.at(*here).visibleFrame, local))
            return chosen(*here, *nearest);
    }
    if (request.kind == ZoneRequest::Kind::Up || request.kind == ZoneRequest::Kind::Down) {
        const bool up = request.kind == ZoneRequest::Kind::Up;
        const auto none = [&] {
            return Result{
                std::nullopt,
                up ? QCoreApplication::translate("ZoneNavigator", "No zone lies above the window")
                   : QCoreApplication::translate("ZoneNavigator", "No zone lies below the window")};
        };
        if (!current)
            return none();
        const Rect from = zoneTargetFrame(local.at(*current), screens.at(*here).visibleFrame);
        if (const auto zone = zoneInDirection(from, zoneRects(local, screens.at(*here)), up))
            return chosen(*here, *zone);
        if (!options.acrossDisplays)
            return none();
        const auto next = displayInDirection(*here, from, screens, up);
        if (!next)
            return none();
        if (const auto zone =
                zoneInDirection(from, zoneRects(zonesOf(*next), screens.at(*next)), up))
            return chosen(*next, *zone);
        return none();
    }
    const bool forward = request.kind == ZoneRequest::Kind::Next;
    // Within the display while there is a zone further on.
    if (current && forward && *current + 1 < local.size())
        return chosen(*here, *current + 1);
    if (current && !forward && *current > 0)
        return chosen(*here, *current - 1);
    if (!options.acrossDisplays) {
        if (local.isEmpty())
            return {std::nullopt,
                    QCoreApplication::translate("ZoneNavigator", "Display %1 has no zones")
                        .arg(*here + 1)};
        return chosen(*here, forward ? 0 : local.size() - 1);
    }
    // On to the neighbouring displays in turn, back round to this one.
    const QList<qsizetype> order = leftToRight(screens);
    const qsizetype position = order.indexOf(*here);
    const qsizetype count = order.size();
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype d =
            order.at(((forward ? position + step : position - step) % count + count) % count);
        const ZoneList next = zonesOf(d);
        if (!next.isEmpty())
            return chosen(d, forward ? 0 : next.size() - 1);
    }
    return {std::nullopt, QCoreApplication::translate("ZoneNavigator", "No display has zones")};
}

} // namespace corvane
