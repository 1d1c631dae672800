// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <cstdint>
#include <xcb/xcb.h>

struct _XCBKeySymbols;

namespace corvane {

// The server's keyboard mapping: which keycodes produce a keysym. Kept current by handing it
// the mapping-change events.
class KeyboardMap {
public:
    explicit KeyboardMap(xcb_connection_t* connection);
    ~KeyboardMap();
    KeyboardMap(const KeyboardMap&) = delete;
    KeyboardMap& operator=(const KeyboardMap&) = delete;

    // Every keycode that has the keysym in one of its columns; empty when none has.
    QList<xcb_keycode_t> keycodesFor(std::uint32_t keysym) const;
    // The keycodes of a stored macOS key code; empty for a key this keyboard lacks.
    QList<xcb_keycode_t> keycodesForMacKeyCode(int keyCode) const;
    // A keyboard mapping change: the next lookups read the new mapping.
    void refresh(const xcb_mapping_notify_event_t* event);

private:
    _XCBKeySymbols* symbols_ = nullptr;
};

} // namespace corvane
