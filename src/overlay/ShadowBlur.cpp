// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/ShadowBlur.h"

#include <vector>

namespace corvane {
namespace {

constexpr int passes = 3;

// One box pass over a line of n values `stride` apart; values outside the line count as 0.
void boxLine(const float* in, float* out, int n, int stride, int radius)
{
    const double scale = 1.0 / (2 * radius + 1);
    double sum = 0;
    for (int k = 0; k <= radius && k < n; ++k)
        sum += in[k * stride];
    for (int i = 0; i < n; ++i) {
        out[i * stride] = static_cast<float>(sum * scale);
        if (const int add = i + radius + 1; add < n)
            sum += in[add * stride];
        if (const int drop = i - radius; drop >= 0)
            sum -= in[drop * stride];
    }
}

} // namespace

QImage blurredShadow(const QImage& mask, int radius, const QColor& color)
{
    const QImage source = mask.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = source.width();
    const int h = source.height();
    std::vector<float> a(static_cast<size_t>(w) * h);
    std::vector<float> b(a.size());
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[static_cast<size_t>(y) * w + x] = qAlpha(line[x]) / 255.0f;
    }
    if (radius > 0) {
        for (int pass = 0; pass < passes; ++pass) {
            for (int y = 0; y < h; ++y)
                boxLine(&a[static_cast<size_t>(y) * w], &b[static_cast<size_t>(y) * w], w, 1,
                        radius);
            a.swap(b);
        }
        for (int pass = 0; pass < passes; ++pass) {
            for (int x = 0; x < w; ++x)
                boxLine(&a[x], &b[x], h, w, radius);
            a.swap(b);
        }
    }

    QImage shadow(w, h, QImage::Format_ARGB32_Premultiplied);
    shadow.setDevicePixelRatio(mask.devicePixelRatio());
    const float cr = color.redF();
    const float cg = color.greenF();
    const float cb = color.blueF();
    const float ca = color.alphaF();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float alpha = qBound(0.0f, a[static_cast<size_t>(y) * w + x], 1.0f) * ca;
            auto channel = [alpha](float c) { return qRound(c * alpha * 255.0f); };
            line[x] = qRgba(channel(cr), channel(cg), channel(cb), qRound(alpha * 255.0f));
        }
    }
    return shadow;
}

} // namespace corvane
