#include "managers/OverlayView.h"

#include "app/Settings.h"
#include "managers/ShadowBlur.h"
#include "windows/ZoneGeometry.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
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

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

OverlayView::OverlayView(QWidget* parent)
    : QWidget(parent), normalZoneColor_(Settings::defaultZoneColors().normal),
      highlightZoneColor_(Settings::defaultZoneColors().highlight)
{
    setFocusPolicy(Qt::NoFocus);
}

OverlayView::~OverlayView() = default;

void OverlayView::setCustomZones(std::optional<ZoneList> zones)
{
    customZones_ = std::move(zones);
    update();
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
}

void OverlayView::setNormalZoneColor(const QColor& color)
{
    if (color == normalZoneColor_)
        return;
    normalZoneColor_ = color;
    update();
}

void OverlayView::setHighlightZoneColor(const QColor& color)
{
    if (color == highlightZoneColor_)
        return;
    highlightZoneColor_ = color;
    update();
}

void OverlayView::setCachingEnabled(bool enabled)
{
    cachingEnabled_ = enabled;
    glow_.setCachingEnabled(enabled);
    labels_.clear();
    update();
}

std::optional<QRectF> OverlayView::zoneRect(const Zone& zone) const
{
    // The one flip from the zone's bottom-left view rectangle to the painter's coordinates.
    const Rect r = flipRectInView(zoneUnitRectInView(zone.frame, width(), height()), height());
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
    const QRectF shape = zoneRect.adjusted(spacing, spacing, -spacing, -spacing);
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
    return highlightedZone_ && highlightedZone_->id == zone.id;
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
    const QColor textColor = withAlpha(Qt::white, labelAlpha);

    QImage mask(pixels, QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(dpr);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setFont(font);
        p.setPen(textColor);
        p.drawText(QPointF(labelMargin, labelMargin + labelShadowOffset + metrics.ascent()), text);
    }
    QImage image = blurredShadow(mask, std::max(1, int(std::lround(labelShadowBlur / 2 * dpr))),
                                 withAlpha(Qt::black, labelShadowAlpha));
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

void OverlayView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // The whole display is tinted; the tint replaces whatever was there.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), normalZoneColor_);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!customZones_)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QRegion& exposed = event->region();
    for (int i = 0; i < customZones_->size(); ++i) {
        const Zone& zone = customZones_->at(i);
        if (exposed.intersects(paintBounds(zone, i, isHighlighted(zone))))
            paintZone(painter, zone, i);
    }
    if (!cachingEnabled_)
        labels_.clear();
}

void OverlayView::paintZone(QPainter& painter, const Zone& zone, int index)
{
    const auto r = zoneRect(zone);
    if (!r)
        return;
    if (const auto shape = shapeRect(*r)) {
        QPainterPath path;
        path.addRoundedRect(*shape, cornerRadius, cornerRadius);
        if (isHighlighted(zone)) {
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
        const Label l = label(index + 1);
        painter.drawImage(QPointF(box->x() - l.margin, box->y() - l.margin), l.image);
    }
}

} // namespace corvane
