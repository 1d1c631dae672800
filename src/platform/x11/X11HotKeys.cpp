// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11HotKeys.h"

#include "logging/Logger.h"
#include "platform/KeyCodes.h"
#include "platform/x11/ModifierMap.h"
#include "platform/x11/XcbConnection.h"

#define XK_MISCELLANY
#include <X11/keysymdef.h>

namespace corvane {
namespace {

constexpr std::uint16_t shortcutModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

} // namespace

X11HotKeys::X11HotKeys(XcbConnection& connection, QObject* parent)
    : HotKeys(parent), connection_(connection),
      keyboard_(connection.isConnected() ? connection.raw() : nullptr)
{
    if (!connection_.isConnected())
        return;
    readNumLockMask();
    connect(&connection_, &XcbConnection::eventReceived, this, &X11HotKeys::onEvent);
}

X11HotKeys::~X11HotKeys()
{
    if (!connection_.isConnected())
        return;
    for (const auto& [id, registration] : registrations_)
        ungrab(registration);
    connection_.flush();
}

std::uint16_t X11HotKeys::modifierMaskForCarbon(int carbon)
{
    std::uint16_t mask = 0;
    if (carbon & CarbonModifier::command)
        mask |= XCB_MOD_MASK_4;
    if (carbon & CarbonModifier::shift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (carbon & CarbonModifier::option)
        mask |= XCB_MOD_MASK_1;
    if (carbon & CarbonModifier::control)
        mask |= XCB_MOD_MASK_CONTROL;
    return mask;
}

void X11HotKeys::readNumLockMask()
{
    numLockMask_ = 0;
    const QList<xcb_keycode_t> numLock = keyboard_.keycodesFor(XK_Num_Lock);
    if (numLock.isEmpty())
        return;
    for (const auto& [keycode, bits] : readModifierMap(connection_)) {
        if (numLock.contains(keycode))
            numLockMask_ |= bits;
    }
}

QList<std::uint16_t> X11HotKeys::lockVariants() const
{
    QList<std::uint16_t> variants{0, XCB_MOD_MASK_LOCK};
    if (numLockMask_ != 0 && numLockMask_ != XCB_MOD_MASK_LOCK) {
        variants.append(numLockMask_);
        variants.append(std::uint16_t(numLockMask_ | XCB_MOD_MASK_LOCK));
    }
    return variants;
}

HotKeyStatus X11HotKeys::registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id)
{
    if (!connection_.isConnected())
        return HotKeyStatus::Failed;
    unregisterHotKey(id);
    Registration registration;
    registration.keyCode = keyCode;
    registration.carbonModifiers = carbonModifiers;
    registration.mask = modifierMaskForCarbon(carbonModifiers);
    registration.keycodes = keyboard_.keycodesForMacKeyCode(keyCode);
    if (registration.keycodes.isEmpty())
        return HotKeyStatus::InvalidKey;
    // One combination, one registration: a second one is refused, as the system does.
    for (const auto& [otherId, other] : registrations_) {
        if (other.mask == registration.mask && other.keycodes == registration.keycodes)
            return HotKeyStatus::AlreadyTaken;
    }
    const HotKeyStatus status = grab(registration);
    if (status == HotKeyStatus::Success)
        registrations_[id] = registration;
    return status;
}

HotKeyStatus X11HotKeys::grab(Registration& registration)
{
    xcb_connection_t* c = connection_.raw();
    struct Attempt {
        xcb_keycode_t keycode;
        std::uint16_t modifiers;
        xcb_void_cookie_t cookie;
    };
    QList<Attempt> attempts;
    for (xcb_keycode_t keycode : registration.keycodes) {
        for (std::uint16_t variant : lockVariants()) {
            const std::uint16_t modifiers = registration.mask | variant;
            attempts.append(
                {keycode, modifiers,
                 connection_.send(xcb_grab_key_checked(c, 0, connection_.root(), modifiers, keycode,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC))});
        }
    }
    // All grabs are sent before the first check, so checking costs one round trip.
    bool taken = false;
    bool failed = false;
    QList<Attempt> granted;
    for (const Attempt& a : attempts) {
        if (XcbError error = connection_.check(a.cookie)) {
            (error->error_code == XCB_ACCESS ? taken : failed) = true;
        } else {
            granted.append(a);
        }
    }
    if (!taken && !failed)
        return HotKeyStatus::Success;
    for (const Attempt& a : granted)
        connection_.send(xcb_ungrab_key(c, a.keycode, connection_.root(), a.modifiers));
    connection_.flush();
    Logger::info(QStringLiteral("Hot key %1 with modifiers %2 %3")
                     .arg(registration.keyCode)
                     .arg(registration.carbonModifiers)
                     .arg(taken ? QStringLiteral("is held by another application")
                                : QStringLiteral("could not be grabbed")),
                 LogCategory::App);
    return taken ? HotKeyStatus::AlreadyTaken : HotKeyStatus::Failed;
}

void X11HotKeys::ungrab(const Registration& registration)
{
    for (xcb_keycode_t keycode : registration.keycodes) {
        for (std::uint16_t variant : lockVariants())
            connection_.send(xcb_ungrab_key(connection_.raw(), keycode, connection_.root(),
                                            registration.mask | variant));
    }
}

void X11HotKeys::unregisterHotKey(std::uint32_t id)
{
    const auto it = registrations_.find(id);
    if (it == registrations_.end())
        return;
    if (connection_.isConnected()) {
        ungrab(it->second);
        connection_.flush();
    }
    registrations_.erase(it);
}

void X11HotKeys::onEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_KEY_PRESS) {
        const auto* e = reinterpret_cast<const xcb_key_press_event_t*>(event);
        const std::uint16_t modifiers = e->state & shortcutModifiers;
        for (const auto& [id, registration] : registrations_) {
            if (registration.mask == modifiers && registration.keycodes.contains(e->detail)) {
                down_[e->detail] = id;
                emit pressed(id);
                return;
            }
        }
        return;
    }
    if (type == XCB_KEY_RELEASE) {
        const auto* e = reinterpret_cast<const xcb_key_release_event_t*>(event);
        const auto it = down_.find(e->detail);
        if (it == down_.end())
            return;
        const std::uint32_t id = it->second;
        down_.erase(it);
        if (registrations_.count(id))
            emit released(id);
        return;
    }
    if (type == XCB_MAPPING_NOTIFY) {
        const auto* e = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (e->request != XCB_MAPPING_KEYBOARD && e->request != XCB_MAPPING_MODIFIER)
            return;
        // The keys moved: every shortcut is grabbed again where its key now is.
        keyboard_.refresh(e);
        for (const auto& [id, registration] : registrations_)
            ungrab(registration);
        readNumLockMask();
        auto previous = std::move(registrations_);
        registrations_.clear();
        for (const auto& [id, registration] : previous) {
            const HotKeyStatus status =
                registerHotKey(registration.keyCode, registration.carbonModifiers, id);
            if (status != HotKeyStatus::Success)
                Logger::warning(QStringLiteral("Hot key %1 was lost when the keyboard changed")
                                    .arg(registration.keyCode),
                                LogCategory::App);
        }
    }
}

} // namespace corvane
