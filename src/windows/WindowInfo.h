// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// One window as the window server reports it.
struct WindowInfo {
    std::uint32_t id = 0;
    std::int32_t level = 0;
    Rect frame; // accessibility space
    std::int32_t pid = 0;
    std::optional<QString> processName;
};

} // namespace corvane
