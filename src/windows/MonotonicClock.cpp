// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/MonotonicClock.h"

#include <chrono>

namespace corvane {

std::uint64_t uptimeMilliseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() / 1'000'000);
}

} // namespace corvane
