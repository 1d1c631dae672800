// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "platform/HeldKeys.h"
#include "platform/x11/KeyboardMap.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <bitset>
#include <functional>
#include <map>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

namespace corvane {

class X11Displays;
class XcbConnection;

// The left button from XInput 2 raw events on the root window, for the window system to build
// window moves from: the press, the pointer's steps while it is down, and the release, each
// with the keys held then (root coordinates). Raw button events are selected while someone
// listens; raw motion and raw keys only while the left button is down, so
// that a pointer moving without a button costs nothing. Nothing is grabbed and nothing polled:
// each event asks the server once where the pointer is. The keys of a drag and of its release
// (the modifiers and the followed keys) are followed key by key from the press on, in the order
// the events happened, because by the time a batch of events is handled the user may have let
// go of the key already. A press over one of this process's own windows, and the drag and
// release that follow it, are not delivered.
class X11InputMonitor : public QObject {
    Q_OBJECT
public:
    // The left button's press, drag and release; the press and release of the middle or right
    // button, which window managers resize windows with (Alt and the right button).
    enum class Stage { Pressed, Dragged, Released, OtherPressed, OtherReleased };
    using Handler = std::function<void(Stage stage, QPoint root, const HeldKeys& keys)>;

    X11InputMonitor(XcbConnection& connection, const X11Displays& displays,
                    QObject* parent = nullptr);
    ~X11InputMonitor() override;

    // Follows the button while listening; `handler` hears every stage.
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void setListening(bool listening);
    Point pointer() const; // global coordinates
    void followKeys(const QList<int>& keyCodes);
    bool canFollowKey(int keyCode) const;
    HeldKeys heldKeys() const;

    // The modifiers of an X modifier state.
    static Modifiers modifiersFromState(std::uint16_t state);

private:
    struct Pointer {
        QPoint root;
        std::uint16_t state = 0;
        xcb_window_t child = XCB_NONE;
    };

    void onEvent(const xcb_generic_event_t* event);
    void onBatchEnd();
    void handleButton(std::uint32_t physicalButton, bool press);
    void handleOtherButton(std::uint32_t button, bool press);
    // A drag event for where the pointer is now, when a raw motion was seen or it stands
    // elsewhere than at the last one.
    bool deliverMotion(bool seenMoving);
    void startSampling();
    void stopSampling();
    void sampleMotion();
    void deliver(Stage stage, const Pointer& pointer);
    QList<int> heldFollowedKeysNow() const;
    void handleKey(xcb_keycode_t keycode, bool press);
    std::bitset<256> readKeymap() const;
    void readModifierMapping();
    void mapFollowedKeys();
    bool isWatchedKey(xcb_keycode_t keycode) const;
    void updateHeldKeys();
    QList<int> followedKeysIn(const std::bitset<256>& keys) const;
    std::optional<Pointer> queryPointer() const;
    void selectEvents(bool buttons, bool keys, bool motion);
    void settleAfterRelease();
    void readButtonMapping();
    bool isOwnWindow(xcb_window_t topLevel);
    QList<xcb_window_t> ownToolkitWindows() const;

    XcbConnection& connection_;
    const X11Displays& displays_;
    Handler handler_;
    bool listening_ = false;
    QList<std::uint8_t> buttonMap_;                       // physical button - 1 -> logical button
    std::map<xcb_keycode_t, std::uint16_t> modifierKeys_; // keycode -> its modifier mask bit
    KeyboardMap keyboard_;
    QList<int> followedKeys_;                                    // macOS key codes
    std::vector<std::pair<int, QList<xcb_keycode_t>>> followed_; // each with its keycodes
    // While the left button is down: every key that is down, and what the watched ones say.
    std::bitset<256> keysDown_;
    std::uint16_t heldModifierState_ = 0;
    QList<int> heldFollowedKeys_;
    bool leftDown_ = false;
    std::uint32_t otherDown_ = 0; // the middle or right button down, without the left one
    bool suppressed_ = false;     // the current press went to one of this process's windows
    bool motionPending_ = false;
    bool sampling_ = false; // raw motion unselected, the pointer asked at each tick
    QTimer motionTimer_;
    // After a release, the selections of the drag are undone only once the snap is on its way.
    QTimer settleTimer_;
    std::optional<std::uint32_t> selectedMask_; // the raw events asked for on the root
    QPoint lastDragAt_; // root position of the press or of the last drag event
};

} // namespace corvane
