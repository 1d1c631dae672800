// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotKeys.h"
#include "platform/x11/KeyboardMap.h"

#include <QList>
#include <map>
#include <xcb/xcb.h>

namespace corvane {

class XcbConnection;

// Hot keys as passive key grabs on the root window. A grab is made for every combination of
// the shortcut's modifiers with Caps Lock and Num Lock, so the shortcut works whatever their
// state. A combination that another client holds already fails the registration, and nothing
// of it stays grabbed.
class X11HotKeys : public HotKeys {
    Q_OBJECT
public:
    explicit X11HotKeys(XcbConnection& connection, QObject* parent = nullptr);
    ~X11HotKeys() override;

    HotKeyStatus registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id) override;
    void unregisterHotKey(std::uint32_t id) override;

    // Command is Super (Mod4), Option is Alt (Mod1).
    static std::uint16_t modifierMaskForCarbon(int carbonModifiers);

private:
    struct Registration {
        int keyCode = 0;
        int carbonModifiers = 0;
        std::uint16_t mask = 0;
        QList<xcb_keycode_t> keycodes;
    };
    HotKeyStatus grab(Registration& registration);
    void ungrab(const Registration& registration);
    QList<std::uint16_t> lockVariants() const;
    void readNumLockMask();
    void onEvent(const xcb_generic_event_t* event);

    XcbConnection& connection_;
    KeyboardMap keyboard_;
    std::uint16_t numLockMask_ = 0;
    std::map<std::uint32_t, Registration> registrations_;
    // Keys whose press was reported, by the id reported: their release is reported whatever
    // modifiers are still down by then.
    std::map<xcb_keycode_t, std::uint32_t> down_;
};

} // namespace corvane
