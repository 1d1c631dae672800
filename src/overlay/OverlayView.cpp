// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/OverlayView.h"

#include "models/ZoneGeometry.h"
#include "overlay/ShadowBlur.h"
#include "overlay/ShapedPainting.h"
#include "settings/Settings.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

constexpr double labelAlpha = 0.8;
constexpr double labelShadowAlpha = 0.5;
// The label's shadow: one point below the text (the platform's offset (0, -1) is upwards in a
// bottom-left view), blurred by 2 points.
constexpr double labelShadowOffset = 1;
constexpr double labelShadowBlur = 2;
// Room around the text for the shadow's offset and blur.
constexpr double labelMargin = 5;
// The shaped look's outlines in whole pixels: a plain zone's lies just outside its shape (the
// translucent fill covers the inner half of a thin stroke), a highlighted zone's wide one is
// centred on the shape's edge.
constexpr int plainOutlineOutside = 1;
constexpr int highlightOutlineOutside = 3;
constexpr int highlightOutlineInside = 2;
// A plain zone's ring, shaped: a dark edge, the zone colour, a dark edge, from outside in, so it
// reads on light and dark backgrounds alike.
constexpr int ringWidth = 4;
constexpr int ringColourInside = 2;
const QColor ringEdgeColour(0x1c, 0x1c, 0x1e);
const QColor badgeColour(0x1c, 0x1c, 0x1e);
constexpr int badgePadding = 4;
constexpr int badgeRadius = 6;
// Translucent, the badge still keeps the white number at more than 3:1 over a white desktop.
constexpr double translucentBadgeAlpha = 0.75;
// The target's ring, shaped: thick enough to see at a glance, while the middle stays open so
// the dragged window shows through it.
constexpr int highlightRingWidth = 12;
constexpr int highlightRingEdge = 2;

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

OverlayView::OverlayView(QWidget* parent)
    : OverlayContent(parent), normalZoneColor_(Settings::defaultZoneColors().normal),
      highlightZoneColor_(Settings::defaultZoneColors().highlight)
{
    setFocusPolicy(Qt::NoFocus);
}

OverlayView::~OverlayView() = default;

void OverlayView::setCustomZones(std::optional<ZoneList> zones)
{
    customZones_ = std::move(zones);
    plainShape_.reset();
    dropRestingImage();
    update();
    notifyShapeChanged();
}

void OverlayView::setHighlightedZone(std::optional<Zone> zone)
{
    const std::optional<Zone> previous = std::exchange(highlightedZone_, std::move(zone));
    const bool sameId = previous.has_value() == highlightedZone_.has_value() &&
                        (!previous || previous->id == highlightedZone_->id);
    // The drag handler sets the nearest zone at every pointer move; mostly it is the same one.
    if (sameId)
        return;
    update(highlightChangeRegion(previous, highlightedZone_));
    notifyShapeChanged();
}

void OverlayView::setSpannedZones(const ZoneList& zones)
{
    QList<QUuid> ids;
    ids.reserve(zones.size());
    for (const Zone& zone : zones)
        ids.append(zone.id);
    if (ids == spannedZones_)
        return;
    const QList<QUuid> previous = std::exchange(spannedZones_, ids);
    // Only the zones that joined or left the span look different.
    QRegion changed;
    if (customZones_) {
        for (int i = 0; i < customZones_->size(); ++i) {
            const Zone& zone = customZones_->at(i);
            if (previous.contains(zone.id) != spannedZones_.contains(zone.id))
                changed += paintBounds(zone, i, true);
        }
    }
    restingStale_ += changed & rect();
    update(changed & rect());
    notifyShapeChanged();
}

void OverlayView::setNormalZoneColor(const QColor& color)
{
    if (color == normalZoneColor_)
        return;
    normalZoneColor_ = color;
    dropRestingImage();
    update();
}

void OverlayView::setHighlightZoneColor(const QColor& color)
{
    if (color == highlightZoneColor_)
        return;
    highlightZoneColor_ = color;
    dropRestingImage();
    update();
}

void OverlayView::setSpaceAroundZones(double space)
{
    if (space == spaceAroundZones_)
        return;
    spaceAroundZones_ = space;
    plainShape_.reset();
    dropRestingImage();
    update();
    notifyShapeChanged();
}

void OverlayView::setCachingEnabled(bool enabled)
{
    cachingEnabled_ = enabled;
    glow_.setCachingEnabled(enabled);
    labels_.clear();
    dropRestingImage();
    update();
}

std::optional<QRectF> OverlayView::zoneRect(const Zone& zone) const
{
    // The one flip from the zone's bottom-left view rectangle to the painter's coordinates; the
    // space around zones is laid out directly in the painter's, which grow downwards like
    // unit space.
    const Rect r =
        spaceAroundZones_ > 0
            ? unitRectInAreaWithSpace(zone.frame, Rect(0, 0, width(), height()), spaceAroundZones_)
            : flipRectInView(zoneUnitRectInView(zone.frame, width(), height()), height());
    if (!std::isfinite(r.x) || !std::isfinite(r.y) || !std::isfinite(r.width) ||
        !std::isfinite(r.height))
        return std::nullopt;
    return QRectF(r.x, r.y, r.width, r.height);
}

QRectF OverlayView::nearbyArea() const
{
    return QRectF(rect()).adjusted(-clipMargin, -clipMargin, clipMargin, clipMargin);
}

std::optional<QRectF> OverlayView::shapeRect(const QRectF& zoneRect) const
{
    // Shapes stay at least as far apart as without space around zones; from `spacing` on they
    // sit exactly where the windows go.
    const double inset = std::max(0.0, spacing - spaceAroundZones_);
    const QRectF shape = zoneRect.adjusted(inset, inset, -inset, -inset);
    if (!(shape.width() > 0 && shape.height() > 0))
        return std::nullopt;
    // Cut far enough outside the view that no corner, outline or glow of the cut edge shows:
    // a zone within the view keeps its exact rectangle.
    const QRectF cut = shape & nearbyArea();
    if (!(cut.width() > 0 && cut.height() > 0))
        return std::nullopt;
    return cut;
}

QFont OverlayView::labelFont() const
{
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(labelPixelSize);
    return font;
}

QRectF OverlayView::labelRect(const QRectF& zoneRect, int number) const
{
    const QFontMetricsF metrics(labelFont());
    const QSizeF size(metrics.horizontalAdvance(QString::number(number)), metrics.height());
    return {zoneRect.center().x() - size.width() / 2, zoneRect.center().y() - size.height() / 2,
            size.width(), size.height()};
}

std::optional<QRectF> OverlayView::visibleLabelRect(const QRectF& zoneRect, int number) const
{
    if (number > maxLabelledZone)
        return std::nullopt;
    const QRectF box = labelRect(zoneRect, number);
    if (!box.intersects(nearbyArea()))
        return std::nullopt;
    return box;
}

bool OverlayView::isHighlighted(const Zone& zone) const
{
    return (highlightedZone_ && highlightedZone_->id == zone.id) || spannedZones_.contains(zone.id);
}

QRect OverlayView::paintBounds(const Zone& zone, int index, bool highlighted) const
{
    const auto r = zoneRect(zone);
    if (!r)
        return {};
    QRectF bounds = r->normalized() & nearbyArea();
    if (const auto shape = shapeRect(*r); shape && highlighted)
        bounds = bounds.united(ZoneGlow::bounds(*shape));
    if (const auto box = visibleLabelRect(*r, index + 1))
        bounds = bounds.united(box->adjusted(-labelMargin, -labelMargin, labelMargin, labelMargin));
    if (bounds.isEmpty())
        return {};
    // Anti-aliased edges may touch the next pixel.
    return bounds.toAlignedRect().adjusted(-1, -1, 1, 1);
}

QRect OverlayView::highlightBounds() const
{
    QRect bounds;
    if (!customZones_ || !highlightedZone_)
        return bounds;
    for (int i = 0; i < customZones_->size(); ++i) {
        if (customZones_->at(i).id == highlightedZone_->id)
            bounds |= paintBounds(customZones_->at(i), i, true);
    }
    return bounds & rect();
}

QRegion OverlayView::highlightChangeRegion(const std::optional<Zone>& from,
                                           const std::optional<Zone>& to) const
{
    QRegion region;
    if (!customZones_)
        return region;
    for (int i = 0; i < customZones_->size(); ++i) {
        const Zone& zone = customZones_->at(i);
        if ((from && from->id == zone.id) || (to && to->id == zone.id))
            region += paintBounds(zone, i, true);
    }
    return region & rect();
}

OverlayView::Label OverlayView::renderLabel(int number) const
{
    const QString text = QString::number(number);
    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    const QSizeF textSize(metrics.horizontalAdvance(text), metrics.height());
    const qreal dpr = devicePixelRatioF();
    const QSize pixels(int(std::ceil((textSize.width() + 2 * labelMargin) * dpr)),
                       int(std::ceil((textSize.height() + 2 * labelMargin) * dpr)));
    // Shaped, the label is painted over an opaque zone and its colours at full strength keep
    // the white number readable on a zone that is white too.
    const QColor textColor = isShaped() ? QColor(Qt::white) : withAlpha(Qt::white, labelAlpha);
    const QColor shadowColor =
        isShaped() ? QColor(Qt::black) : withAlpha(Qt::black, labelShadowAlpha);

    QImage mask(pixels, QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(dpr);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setFont(font);
        p.setPen(textColor);
        p.drawText(QPointF(labelMargin, labelMargin + labelShadowOffset + metrics.ascent()), text);
    }
    QImage image =
        blurredShadow(mask, std::max(1, int(std::lround(labelShadowBlur / 2 * dpr))), shadowColor);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(textColor);
        p.drawText(QPointF(labelMargin, labelMargin + metrics.ascent()), text);
    }
    return {image, textSize, labelMargin};
}

OverlayView::Label OverlayView::label(int number)
{
    const qreal dpr = devicePixelRatioF();
    if (dpr != labelsRatio_) {
        labels_.clear();
        labelsRatio_ = dpr;
    }
    if (number > maxCachedLabel)
        return renderLabel(number);
    auto it = labels_.constFind(number);
    if (it == labels_.constEnd())
        it = labels_.insert(number, renderLabel(number));
    return *it;
}

QRegion OverlayView::outlineOuterRegion(const QRectF& shape, bool highlighted)
{
    const double grow = highlighted ? highlightOutlineOutside : plainOutlineOutside;
    return roundedRectRegion(shape.adjusted(-grow, -grow, grow, grow), cornerRadius + grow);
}

QRegion OverlayView::outlineInnerRegion(const QRectF& shape, bool highlighted)
{
    const double shrink = highlighted ? highlightOutlineInside : 0;
    return roundedRectRegion(shape.adjusted(shrink, shrink, -shrink, -shrink),
                             cornerRadius - shrink);
}

QRegion OverlayView::insetRegion(const QRectF& shape, double inset)
{
    return roundedRectRegion(shape.adjusted(inset, inset, -inset, -inset),
                             std::max(0.0, cornerRadius - inset));
}

QRegion OverlayView::ringHoleRegion(const QRectF& shape)
{
    return roundedRectRegion(
        shape.adjusted(ringWidth - plainOutlineOutside, ringWidth - plainOutlineOutside,
                       plainOutlineOutside - ringWidth, plainOutlineOutside - ringWidth),
        cornerRadius - ringWidth + plainOutlineOutside);
}

QRegion OverlayView::badgeRegion(const QRectF& labelBox)
{
    return roundedRectRegion(labelBox.adjusted(-badgePadding, 0, badgePadding, 0).toAlignedRect(),
                             badgeRadius);
}

QRegion OverlayView::shape() const
{
    if (!customZones_)
        return {};
    if (!plainShape_) {
        QRegion plain;
        for (int i = 0; i < customZones_->size(); ++i) {
            const auto r = zoneRect(customZones_->at(i));
            if (!r)
                continue;
            if (const auto s = shapeRect(*r))
                plain += outlineOuterRegion(*s, false) - ringHoleRegion(*s);
            if (const auto box = visibleLabelRect(*r, i + 1))
                plain += badgeRegion(*box);
        }
        plainShape_ = plain & rect();
    }
    QRegion result = *plainShape_;
    for (const Zone& zone : *customZones_) {
        if (!isHighlighted(zone))
            continue;
        if (const auto r = zoneRect(zone)) {
            if (const auto s = shapeRect(*r))
                result +=
                    (outlineOuterRegion(*s, true) - insetRegion(*s, highlightRingWidth)) & rect();
        }
    }
    return result;
}

void OverlayView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    plainShape_.reset();
    dropRestingImage();
    notifyShapeChanged();
}

void OverlayView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A display-sized image is tens of megabytes, and the glow's rings a few; the next drag
    // paints them again.
    dropRestingImage();
    glow_.trim();
}

void OverlayView::shapedChanged()
{
    // The labels are drawn differently in the two looks.
    labels_.clear();
    dropRestingImage();
}

void OverlayView::dropRestingImage()
{
    resting_ = QImage();
    restingStale_ = QRegion();
    restingSeen_ = QRegion();
}

bool OverlayView::prepareRestingImage(const QPainter& painter)
{
    // Shaped, the zones are plain regions that cost little to fill: no image is worth its memory.
    if (!cachingEnabled_ || isShaped() || !customZones_)
        return false;
    // Copied pixels must be exactly the ones painting would give: same format, same scale, whole
    // pixel offsets.
    const QPaintDevice* device =
        painter.isActive() ? painter.paintEngine()->paintDevice() : nullptr;
    const QTransform toDevice = painter.deviceTransform();
    const qreal ratio = toDevice.m11();
    if (!device || device->devType() != QInternal::Image || toDevice.type() > QTransform::TxScale ||
        !(ratio > 0) || toDevice.m22() != ratio || toDevice.dx() != std::round(toDevice.dx()) ||
        toDevice.dy() != std::round(toDevice.dy()))
        return false;
    const QImage::Format format = static_cast<const QImage*>(device)->format();
    const QSize pixels(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
    if (resting_.size() != pixels || resting_.format() != format ||
        resting_.devicePixelRatio() != ratio) {
        // Its memory is taken only as parts of it are painted.
        resting_ = QImage(pixels, format);
        if (resting_.isNull()) // out of memory: paint everything as without the image
            return false;
        resting_.setDevicePixelRatio(ratio);
        restingStale_ = rect();
        restingSeen_ = QRegion();
    }
    return true;
}

void OverlayView::freshenRestingImage(const QRegion& area)
{
    const QRegion stale = area & restingStale_;
    if (stale.isEmpty())
        return;
    QPainter painter(&resting_);
    painter.setClipRegion(stale);
    paintOverlay(painter, stale, false);
    restingStale_ -= stale;
}

void OverlayView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    QRegion painted = event->region();
    if (prepareRestingImage(painter)) {
        // Only the highlighted zone looks different from the resting picture, and only within
        // its bounds. The picture is filled in only where a partial repaint comes back to: the
        // first paint of an area goes straight to the screen as without the picture, so that
        // the overlay's first paint and a short drag never wait for it (the image's fresh
        // memory costs as much as painting). A repaint that is only partly a return paints
        // directly too: filling the returning part would paint its zones twice.
        const QRegion outside = painted - highlightBounds();
        if (!(QRegion(rect()) - painted).isEmpty()) {
            const QRegion stale = outside & restingStale_;
            if ((stale - restingSeen_).isEmpty())
                freshenRestingImage(stale);
            restingSeen_ += stale;
        }
        const QRegion copied = outside - restingStale_;
        const qreal ratio = resting_.devicePixelRatio();
        // The copy replaces the tint as painting does.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : copied)
            painter.drawImage(
                QRectF(r), resting_,
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
        painted -= copied;
        if (painted.isEmpty())
            return;
        painter.setClipRegion(painted);
    }
    paintOverlay(painter, painted, true);
    if (!cachingEnabled_)
        labels_.clear();
}

void OverlayView::paintOverlay(QPainter& painter, const QRegion& exposed, bool withHighlight)
{
    // The whole display is tinted; the tint replaces whatever was there. Shaped, only the zones
    // are painted, and whatever the mask lets through between them must not hold old pixels.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), isShaped() ? QColor(Qt::transparent) : normalZoneColor_);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!customZones_)
        return;
    // A one-bit mask has no soft edges to match.
    painter.setRenderHint(QPainter::Antialiasing, !isShaped());
    for (int i = 0; i < customZones_->size(); ++i) {
        const Zone& zone = customZones_->at(i);
        const bool highlighted =
            withHighlight ? isHighlighted(zone) : spannedZones_.contains(zone.id);
        if (exposed.intersects(paintBounds(zone, i, highlighted)))
            paintZone(painter, zone, i, highlighted);
    }
}

void OverlayView::paintZone(QPainter& painter, const Zone& zone, int index, bool highlighted)
{
    const auto r = zoneRect(zone);
    if (!r)
        return;
    if (const auto shape = shapeRect(*r); shape && isShaped()) {
        if (highlighted) {
            // A thick ring in the highlight colour between a light and a dark edge: no doubt
            // which zone the window will fill, and the window stays in sight inside it.
            fillRegion(painter, outlineOuterRegion(*shape, true), Qt::white);
            fillRegion(painter, outlineInnerRegion(*shape, true), opaque(highlightZoneColor_));
            fillRegion(painter, insetRegion(*shape, highlightRingWidth - highlightRingEdge),
                       ringEdgeColour);
        } else {
            // Only the ring is inside the window's shape; the middle shows the desktop.
            fillRegion(painter, outlineOuterRegion(*shape, false), ringEdgeColour);
            fillRegion(painter, roundedRectRegion(*shape, cornerRadius), opaque(normalZoneColor_));
            fillRegion(painter,
                       roundedRectRegion(shape->adjusted(ringColourInside, ringColourInside,
                                                         -ringColourInside, -ringColourInside),
                                         cornerRadius - ringColourInside),
                       ringEdgeColour);
        }
    } else if (shape) {
        QPainterPath path;
        path.addRoundedRect(*shape, cornerRadius, cornerRadius);
        if (highlighted) {
            const ZoneGlow::Style style{withAlpha(highlightZoneColor_, glowAlpha),
                                        highlightZoneColor_.alphaF(), cornerRadius,
                                        highlightOutlineWidth};
            glow_.paint(painter, *shape, style, devicePixelRatioF());
            painter.fillPath(path, highlightZoneColor_);
            painter.strokePath(path, QPen(Qt::white, highlightOutlineWidth));
        } else {
            // The fill covers the inner half of the outline.
            painter.strokePath(path, QPen(Qt::white, outlineWidth));
            painter.fillPath(path, normalZoneColor_);
        }
    }
    // Centred on the zone's rectangle, not on the inset shape.
    if (const auto box = visibleLabelRect(*r, index + 1)) {
        fillRegion(painter, badgeRegion(*box),
                   isShaped() ? badgeColour : withAlpha(badgeColour, translucentBadgeAlpha));
        const Label l = label(index + 1);
        painter.drawImage(QPointF(box->x() - l.margin, box->y() - l.margin), l.image);
    }
}

} // namespace corvane
