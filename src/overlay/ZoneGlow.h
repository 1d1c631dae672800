// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <array>

class QPainter;

namespace corvane {

// The glow around a highlighted zone: its rounded shape, filled and outlined, blurred and tinted.
//
// Blurring a display-sized image would cost tens of milliseconds, far too much for a highlight
// that follows the pointer. Away from its corners the glow of a rounded rectangle does not vary
// along an edge, so a large shape's glow is drawn from one small blurred prototype cut into nine
// pieces (corners as they are, edges and centre stretched), made once per colour and pixel
// ratio; the pieces around the centre are put together for each size of shape. Shapes too small
// for that are rendered at their own size and kept as well.
class ZoneGlow {
public:
    // The platform's shadow blur radius; the glow is a Gaussian of half that deviation.
    static constexpr double blurRadius = 20;
    // How far beyond the shape the glow can reach (three deviations), plus rounding room.
    static constexpr double reach = 32;

    struct Style {
        QColor color;        // the glow's colour, alpha included
        double fillAlpha;    // opacity of the shape's fill, which glows too
        double cornerRadius; // of the rounded shape
        double outlineWidth; // of its opaque outline
    };

    // Everything a glow around `shape` may touch.
    static QRectF bounds(const QRectF& shape)
    {
        return shape.adjusted(-reach, -reach, reach, reach);
    }

    // Paints the glow of `shape` (painter coordinates) at the given device pixel ratio.
    void paint(QPainter& painter, const QRectF& shape, const Style& style, qreal dpr);

    // Off: every call renders the glow afresh at the shape's own size (for comparisons and
    // measurements).
    void setCachingEnabled(bool enabled);
    void clear();
    // Drops what is kept for each size of shape, the larger part, keeping the prototype.
    void trim();

    // The glow of a shape of `shapeSize` device pixels, with the returned margin (device
    // pixels) around the shape on every side.
    static QImage render(QSize shapeSize, const Style& style, qreal dpr, int* margin);

private:
    struct Metrics {
        int blur;   // box radius, device pixels
        int margin; // room for the blur on each side of the shape
        int corner; // side of a corner piece of the prototype
        int shape;  // side of the prototype's shape
    };
    static Metrics metrics(const Style& style, qreal dpr);
    bool matches(const Style& style, qreal dpr) const;
    // Where the four bands of the ring around the centre lie in a glow of `size`.
    static std::array<QRect, 4> bandPlaces(QSize size, int corner);
    QImage assembleBand(const QRect& place, QSize size, int corner) const;

    bool cachingEnabled_ = true;
    Style style_{};
    qreal dpr_ = 0;
    QImage prototype_;
    QColor centreColor_;
    QHash<quint64, QImage> small_; // by shape size, for shapes under the prototype's size
    // The ring around a large glow's centre in four bands, by the glow's size.
    QHash<quint64, std::array<QImage, 4>> rings_;
};

} // namespace corvane
