// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// What identifies a display across launches: the numbers the system reports for it.
struct DisplayIdentity {
    std::optional<std::uint32_t> number; // none when the display has no number
    std::uint32_t vendor = 0;
    std::uint32_t model = 0;
    std::uint32_t serial = 0;
    // none: no display UUID; an empty text: a UUID exists but has no text form.
    std::optional<QString> uuid;
    Rect frame; // as identifiers have always had it: from the primary's bottom-left, y up
    // Set only for a display whose numbers another connected display shares (two monitors of
    // one model, often with serial 0): the port it is plugged into tells the two apart.
    QString connector;
};

// The stable identifier string of a display, the key of every per-display record.
QString monitorID(const DisplayIdentity& display);

} // namespace corvane
