// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11InputMonitor.h"

#include "platform/x11/ClientLookup.h"
#include "platform/x11/ModifierMap.h"
#include "platform/x11/RootGeometry.h"
#include "platform/x11/WindowInspector.h"
#include "platform/x11/X11Displays.h"
#include "platform/x11/XcbConnection.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWindow>
#include <unistd.h>
#include <utility>
#include <xcb/xinput.h>

namespace corvane {
namespace {

constexpr std::uint32_t leftButton = 1;
constexpr std::uint32_t middleButton = 2;
constexpr std::uint32_t rightButton = 3;
// While the pointer moves with the button down, its place is sampled once a frame of a 60 Hz
// display instead of waking for each raw motion: a mouse reports several times more often
// than a display shows, and every wake-up and round trip costs more than the drag handler.
constexpr int sampleIntervalMs = 16;
// Changing what the root is asked for makes the X server walk every window there is (for the
// events each can still deliver): some milliseconds with a few hundred windows open. At a
// release that walk would lie between the release and the snap, so the drag's selections are
// undone this long after it, when the window manager has placed the window.
constexpr int settleAfterReleaseMs = 250;

QGuiApplication* guiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

Modifiers modifiersFromQt(Qt::KeyboardModifiers m)
{
    Modifiers modifiers;
    modifiers.setFlag(Modifier::Shift, m & Qt::ShiftModifier);
    modifiers.setFlag(Modifier::Ctrl, m & Qt::ControlModifier);
    modifiers.setFlag(Modifier::Alt, m & Qt::AltModifier);
    modifiers.setFlag(Modifier::Super, m & Qt::MetaModifier);
    return modifiers;
}

} // namespace

X11InputMonitor::X11InputMonitor(XcbConnection& connection, const X11Displays& displays,
                                 QObject* parent)
    : QObject(parent), connection_(connection), displays_(displays),
      keyboard_(connection.isConnected() ? connection.raw() : nullptr)
{
    if (!connection_.isConnected())
        return;
    connect(&connection_, &XcbConnection::eventReceived, this, &X11InputMonitor::onEvent);
    connect(&connection_, &XcbConnection::eventsProcessed, this, &X11InputMonitor::onBatchEnd);
    motionTimer_.setInterval(sampleIntervalMs);
    motionTimer_.setTimerType(Qt::PreciseTimer);
    connect(&motionTimer_, &QTimer::timeout, this, &X11InputMonitor::sampleMotion);
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(settleAfterReleaseMs);
    connect(&settleTimer_, &QTimer::timeout, this, &X11InputMonitor::settleAfterRelease);
    readButtonMapping();
    readModifierMapping();
}

X11InputMonitor::~X11InputMonitor()
{
    if (listening_)
        selectEvents(false, false, false);
}

Modifiers X11InputMonitor::modifiersFromState(std::uint16_t state)
{
    Modifiers modifiers;
    modifiers.setFlag(Modifier::Shift, state & XCB_MOD_MASK_SHIFT);
    modifiers.setFlag(Modifier::Ctrl, state & XCB_MOD_MASK_CONTROL);
    modifiers.setFlag(Modifier::Alt, state & XCB_MOD_MASK_1);
    modifiers.setFlag(Modifier::Super, state & XCB_MOD_MASK_4);
    return modifiers;
}

void X11InputMonitor::setListening(bool listening)
{
    if (listening == listening_)
        return;
    listening_ = listening;
    if (listening) {
        selectEvents(true, leftDown_, leftDown_);
        return;
    }
    settleTimer_.stop();
    selectEvents(false, false, false);
    connection_.followRootChildren(true);
    leftDown_ = false;
    suppressed_ = false;
    motionPending_ = false;
    stopSampling();
    keysDown_.reset();
    updateHeldKeys();
}

void X11InputMonitor::selectEvents(bool buttons, bool keys, bool motion)
{
    if (!connection_.isConnected() || !connection_.xinput().atLeast(2, 0))
        return;
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{};
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    if (buttons)
        mask.bits |=
            XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    if (keys)
        mask.bits |=
            XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;
    if (motion)
        mask.bits |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
    if (selectedMask_ == mask.bits)
        return;
    selectedMask_ = mask.bits;
    connection_.send(
        xcb_input_xi_select_events(connection_.raw(), connection_.root(), 1, &mask.head));
    connection_.flush();
}

void X11InputMonitor::readButtonMapping()
{
    auto reply = connection_.reply(xcb_get_pointer_mapping_reply,
                                   connection_.send(xcb_get_pointer_mapping(connection_.raw())));
    buttonMap_.clear();
    if (!reply)
        return;
    const std::uint8_t* map = xcb_get_pointer_mapping_map(reply.get());
    for (int i = 0; i < xcb_get_pointer_mapping_map_length(reply.get()); ++i)
        buttonMap_.append(map[i]);
}

void X11InputMonitor::readModifierMapping()
{
    // Only the modifiers the port knows matter; Lock and NumLock say nothing about a drag.
    constexpr std::uint16_t tracked =
        XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
    modifierKeys_.clear();
    for (const auto& [keycode, bits] : readModifierMap(connection_)) {
        if (bits & tracked)
            modifierKeys_[keycode] = bits & tracked;
    }
}

std::bitset<256> X11InputMonitor::readKeymap() const
{
    std::bitset<256> keys;
    auto reply = connection_.reply(xcb_query_keymap_reply,
                                   connection_.send(xcb_query_keymap(connection_.raw())));
    if (!reply)
        return keys;
    for (int keycode = 0; keycode < 256; ++keycode)
        keys[keycode] = (reply->keys[keycode / 8] & (1u << (keycode % 8))) != 0;
    return keys;
}

void X11InputMonitor::mapFollowedKeys()
{
    followed_.clear();
    for (int keyCode : followedKeys_)
        followed_.emplace_back(keyCode, keyboard_.keycodesForMacKeyCode(keyCode));
}

void X11InputMonitor::followKeys(const QList<int>& keyCodes)
{
    if (keyCodes == followedKeys_)
        return;
    followedKeys_ = keyCodes;
    mapFollowedKeys();
    // The whole keyboard is followed during a press, so a key taken up now is known already.
    updateHeldKeys();
}

bool X11InputMonitor::canFollowKey(int keyCode) const
{
    return !keyboard_.keycodesForMacKeyCode(keyCode).isEmpty();
}

QList<int> X11InputMonitor::heldFollowedKeysNow() const
{
    if (leftDown_)
        return heldFollowedKeys_;
    return followed_.empty() ? QList<int>{} : followedKeysIn(readKeymap());
}

HeldKeys X11InputMonitor::heldKeys() const
{
    Modifiers modifiers;
    if (const auto pointer = queryPointer())
        modifiers = modifiersFromState(pointer->state);
    else if (guiApplication())
        modifiers = modifiersFromQt(QGuiApplication::queryKeyboardModifiers());
    return {modifiers, heldFollowedKeysNow()};
}

QList<int> X11InputMonitor::followedKeysIn(const std::bitset<256>& keys) const
{
    QList<int> held;
    for (const auto& [keyCode, keycodes] : followed_) {
        for (xcb_keycode_t keycode : keycodes) {
            if (keys[keycode]) {
                held.append(keyCode);
                break;
            }
        }
    }
    return held;
}

bool X11InputMonitor::isWatchedKey(xcb_keycode_t keycode) const
{
    if (modifierKeys_.count(keycode))
        return true;
    for (const auto& [keyCode, keycodes] : followed_) {
        if (keycodes.contains(keycode))
            return true;
    }
    return false;
}

void X11InputMonitor::updateHeldKeys()
{
    heldModifierState_ = 0;
    for (const auto& [keycode, bit] : modifierKeys_) {
        if (keysDown_[keycode])
            heldModifierState_ |= bit;
    }
    heldFollowedKeys_ = followedKeysIn(keysDown_);
}

void X11InputMonitor::handleKey(xcb_keycode_t keycode, bool press)
{
    if (!leftDown_)
        return;
    // Every key is kept, so that a key followed from now on is known; only the watched ones
    // change what an event says.
    const bool watched = isWatchedKey(keycode);
    // Motion seen before this key belongs to the keys before it; while the pointer is sampled,
    // it may have moved unseen.
    if (watched && (motionPending_ || sampling_)) {
        deliverMotion(std::exchange(motionPending_, false));
    }
    keysDown_[keycode] = press;
    if (watched)
        updateHeldKeys();
}

void X11InputMonitor::onEvent(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (mapping->request == XCB_MAPPING_POINTER) {
            readButtonMapping();
        } else if (mapping->request == XCB_MAPPING_MODIFIER) {
            readModifierMapping();
            updateHeldKeys();
        } else if (mapping->request == XCB_MAPPING_KEYBOARD) {
            keyboard_.refresh(mapping);
            mapFollowedKeys();
            updateHeldKeys();
        }
        return;
    }
    if (type != XCB_GE_GENERIC || !listening_)
        return;
    const auto* ge = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (ge->extension != connection_.xinput().majorOpcode)
        return;
    switch (ge->event_type) {
    case XCB_INPUT_RAW_BUTTON_PRESS:
        handleButton(reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event)->detail,
                     true);
        break;
    case XCB_INPUT_RAW_BUTTON_RELEASE:
        handleButton(reinterpret_cast<const xcb_input_raw_button_release_event_t*>(event)->detail,
                     false);
        break;
    case XCB_INPUT_RAW_KEY_PRESS:
        handleKey(static_cast<xcb_keycode_t>(
                      reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event)->detail),
                  true);
        break;
    case XCB_INPUT_RAW_KEY_RELEASE:
        handleKey(static_cast<xcb_keycode_t>(
                      reinterpret_cast<const xcb_input_raw_key_release_event_t*>(event)->detail),
                  false);
        break;
    case XCB_INPUT_RAW_MOTION:
        // Many motions may arrive in one batch; one drag event at the end of it says where
        // the pointer is now. Those sent before sampling began say nothing new.
        if (leftDown_ && !sampling_)
            motionPending_ = true;
        break;
    default:
        break;
    }
}

void X11InputMonitor::onBatchEnd()
{
    if (!motionPending_)
        return;
    motionPending_ = false;
    // The first move after a rest goes out at once; the moves after it are sampled.
    if (!sampling_ && deliverMotion(true))
        startSampling();
}

void X11InputMonitor::startSampling()
{
    sampling_ = true;
    selectEvents(true, true, false);
    // The window manager moves the dragged frame as the pointer moves; until the release, the
    // root's word of each move would wake this process as often as raw motion did.
    connection_.followRootChildren(false);
    // Repeating: arming a timer again at every sample costs as much as the sample's own work.
    motionTimer_.start();
}

void X11InputMonitor::stopSampling()
{
    sampling_ = false;
    motionTimer_.stop();
}

void X11InputMonitor::sampleMotion()
{
    if (!sampling_ || !leftDown_)
        return;
    if (deliverMotion(false))
        return;
    // The pointer rests: raw motion wakes the monitor again. The pointer is asked once more
    // after that has been selected, so that a move in between is not lost.
    stopSampling();
    selectEvents(true, true, true);
    if (deliverMotion(false))
        startSampling();
}

void X11InputMonitor::handleButton(std::uint32_t physicalButton, bool press)
{
    // Raw events carry the physical button; the pointer mapping says which one is "left"
    // (a left-handed mapping swaps them).
    const std::uint32_t logical =
        physicalButton >= 1 && physicalButton <= std::uint32_t(buttonMap_.size())
            ? buttonMap_[physicalButton - 1]
            : physicalButton;
    if (logical == middleButton || logical == rightButton) {
        handleOtherButton(logical, press);
        return;
    }
    if (logical != leftButton)
        return;
    if (press) {
        if (leftDown_ || otherDown_ != 0)
            return;
        leftDown_ = true;
        motionPending_ = false;
        stopSampling();
        // The root's children stay unfollowed if the last release has not settled yet; this
        // gesture's release resumes them.
        settleTimer_.stop();
        selectEvents(true, true, true);
        // The keys down when the press is handled. Raw key events selected before this query
        // follow it; one that is also counted here changes nothing, since a key is either down
        // or not.
        keysDown_ = readKeymap();
        updateHeldKeys();
        const auto pointer = queryPointer();
        suppressed_ = pointer && isOwnWindow(pointer->child);
        lastDragAt_ = pointer ? pointer->root : QPoint();
        if (pointer && !suppressed_)
            deliver(Stage::Pressed, *pointer);
        return;
    }
    if (!leftDown_)
        return;
    // A move not yet told (seen in this batch, or since the last sample) goes out before the
    // release, from the same answer of the server.
    const bool seenMoving = std::exchange(motionPending_, false);
    const bool sampled = sampling_;
    stopSampling();
    const auto pointer = queryPointer();
    if (pointer && !suppressed_) {
        if (seenMoving || (sampled && pointer->root != lastDragAt_))
            deliver(Stage::Dragged, *pointer);
        deliver(Stage::Released, *pointer);
    }
    leftDown_ = false;
    suppressed_ = false;
    keysDown_.reset();
    updateHeldKeys();
    settleTimer_.start();
}

void X11InputMonitor::handleOtherButton(std::uint32_t button, bool press)
{
    // Only the press and the release: what happens between is the window manager's resize,
    // seen from the window's own events.
    if (leftDown_ || (press ? otherDown_ != 0 : otherDown_ != button))
        return;
    otherDown_ = press ? button : 0;
    const auto pointer = queryPointer();
    if (press)
        suppressed_ = pointer && isOwnWindow(pointer->child);
    if (pointer && !suppressed_)
        deliver(press ? Stage::OtherPressed : Stage::OtherReleased, *pointer);
    if (!press)
        suppressed_ = false;
}

void X11InputMonitor::settleAfterRelease()
{
    if (leftDown_ || !listening_)
        return;
    selectEvents(true, false, false);
    connection_.followRootChildren(true);
}

bool X11InputMonitor::deliverMotion(bool seenMoving)
{
    if (suppressed_ || !leftDown_)
        return false;
    const auto pointer = queryPointer();
    // A raw motion says the pointer moved even when it came back to where the last event was:
    // that move was made with the keys held then. A sample knows only where the pointer is.
    if (!pointer || (!seenMoving && pointer->root == lastDragAt_))
        return false;
    lastDragAt_ = pointer->root;
    deliver(Stage::Dragged, *pointer);
    return true;
}

void X11InputMonitor::deliver(Stage stage, const Pointer& pointer)
{
    // From the press to the release the followed keys say which modifiers are down; the
    // pointer's state is only as old as the moment the batch was handled.
    const std::uint16_t state =
        leftDown_ && !modifierKeys_.empty() ? heldModifierState_ : pointer.state;
    if (handler_)
        handler_(stage, pointer.root, HeldKeys{modifiersFromState(state), heldFollowedKeys_});
}

std::optional<X11InputMonitor::Pointer> X11InputMonitor::queryPointer() const
{
    if (!connection_.isConnected())
        return std::nullopt;
    auto reply = connection_.reply(
        xcb_query_pointer_reply,
        connection_.send(xcb_query_pointer(connection_.raw(), connection_.root())));
    if (!reply)
        return std::nullopt;
    return Pointer{QPoint(reply->root_x, reply->root_y), reply->mask, reply->child};
}

Point X11InputMonitor::pointer() const
{
    if (const auto pointer = queryPointer())
        return displays_.geometry().globalPoint(pointer->root);
    if (guiApplication()) {
        const QPoint p = QCursor::pos();
        return {double(p.x()), double(p.y())};
    }
    return {};
}

QList<xcb_window_t> X11InputMonitor::ownToolkitWindows() const
{
    QList<xcb_window_t> windows;
    QGuiApplication* app = guiApplication();
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return windows;
    for (QWindow* w : QGuiApplication::topLevelWindows()) {
        if (w->handle())
            windows.append(static_cast<xcb_window_t>(w->winId()));
    }
    return windows;
}

bool X11InputMonitor::isOwnWindow(xcb_window_t topLevel)
{
    if (topLevel == XCB_NONE)
        return false;
    const QList<xcb_window_t> own = ownToolkitWindows();
    if (own.contains(topLevel))
        return true;
    const WindowPlace place = locateWindow(connection_, topLevel);
    const xcb_window_t client = place.client != XCB_NONE ? place.client : topLevel;
    if (own.contains(client))
        return true;
    const auto inspected = inspectWindows(connection_, {client}, false);
    return !inspected.isEmpty() && inspected.first().pid == static_cast<std::int32_t>(::getpid());
}

} // namespace corvane
