// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/GridView.h"

#include "models/ZoneGeometry.h"
#include "overlay/ShapedPainting.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace corvane {
namespace {

constexpr double outlineWidth = 1.5;
constexpr double selectionWidth = 2.0;
constexpr double editingFillAlpha = 0.3;
constexpr double passiveFillAlpha = 0.1;
// The shaped look's outline: one whole pixel on each side of the zone's edge.
constexpr int shapedOutline = 1;
// Shaped, a zone is a ring this many pixels wide inside its edge (outline included), and the
// desktop shows in its middle: an opaque fill would hide the windows beneath.
constexpr int shapedRing = 6;
// The focus ring: a band this far outside the zone's edge, white with a line of the zone
// colour in its middle (two points wide), so that it shows over light and dark windows alike.
constexpr int focusRingFrom = 3;
constexpr int focusRingTo = 7;
// Zone numbers: white on a near-black badge (far above 3:1 whatever lies behind).
constexpr int numberPixelSize = 18;
constexpr double badgePaddingX = 6;
constexpr double badgePaddingY = 2;
constexpr double badgeRadius = 6;
const QColor badgeColor(0x1c, 0x1c, 0x1e);

// A rectangle grown by the shaped outline on every side.
QRect outlined(const QRect& r)
{
    return r.adjusted(-shapedOutline, -shapedOutline, shapedOutline, shapedOutline);
}

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

// A square of the given side centred on a point.
Rect squareAround(Point centre, double side)
{
    return {centre.x - side / 2, centre.y - side / 2, side, side};
}

// The one conversion from the view's bottom-left rectangles to the painter's top-left ones.
QRectF toPainter(const Rect& rect, double viewHeight)
{
    const Rect flipped = flipRectInView(rect, viewHeight);
    return {flipped.x, flipped.y, flipped.width, flipped.height};
}

bool isFinite(const Rect& r)
{
    return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
           std::isfinite(r.height);
}

// The band between `from` and `to` pixels outside a rectangle.
QRegion bandAround(const QRect& r, int from, int to)
{
    return QRegion(r.adjusted(-to, -to, to, to)) - QRegion(r.adjusted(-from, -from, from, from));
}

// A shaped zone's ring: from its outline outside the edge to `shapedRing` pixels inside it.
QRegion ringAround(const QRect& r)
{
    return bandAround(r, -shapedRing, shapedOutline);
}

QFont numberFont(QFont font)
{
    font.setBold(true);
    font.setPixelSize(numberPixelSize);
    return font;
}

} // namespace

GridView::GridView(QWidget* parent) : OverlayContent(parent)
{
    // The view is a pointer surface only; keys belong to the editor's toolbar.
    setFocusPolicy(Qt::NoFocus);
}

void GridView::setCustomZones(std::optional<ZoneList> zones)
{
    customZones_ = std::move(zones);
    update();
    notifyShapeChanged();
}

void GridView::setShowStrokes(bool show)
{
    showStrokes_ = show;
    update();
    notifyShapeChanged();
}

void GridView::setEditing(bool editing)
{
    isEditing_ = editing;
    update();
    notifyShapeChanged();
}

void GridView::setOverlayColor(const QColor& color)
{
    overlayColor_ = color;
    update();
}

void GridView::setFocusedZone(const std::optional<QUuid>& id, bool focusRing)
{
    selectedZone_.reset();
    if (id && customZones_) {
        for (const Zone& zone : *customZones_) {
            if (zone.id == *id)
                selectedZone_ = zone;
        }
    }
    focusRing_ = focusRing;
    update();
    notifyShapeChanged();
}

Rect GridView::steppedFrame(const Rect& frame, double dx, double dy, bool resize)
{
    Rect f = frame;
    if (!resize) {
        f.x = std::max(0.0, std::min(f.x + dx, 1 - f.width));
        f.y = std::max(0.0, std::min(f.y + dy, 1 - f.height));
        return f;
    }
    // A zone already smaller than the minimum (a stored one may be) is not shrunk further, nor
    // is one already reaching past the edge cut back by growing it.
    const auto resized = [](double size, double delta, double room) {
        const double wanted = size + delta;
        return std::clamp(wanted, std::min(size, minimumZoneSize), std::max(size, room));
    };
    f.width = resized(f.width, dx, 1 - f.x);
    f.height = resized(f.height, dy, 1 - f.y);
    return f;
}

void GridView::setSpaceAroundZones(double space)
{
    spaceAroundZones_ = space;
    update();
    notifyShapeChanged();
}

Point GridView::viewPoint(QPointF widgetPosition) const
{
    return {widgetPosition.x(), height() - widgetPosition.y()};
}

Rect GridView::viewRect(const Zone& zone) const
{
    return zoneUnitRectInView(zone.frame, width(), height());
}

std::optional<Zone> GridView::zoneAt(QPointF widgetPosition) const
{
    return zoneAtViewPoint(viewPoint(widgetPosition));
}

std::optional<GridView::HandlePosition> GridView::handleAt(QPointF widgetPosition,
                                                           const Zone& zone) const
{
    return handleAtViewPoint(viewPoint(widgetPosition), zone);
}

std::optional<Zone> GridView::zoneAtViewPoint(Point p) const
{
    if (!customZones_ || width() <= 0 || height() <= 0)
        return std::nullopt;
    // Unit space has its origin at the top, so its minY is the zone's top edge: the half-open
    // test keeps the left and top edges and leaves out the right and bottom ones.
    const Point unit{p.x / width(), 1 - p.y / height()};
    for (const Zone& zone : *customZones_) {
        // A zone too large to be painted cannot be hit either.
        if (isFinite(viewRect(zone)) && zone.frame.contains(unit))
            return zone;
    }
    return std::nullopt;
}

std::optional<GridView::HandlePosition> GridView::handleAtViewPoint(Point p, const Zone& zone) const
{
    const Rect r = viewRect(zone);
    const std::array<std::pair<Point, HandlePosition>, 4> corners{{
        {{r.minX(), r.minY()}, HandlePosition::bottomLeft},
        {{r.maxX(), r.minY()}, HandlePosition::bottomRight},
        {{r.minX(), r.maxY()}, HandlePosition::topLeft},
        {{r.maxX(), r.maxY()}, HandlePosition::topRight},
    }};
    for (const auto& [corner, handle] : corners) {
        if (squareAround(corner, handleHitArea).contains(p))
            return handle;
    }
    return std::nullopt;
}

void GridView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (isShaped()) {
        // What the mask lets through must not hold pixels of an earlier frame.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (!customZones_ || !showStrokes_)
        return;
    painter.setRenderHint(QPainter::Antialiasing, !isShaped());
    // Later zones paint over earlier ones.
    for (int i = 0; i < customZones_->size(); ++i) {
        if (isShaped())
            paintShapedZone(painter, customZones_->at(i), i + 1);
        else
            paintZone(painter, customZones_->at(i), i + 1);
    }
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    notifyShapeChanged();
}

QRectF GridView::nearbyArea() const
{
    return QRectF(rect()).adjusted(-clipMargin, -clipMargin, clipMargin, clipMargin);
}

std::optional<QRectF> GridView::paintedRect(const Zone& zone) const
{
    // Stored zones may hold any numbers; what is not a rectangle is not painted, and a huge one
    // is cut just outside the view (where its outline does not show) before the painter sees it.
    const Rect r = viewRect(zone);
    if (!isFinite(r))
        return std::nullopt;
    QRectF painted = toPainter(r, height());
    if (!isEditing_ && spaceAroundZones_ > 0) {
        // Laid out in the painter's coordinates, which grow downwards like unit space.
        const Rect spaced =
            unitRectInAreaWithSpace(zone.frame, Rect(0, 0, width(), height()), spaceAroundZones_);
        painted = QRectF(spaced.x, spaced.y, spaced.width, spaced.height);
    }
    const QRectF shape = painted.normalized() & nearbyArea();
    if (shape.isEmpty())
        return std::nullopt;
    return shape;
}

bool GridView::showsHandles(const Zone& zone) const
{
    return isEditing_ && selectedZone_ && selectedZone_->id == zone.id;
}

bool GridView::showsFocusRing(const Zone& zone) const
{
    return focusRing_ && showsHandles(zone);
}

QRectF GridView::numberBadge(const QRectF& zoneRect, int number) const
{
    const QFontMetricsF metrics(numberFont(font()));
    const double height = metrics.height() + 2 * badgePaddingY;
    const double width =
        std::max(height, metrics.horizontalAdvance(QString::number(number)) + 2 * badgePaddingX);
    return {zoneRect.center().x() - width / 2, zoneRect.center().y() - height / 2, width, height};
}

void GridView::paintNumber(QPainter& painter, const QRectF& zoneRect, int number) const
{
    if (!isEditing_)
        return;
    const QRectF badge = numberBadge(zoneRect, number);
    if (isShaped()) {
        painter.fillRect(badge.toAlignedRect(), badgeColor);
    } else {
        QPainterPath path;
        path.addRoundedRect(badge, badgeRadius, badgeRadius);
        painter.fillPath(path, badgeColor);
    }
    painter.setFont(numberFont(font()));
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, QString::number(number));
}

QList<QRectF> GridView::handleSquares(const Rect& r) const
{
    const std::array<Point, 4> corners{
        {{r.minX(), r.minY()}, {r.maxX(), r.minY()}, {r.minX(), r.maxY()}, {r.maxX(), r.maxY()}}};
    QList<QRectF> squares;
    for (const Point& corner : corners) {
        const QRectF square = toPainter(squareAround(corner, handleSize), height());
        if (square.intersects(nearbyArea()))
            squares.append(square);
    }
    return squares;
}

void GridView::paintZone(QPainter& painter, const Zone& zone, int number) const
{
    const auto shape = paintedRect(zone);
    if (!shape)
        return;
    painter.fillRect(*shape,
                     withAlpha(overlayColor_, isEditing_ ? editingFillAlpha : passiveFillAlpha));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(Qt::white, 0.8), outlineWidth));
    painter.drawRect(*shape);
    paintNumber(painter, *shape, number);

    if (!showsHandles(zone))
        return;
    if (showsFocusRing(zone)) {
        const QRect inner = shape->toAlignedRect();
        fillRegion(painter, bandAround(inner, focusRingFrom, focusRingTo), Qt::white);
        fillRegion(painter, bandAround(inner, focusRingFrom + 1, focusRingTo - 1),
                   opaque(overlayColor_));
    }
    painter.setPen(QPen(overlayColor_, selectionWidth));
    painter.drawRect(*shape);
    paintHandles(painter, viewRect(zone));
}

void GridView::paintHandles(QPainter& painter, const Rect& r) const
{
    for (const QRectF& square : handleSquares(r)) {
        // The white fill comes after the outline and covers its inner half.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(overlayColor_, selectionWidth));
        painter.drawRect(square);
        painter.fillRect(square, Qt::white);
    }
}

void GridView::paintShapedZone(QPainter& painter, const Zone& zone, int number) const
{
    const auto shape = paintedRect(zone);
    if (!shape)
        return;
    const QRect inner = shape->toAlignedRect();
    const bool selected = showsHandles(zone);
    // Whole pixels from the outside in: the outline, the zone colour, a light inner edge; what
    // lies inside the ring is outside the window's shape.
    fillRegion(painter, ringAround(inner), Qt::white);
    if (selected)
        fillRegion(painter, bandAround(inner, -shapedOutline, shapedOutline),
                   opaque(overlayColor_));
    fillRegion(painter, bandAround(inner, 1 - shapedRing, -shapedOutline), opaque(overlayColor_));
    paintNumber(painter, *shape, number);
    if (!selected)
        return;
    if (showsFocusRing(zone)) {
        fillRegion(painter, bandAround(inner, focusRingFrom, focusRingTo), Qt::white);
        fillRegion(painter, bandAround(inner, focusRingFrom + 1, focusRingTo - 1),
                   opaque(overlayColor_));
    }
    for (const QRectF& square : handleSquares(viewRect(zone))) {
        const QRect handle = square.toAlignedRect();
        painter.fillRect(outlined(handle), opaque(overlayColor_));
        painter.fillRect(handle, Qt::white);
    }
}

QRegion GridView::shape() const
{
    QRegion region;
    if (!customZones_ || !showStrokes_)
        return region;
    int number = 0;
    for (const Zone& zone : *customZones_) {
        ++number;
        const auto shape = paintedRect(zone);
        if (!shape)
            continue;
        region += ringAround(shape->toAlignedRect());
        if (isEditing_)
            region += numberBadge(*shape, number).toAlignedRect();
        if (!showsHandles(zone))
            continue;
        if (showsFocusRing(zone))
            region += bandAround(shape->toAlignedRect(), focusRingFrom, focusRingTo);
        for (const QRectF& square : handleSquares(viewRect(zone)))
            region += outlined(square.toAlignedRect());
    }
    return region & rect();
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Point p = viewPoint(event->position());
    const std::optional<Zone> zone = zoneAtViewPoint(p);

    if (!isEditing_) {
        // Copies: a handler may replace itself or this view's state while it runs.
        if (auto handler = zoneClickedHandler; zone && handler)
            handler(*zone);
        return;
    }
    if (!zone) {
        selectedZone_.reset();
        update();
        notifyShapeChanged();
        return;
    }
    selectedZone_ = zone;
    isDragging_ = true;
    initialDragPoint_ = p;
    currentResizeHandle_ = handleAtViewPoint(p, *zone);
    update();
    notifyShapeChanged();
    if (auto handler = zoneClickedHandler)
        handler(*zone);
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (!isEditing_ || !isDragging_ || !selectedZone_ || !initialDragPoint_ || !customZones_)
        return;
    const double w = width();
    const double h = height();
    if (w <= 0 || h <= 0)
        return;
    const Point c = viewPoint(event->position());
    const Point s = *initialDragPoint_;

    const auto entry = std::find_if(customZones_->begin(), customZones_->end(),
                                    [&](const Zone& z) { return z.id == selectedZone_->id; });
    if (entry == customZones_->end())
        return;

    // Deltas between consecutive events, in unit space (positive dy moves down), so a zone
    // stopped at an edge follows the pointer again as soon as it turns back.
    const double dx = (c.x - s.x) / w;
    const double dy = -(c.y - s.y) / h;

    Rect f = selectedZone_->frame;
    if (!currentResizeHandle_) {
        f.x += dx;
        f.y += dy;
    } else {
        switch (*currentResizeHandle_) {
        case HandlePosition::topLeft:
            f = {f.x + dx, f.y + dy, f.width - dx, f.height - dy};
            break;
        case HandlePosition::topRight:
            f = {f.x, f.y + dy, f.width + dx, f.height - dy};
            break;
        case HandlePosition::bottomLeft:
            f = {f.x + dx, f.y, f.width - dx, f.height + dy};
            break;
        case HandlePosition::bottomRight:
            f = {f.x, f.y, f.width + dx, f.height + dy};
            break;
        }
    }
    // Position first, with the size as it stands; the minimum size comes last, so a zone that
    // is too small may reach past the edge.
    f.x = std::max(0.0, std::min(f.x, 1 - f.width));
    f.y = std::max(0.0, std::min(f.y, 1 - f.height));
    f.width = std::max(std::min(f.width, 1.0), minimumZoneSize);
    f.height = std::max(std::min(f.height, 1.0), minimumZoneSize);

    Zone moved = *selectedZone_;
    moved.frame = f;
    *entry = moved;
    selectedZone_ = moved;
    initialDragPoint_ = c;
    update();
    notifyShapeChanged();
    // A copy: the handler's owner may hand this view a new list while it runs.
    const ZoneList zones = *customZones_;
    if (auto handler = zoneUpdatedHandler)
        handler(zones);
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The selection stays; nothing is reported or redrawn.
    isDragging_ = false;
    initialDragPoint_.reset();
    currentResizeHandle_.reset();
}

} // namespace corvane
