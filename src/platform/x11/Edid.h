// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// What a monitor's EDID block says about it, in the numbers the display identifier uses.
struct EdidInfo {
    std::uint32_t vendor = 0; // the manufacturer id, as the big-endian 16-bit field reads
    std::uint32_t model = 0;  // the product code
    std::uint32_t serial = 0; // the 32-bit serial number
    QString productName;      // from the monitor name descriptor; empty when there is none
    QString uuid;             // derived from the base block: upper case, no braces
};

// None when the data is not an EDID base block.
std::optional<EdidInfo> parseEdid(const QByteArray& edid);

} // namespace corvane
