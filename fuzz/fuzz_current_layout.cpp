// SPDX-License-Identifier: GPL-3.0-or-later
// The stored current layout: one layout object read from the settings file, written back
// whenever the current layout changes.
#include "FuzzCheck.h"
#include "models/LayoutJson.h"

using namespace corvane;
using namespace corvane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto layout = json::decodeLayout(bytes(data, size));
    if (!layout)
        return 0;
    const QByteArray stored = json::encodeLayout(*layout);
    const auto reread = json::decodeLayout(stored);
    require(reread.has_value(), "the saved current layout decodes again");
    requireSameLayouts({*layout}, {*reread}, "the saved current layout reads back the same");
    require(json::encodeLayout(*reread) == stored, "saving is stable");
    return 0;
}
