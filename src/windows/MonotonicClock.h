// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace corvane {

// Milliseconds of monotonic uptime; unaffected by changes of the wall clock.
std::uint64_t uptimeMilliseconds();

using MillisecondClock = std::function<std::uint64_t()>;

} // namespace corvane
