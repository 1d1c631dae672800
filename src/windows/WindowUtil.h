// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/TimeoutCache.h"
#include "windows/WindowInfo.h"

#include <QList>
#include <optional>

namespace corvane {

// The window server's list of windows as plain records, each answer kept for 100 ms so that the
// repeated questions of one gesture cost one request.
class WindowUtil {
public:
    using WindowNumbers = std::optional<QList<std::uint32_t>>; // none: all windows

    struct NumbersHash {
        std::size_t operator()(const WindowNumbers& numbers) const;
    };
    using Cache = TimeoutCache<WindowNumbers, QList<WindowInfo>, NumbersHash>;

    // The flag asks for off-screen windows too; it is not part of the cache key.
    static QList<WindowInfo> getWindowInfos(const WindowNumbers& numbers, bool includeOffscreen);

    // The shared cache; tests replace it to drive its clock.
    static Cache& cache();
    static void resetCache(MillisecondClock clock = uptimeMilliseconds);
};

} // namespace corvane
