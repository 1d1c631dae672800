// SPDX-License-Identifier: GPL-3.0-or-later
// The stored custom layouts: a JSON array of layouts read from the settings file. A list that
// decodes must be saved and read back without losing or changing a layout, or the next save
// would destroy the user's work.
#include "FuzzCheck.h"
#include "models/LayoutJson.h"

using namespace corvane;
using namespace corvane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto layouts = json::decodeLayouts(bytes(data, size));
    if (!layouts)
        return 0;
    const QByteArray stored = json::encodeLayouts(*layouts);
    const auto reread = json::decodeLayouts(stored);
    require(reread.has_value(), "saved custom layouts decode again");
    requireSameLayouts(*layouts, *reread, "saved custom layouts read back the same");
    require(json::encodeLayouts(*reread) == stored, "saving is stable");
    return 0;
}
