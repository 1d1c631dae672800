// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/SizeHints.h"

#include <algorithm>
#include <limits>

namespace corvane {
namespace {

// Which of the fields a client filled in.
constexpr std::uint32_t minSizeFlag = 16;
constexpr std::uint32_t maxSizeFlag = 32;
constexpr std::uint32_t incrementFlag = 64;
constexpr std::uint32_t baseSizeFlag = 256;

// Beyond what the protocol can carry a value means nothing; it is dropped.
int dimension(std::uint32_t v)
{
    return v > std::numeric_limits<std::uint16_t>::max() ? 0 : int(v);
}

int constrainOne(int requested, int minimum, int maximum, int base, int step)
{
    int v = std::max(requested, 1);
    if (maximum > 0)
        v = std::min(v, maximum);
    v = std::max(v, minimum);
    if (step > 1 && v > base) {
        v = base + (v - base) / step * step;
        // A step below the minimum is one too few.
        if (v < minimum)
            v += step;
    }
    return std::max(v, 1);
}

QString pair(QSize s)
{
    return QStringLiteral("%1 × %2").arg(s.width()).arg(s.height());
}

} // namespace

std::optional<SizeHints> SizeHints::fromProperty(const QList<std::uint32_t>& v)
{
    // Clients from before base sizes existed write only fifteen.
    if (v.size() < 15)
        return std::nullopt;
    const std::uint32_t flags = v[0];
    SizeHints h;
    if (flags & minSizeFlag)
        h.minimum = QSize(dimension(v[5]), dimension(v[6]));
    if (flags & maxSizeFlag)
        h.maximum = QSize(dimension(v[7]), dimension(v[8]));
    if (flags & incrementFlag)
        h.increment = QSize(dimension(v[9]), dimension(v[10]));
    // Each of the base and the minimum stands in for the other when only one is given.
    if ((flags & baseSizeFlag) && v.size() >= 17)
        h.base = QSize(dimension(v[15]), dimension(v[16]));
    else
        h.base = h.minimum;
    if (!(flags & minSizeFlag))
        h.minimum = h.base;
    return h;
}

QSize SizeHints::constrain(QSize requested) const
{
    return {constrainOne(requested.width(), minimum.width(), maximum.width(), base.width(),
                         increment.width()),
            constrainOne(requested.height(), minimum.height(), maximum.height(), base.height(),
                         increment.height())};
}

QString SizeHints::reason(QSize requested, QSize constrained) const
{
    if (constrained == requested)
        return {};
    const bool atMaximum = (maximum.width() > 0 && constrained.width() == maximum.width() &&
                            requested.width() > maximum.width()) ||
                           (maximum.height() > 0 && constrained.height() == maximum.height() &&
                            requested.height() > maximum.height());
    if (atMaximum)
        return QStringLiteral("is at most ") + pair(maximum) + QStringLiteral(" pixels");
    if (constrained.width() > requested.width() || constrained.height() > requested.height()) {
        if (increment.width() <= 1 && increment.height() <= 1)
            return QStringLiteral("is at least ") + pair(minimum) + QStringLiteral(" pixels");
    }
    return QStringLiteral("resizes in steps of ") +
           pair(QSize(std::max(increment.width(), 1), std::max(increment.height(), 1))) +
           QStringLiteral(" pixels");
}

} // namespace corvane
