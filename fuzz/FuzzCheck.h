// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/ScreenLayout.h"

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>

namespace corvane::fuzz {

// A property of the code under test that the fuzzer should treat as a crash when it fails, so
// that logic faults are found as well as memory faults. Prints what failed and aborts.
void require(bool condition, const char* what);

// The fuzzer's bytes as a byte array that owns a copy.
QByteArray bytes(const std::uint8_t* data, std::size_t size);

// The same double, bit for bit; any NaN equals any NaN.
bool sameNumber(double a, double b);

// Ids, names, descriptions, and zone ids and frames, in order.
void requireSameLayouts(const QList<ScreenLayout>& a, const QList<ScreenLayout>& b,
                        const char* what);

} // namespace corvane::fuzz
