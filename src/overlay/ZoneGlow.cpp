// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/ZoneGlow.h"

#include "overlay/ShadowBlur.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace corvane {
namespace {

// Shapes of different sizes each keep their own small glow; a layout has only a few sizes.
constexpr qsizetype maxSmallGlows = 16;
// Large shapes keep their glow's ring for a few sizes: a layout has only a few, and a ring is
// up to a few megabytes on a large display.
constexpr qsizetype maxRings = 4;
// The prototype's edges and centre, the part that is stretched.
constexpr int stretchStrip = 4;

quint64 sizeKey(QSize size)
{
    return (quint64(quint32(size.width())) << 32) | quint32(size.height());
}

// What is kept for a size, made and kept when missing; a cache that grows past `limit` starts
// afresh (a layout has only a few sizes, so this is rare).
template <typename Value, typename Make>
const Value& keptForSize(QHash<quint64, Value>& cache, QSize size, qsizetype limit, Make make)
{
    const quint64 key = sizeKey(size);
    auto it = cache.constFind(key);
    if (it == cache.constEnd()) {
        if (cache.size() >= limit)
            cache.clear();
        it = cache.insert(key, make());
    }
    return *it;
}

} // namespace

ZoneGlow::Metrics ZoneGlow::metrics(const Style& style, qreal dpr)
{
    Metrics m{};
    m.blur = std::max(1, int(std::lround(blurRadius / 2 * dpr)));
    m.margin = 3 * m.blur;
    // Within this distance of a corner the shape is curved; beyond it, one edge's outline and
    // fill are all there is.
    const int curved = int(std::ceil((style.cornerRadius + style.outlineWidth / 2) * dpr)) + 1;
    m.corner = m.margin + curved + m.margin;
    m.shape = 2 * (curved + m.margin) + stretchStrip;
    return m;
}

QImage ZoneGlow::render(QSize shapeSize, const Style& style, qreal dpr, int* margin)
{
    const Metrics m = metrics(style, dpr);
    if (margin)
        *margin = m.margin;
    QImage mask(shapeSize.width() + 2 * m.margin, shapeSize.height() + 2 * m.margin,
                QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(dpr, dpr);
        QPainterPath path;
        path.addRoundedRect(QRectF(m.margin / dpr, m.margin / dpr, shapeSize.width() / dpr,
                                   shapeSize.height() / dpr),
                            style.cornerRadius, style.cornerRadius);
        QColor fill(Qt::black);
        fill.setAlphaF(static_cast<float>(style.fillAlpha));
        p.fillPath(path, fill);
        p.strokePath(path, QPen(Qt::black, style.outlineWidth));
    }
    QImage glow = blurredShadow(mask, m.blur, style.color);
    glow.setDevicePixelRatio(1);
    return glow;
}

bool ZoneGlow::matches(const Style& style, qreal dpr) const
{
    return dpr == dpr_ && style.color == style_.color && style.fillAlpha == style_.fillAlpha &&
           style.cornerRadius == style_.cornerRadius && style.outlineWidth == style_.outlineWidth;
}

void ZoneGlow::setCachingEnabled(bool enabled)
{
    cachingEnabled_ = enabled;
    clear();
}

void ZoneGlow::clear()
{
    prototype_ = QImage();
    rings_.clear();
    small_.clear();
    dpr_ = 0;
}

void ZoneGlow::trim()
{
    rings_.clear();
}

std::array<QRect, 4> ZoneGlow::bandPlaces(QSize size, int corner)
{
    return {QRect(0, 0, size.width(), corner),
            QRect(0, size.height() - corner, size.width(), corner),
            QRect(0, corner, corner, size.height() - 2 * corner),
            QRect(size.width() - corner, corner, corner, size.height() - 2 * corner)};
}

QImage ZoneGlow::assembleBand(const QRect& place, QSize size, int corner) const
{
    // Columns and rows of the prototype (corner, strip, corner) onto the glow's (corner,
    // stretched middle, corner); the strip is the same all along, so stretching it just
    // repeats it.
    const int side = prototype_.width();
    const int sourceEdges[4] = {0, corner, side - corner, side};
    const int columns[4] = {0, corner, size.width() - corner, size.width()};
    const int rows[4] = {0, corner, size.height() - corner, size.height()};
    QImage band(place.size(), QImage::Format_ARGB32_Premultiplied);
    band.fill(Qt::transparent);
    QPainter painter(&band);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.translate(-place.topLeft());
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect piece(columns[column], rows[row], columns[column + 1] - columns[column],
                              rows[row + 1] - rows[row]);
            if ((row == 1 && column == 1) || !piece.intersects(place))
                continue;
            const QRect source(sourceEdges[column], sourceEdges[row],
                               sourceEdges[column + 1] - sourceEdges[column],
                               sourceEdges[row + 1] - sourceEdges[row]);
            painter.drawImage(QRectF(piece), prototype_, source);
        }
    }
    return band;
}

void ZoneGlow::paint(QPainter& painter, const QRectF& shape, const Style& style, qreal dpr)
{
    // The glow is laid on whole device pixels; half a pixel is nothing in a 20-point blur.
    const QRect device(int(std::lround(shape.x() * dpr)), int(std::lround(shape.y() * dpr)),
                       int(std::lround(shape.width() * dpr)),
                       int(std::lround(shape.height() * dpr)));
    if (device.width() <= 0 || device.height() <= 0)
        return;
    auto logical = [dpr](const QRectF& r) {
        return QRectF(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr);
    };

    if (!cachingEnabled_) {
        int margin = 0;
        const QImage glow = render(device.size(), style, dpr, &margin);
        painter.drawImage(logical(QRectF(device.adjusted(-margin, -margin, margin, margin))), glow);
        return;
    }
    if (!matches(style, dpr)) {
        clear();
        style_ = style;
        dpr_ = dpr;
    }

    const Metrics m = metrics(style, dpr);
    if (device.width() < m.shape || device.height() < m.shape) {
        const QImage& glow = keptForSize(small_, device.size(), maxSmallGlows, [&] {
            return render(device.size(), style, dpr, nullptr);
        });
        const QRect target = device.adjusted(-m.margin, -m.margin, m.margin, m.margin);
        painter.drawImage(logical(QRectF(target)), glow);
        return;
    }

    if (prototype_.isNull()) {
        prototype_ = render(QSize(m.shape, m.shape), style, dpr, nullptr);
        centreColor_ = QColor::fromRgba(
            qUnpremultiply(prototype_.pixel(prototype_.width() / 2, prototype_.height() / 2)));
    }

    // The eight pieces around the centre change only with the shape's size: they are put
    // together once into four bands (top and bottom with their corners, left and right), so a
    // paint draws four images and one fill rather than nine pieces. No two pieces overlap, so
    // the pixels are the same either way.
    const QRect target = device.adjusted(-m.margin, -m.margin, m.margin, m.margin);
    const std::array<QRect, 4> places = bandPlaces(target.size(), m.corner);
    const auto& ring = keptForSize(rings_, target.size(), maxRings, [&] {
        std::array<QImage, 4> bands;
        for (int i = 0; i < 4; ++i)
            bands[i] = assembleBand(places[i], target.size(), m.corner);
        return bands;
    });
    for (int i = 0; i < 4; ++i)
        painter.drawImage(logical(QRectF(places[i].translated(target.topLeft()))), ring[i]);
    // The centre is one colour: a plain fill is far cheaper than an image over most of a zone.
    painter.fillRect(logical(QRectF(target.adjusted(m.corner, m.corner, -m.corner, -m.corner))),
                     centreColor_);
}

} // namespace corvane
