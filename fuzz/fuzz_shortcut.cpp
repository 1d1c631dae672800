// SPDX-License-Identifier: GPL-3.0-or-later
// A stored shortcut: the JSON text kept under "KeyboardShortcuts_<name>". Whatever decodes is
// registered as a hot key, shown in menus and written to the log.
#include "FuzzCheck.h"
#include "platform/KeyCodes.h"
#include "shortcuts/Shortcut.h"

using namespace corvane;
using namespace corvane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto shortcut = Shortcut::fromJson(bytes(data, size));
    if (!shortcut)
        return 0;
    const auto reread = Shortcut::fromJson(shortcut->toJson());
    require(reread == shortcut, "a saved shortcut reads back the same");
    if (const auto key = shortcut->qtKey())
        require(macKeyCodeForQtKey(*key).has_value(), "a named key has a key code");
    (void)shortcut->isFunctionKey();
    (void)shortcut->hasNonShiftModifier();
    (void)shortcut->keySequence();
    (void)shortcut->description();
    return 0;
}
