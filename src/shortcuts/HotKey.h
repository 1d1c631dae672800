// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shortcuts/Shortcut.h"

#include <cstdint>
#include <functional>

namespace corvane {

// One hot key held with the platform. A record exists only while its registration stands.
struct HotKey {
    using Callback = std::function<void(const Shortcut&)>;

    Shortcut shortcut;
    std::uint32_t id = 0; // unique per registration for the life of the process
    Callback onKeyDown;
    Callback onKeyUp;
};

} // namespace corvane
