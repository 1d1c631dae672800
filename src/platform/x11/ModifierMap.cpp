// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/ModifierMap.h"

#include "platform/x11/XcbConnection.h"

namespace corvane {

std::map<xcb_keycode_t, std::uint16_t> readModifierMap(XcbConnection& connection)
{
    std::map<xcb_keycode_t, std::uint16_t> keys;
    auto reply = connection.reply(xcb_get_modifier_mapping_reply,
                                  connection.send(xcb_get_modifier_mapping(connection.raw())));
    if (!reply)
        return keys;
    const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int k = 0; k < perModifier; ++k) {
            if (const xcb_keycode_t code = map[modifier * perModifier + k])
                keys[code] |= static_cast<std::uint16_t>(1u << modifier);
        }
    }
    return keys;
}

} // namespace corvane
