// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace corvane {

// Plain double-precision geometry. Which space a value is in (unit, screen with a bottom-left
// origin, accessibility with a top-left origin) is carried by the name of the variable.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    constexpr Rect() = default;
    constexpr Rect(double x, double y, double width, double height)
        : x(x), y(y), width(width), height(height)
    {}
    constexpr Rect(Point origin, Size size)
        : x(origin.x), y(origin.y), width(size.width), height(size.height)
    {}

    Point origin() const { return {x, y}; }
    Size size() const { return {width, height}; }
    double minX() const { return width < 0 ? x + width : x; }
    double minY() const { return height < 0 ? y + height : y; }
    double maxX() const { return width < 0 ? x : x + width; }
    double maxY() const { return height < 0 ? y : y + height; }
    double midX() const { return x + width / 2; }
    double midY() const { return y + height / 2; }

    // Left and bottom edges inclusive, right and top edges exclusive.
    bool contains(Point p) const
    {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    // Rectangles that only share an edge do not intersect.
    bool intersects(const Rect& o) const
    {
        return minX() < o.maxX() && o.minX() < maxX() && minY() < o.maxY() && o.minY() < maxY();
    }
    Rect united(const Rect& o) const
    {
        const double x0 = std::fmin(minX(), o.minX());
        const double y0 = std::fmin(minY(), o.minY());
        return {x0, y0, std::fmax(maxX(), o.maxX()) - x0, std::fmax(maxY(), o.maxY()) - y0};
    }
    Rect insetBy(double dx, double dy) const
    {
        return {x + dx, y + dy, width - 2 * dx, height - 2 * dy};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace corvane
