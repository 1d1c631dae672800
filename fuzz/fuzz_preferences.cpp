// SPDX-License-Identifier: GPL-3.0-or-later
// The stored per-display choices: a JSON array of (display, layout id, layout name) records.
#include "FuzzCheck.h"
#include "models/LayoutJson.h"

using namespace corvane;
using namespace corvane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto preferences = json::decodePreferences(bytes(data, size));
    if (!preferences)
        return 0;
    // The layout manager writes the choices into its log lines.
    (void)describe(*preferences);
    const QByteArray stored = json::encodePreferences(*preferences);
    const auto reread = json::decodePreferences(stored);
    require(reread.has_value(), "saved choices decode again");
    require(*reread == *preferences, "saved choices read back the same");
    require(json::encodePreferences(*reread) == stored, "saving is stable");
    return 0;
}
