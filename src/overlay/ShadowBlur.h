// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>

namespace corvane {

// A soft shadow of a shape: the alpha channel of `mask` blurred with three box passes (close to
// a Gaussian of standard deviation `radius` device pixels), painted in `color`. The result has
// the mask's size and pixel ratio; the mask must leave 3 × radius pixels of room on every side
// for the blur to fade out.
QImage blurredShadow(const QImage& mask, int radius, const QColor& color);

} // namespace corvane
