// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SizeLimits.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

double acceptedLength(double requested, double minimum, double base, double increment)
{
    double length = requested;
    if (increment > 0 && length > base)
        // Less than a thousandth of a step short is the same step: points are not exact.
        length = base + std::floor((length - base) / increment + 1e-3) * increment;
    return std::max(length, minimum);
}

} // namespace

Size SizeLimits::accepted(Size requested) const
{
    return {acceptedLength(requested.width, minimum.width, base.width, increment.width),
            acceptedLength(requested.height, minimum.height, base.height, increment.height)};
}

} // namespace corvane
