// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzCheck.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace corvane::fuzz {
namespace {

bool sameZones(const ZoneList& a, const ZoneList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Rect& fa = a[i].frame;
        const Rect& fb = b[i].frame;
        if (a[i].id != b[i].id || !sameNumber(fa.x, fb.x) || !sameNumber(fa.y, fb.y) ||
            !sameNumber(fa.width, fb.width) || !sameNumber(fa.height, fb.height))
            return false;
    }
    return true;
}

} // namespace

void require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "property violated: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

bool sameNumber(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void requireSameLayouts(const QList<ScreenLayout>& a, const QList<ScreenLayout>& b,
                        const char* what)
{
    require(a.size() == b.size(), what);
    for (qsizetype i = 0; i < a.size(); ++i) {
        require(a[i].id == b[i].id, what);
        require(a[i].name == b[i].name, what);
        require(a[i].description == b[i].description, what);
        require(sameZones(a[i].zones, b[i].zones), what);
    }
}

} // namespace corvane::fuzz
