// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// One window as the window server describes it; any field may be missing.
struct WindowDescription {
    std::optional<std::uint32_t> number;
    std::optional<std::int32_t> layer;
    std::optional<Rect> bounds; // accessibility space
    std::optional<std::int32_t> ownerPid;
    std::optional<QString> ownerName;
};

namespace WindowListOption {
inline constexpr unsigned onScreenOnly = 1;
inline constexpr unsigned excludeDesktopElements = 16;
} // namespace WindowListOption

class WindowServer {
public:
    virtual ~WindowServer() = default;

    // Every window matching the options, front-most first; none when the server gives no answer.
    virtual std::optional<QList<WindowDescription>> windowList(unsigned options) = 0;
    // The descriptions of exactly these windows (unknown numbers are left out).
    virtual std::optional<QList<WindowDescription>>
    describeWindows(const QList<std::uint32_t>& numbers) = 0;
};

} // namespace corvane
