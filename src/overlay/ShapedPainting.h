// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QRegion>

class QPainter;

namespace corvane {

// Painting for windows cut to a shape (X Shape masks are one bit deep): every painted pixel is
// opaque and whole, so what is painted and the mask agree exactly.

// The colour with its alpha dropped: its own hue at full strength, never darkened.
QColor opaque(QColor color);

// A rounded rectangle as whole pixels.
QRegion roundedRectRegion(const QRectF& rect, double radius);

void fillRegion(QPainter& painter, const QRegion& region, const QColor& color);

// A mask that shows nothing of a window: an empty region would mean no mask at all.
QRegion emptyWindowMask();

} // namespace corvane
