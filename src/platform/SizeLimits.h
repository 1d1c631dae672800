// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

namespace corvane {

// The frame sizes a window accepts, in points, decorations included: a smallest size and steps
// (a terminal's character cells) counted from a base. A window asked for another size takes
// the largest it accepts that is no larger, but never less than its smallest.
struct SizeLimits {
    Size minimum;   // 0: none
    Size base;      // what the steps count from
    Size increment; // 0 or less: any size

    Size accepted(Size requested) const;
    friend bool operator==(const SizeLimits&, const SizeLimits&) = default;
};

} // namespace corvane
