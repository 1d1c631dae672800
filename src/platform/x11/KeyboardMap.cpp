// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/KeyboardMap.h"

#include "platform/x11/X11KeySyms.h"

#include <cstdlib>
#include <xcb/xcb_keysyms.h>

namespace corvane {

KeyboardMap::KeyboardMap(xcb_connection_t* connection)
    : symbols_(connection ? xcb_key_symbols_alloc(connection) : nullptr)
{}

KeyboardMap::~KeyboardMap()
{
    if (symbols_)
        xcb_key_symbols_free(symbols_);
}

QList<xcb_keycode_t> KeyboardMap::keycodesFor(std::uint32_t keysym) const
{
    QList<xcb_keycode_t> result;
    if (!symbols_)
        return result;
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, keysym);
    for (xcb_keycode_t* k = codes; k && *k != XCB_NO_SYMBOL; ++k) {
        if (!result.contains(*k))
            result.append(*k);
    }
    std::free(codes);
    return result;
}

QList<xcb_keycode_t> KeyboardMap::keycodesForMacKeyCode(int keyCode) const
{
    const auto keysym = keysymForMacKeyCode(keyCode);
    return keysym ? keycodesFor(*keysym) : QList<xcb_keycode_t>{};
}

void KeyboardMap::refresh(const xcb_mapping_notify_event_t* event)
{
    // The library takes the event as mutable but only reads it.
    if (symbols_ && event->request == XCB_MAPPING_KEYBOARD)
        xcb_refresh_keyboard_mapping(symbols_, const_cast<xcb_mapping_notify_event_t*>(event));
}

} // namespace corvane
