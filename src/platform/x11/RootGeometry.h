#pragma once

#include "models/Geometry.h"

#include <QPoint>
#include <QRect>
#include <cmath>
#include <cstdint>
#include <limits>

namespace corvane {

// The X server speaks root-window coordinates: integer pixels, top-left origin of the whole
// screen. The port speaks screen space (bottom-left origin of the primary monitor, y up) and
// accessibility space (top-left origin of the primary monitor, y down). These are the only
// conversions between them.

inline Rect screenRectFromRoot(const QRect& r, const QRect& primary)
{
    return {double(r.x() - primary.x()),
            double((primary.y() + primary.height()) - (r.y() + r.height())), double(r.width()),
            double(r.height())};
}

inline Point screenPointFromRoot(const QPoint& p, const QRect& primary)
{
    return {double(p.x() - primary.x()), double((primary.y() + primary.height()) - p.y())};
}

inline Rect accessibilityRectFromRoot(const QRect& r, const QPoint& primaryOrigin)
{
    return {double(r.x() - primaryOrigin.x()), double(r.y() - primaryOrigin.y()), double(r.width()),
            double(r.height())};
}

// What the protocol can carry: positions are 16-bit signed, sizes 16-bit unsigned and at
// least 1. Values beyond are clamped, and a value that is not a number becomes the smallest.
inline std::int16_t clampPosition(double v)
{
    if (!std::isfinite(v))
        return std::isnan(v) ? 0
                             : (v > 0 ? std::numeric_limits<std::int16_t>::max()
                                      : std::numeric_limits<std::int16_t>::min());
    const double r = std::round(v);
    if (r > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    if (r < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(r);
}

inline std::uint16_t clampSize(double v)
{
    if (std::isnan(v))
        return 1;
    const double r = std::round(v);
    if (r > std::numeric_limits<std::uint16_t>::max())
        return std::numeric_limits<std::uint16_t>::max();
    if (r < 1)
        return 1;
    return static_cast<std::uint16_t>(r);
}

inline QPoint rootPointFromAccessibility(const Point& p, const QPoint& primaryOrigin)
{
    return {clampPosition(p.x + primaryOrigin.x()), clampPosition(p.y + primaryOrigin.y())};
}

} // namespace corvane
