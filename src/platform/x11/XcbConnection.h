// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/XcbAtoms.h"
#include "platform/x11/XcbReply.h"

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <type_traits>
#include <xcb/xcb.h>

class QSocketNotifier;

namespace corvane {

// The backend's own connection to the X server. Its socket is watched by the Qt event loop;
// events are handed out through eventReceived. Every request the backend makes goes through
// send(), and every wait for an answer through reply() or check(), so that the counters tell
// how many requests were made and how many times the backend had to wait for the server with
// nothing else in flight (a round trip). A connection that cannot be opened, or that breaks,
// answers isConnected() false and every reply comes back empty.
class XcbConnection : public QObject {
    Q_OBJECT
public:
    struct Counters {
        std::uint64_t requests = 0;
        std::uint64_t roundTrips = 0;
    };

    struct Extension {
        bool present = false;
        std::uint8_t majorOpcode = 0;
        std::uint8_t firstEvent = 0;
        std::uint32_t majorVersion = 0;
        std::uint32_t minorVersion = 0;

        bool atLeast(std::uint32_t major, std::uint32_t minor) const
        {
            return present &&
                   (majorVersion > major || (majorVersion == major && minorVersion >= minor));
        }
    };

    // Opens the named display, or the one in DISPLAY when the name is empty.
    explicit XcbConnection(const QByteArray& displayName = {}, QObject* parent = nullptr);
    ~XcbConnection() override;

    bool isConnected() const;
    xcb_connection_t* raw() const { return connection_; }
    xcb_window_t root() const { return root_; }
    // The number of the screen the connection uses (the one DISPLAY names).
    int screenNumber() const { return screenNumber_; }
    QSize rootSize() const { return rootSize_; }
    xcb_atom_t atom(XAtom atom) const { return atoms_[static_cast<std::size_t>(atom)]; }

    const Extension& randr() const { return randr_; }
    const Extension& xinput() const { return xinput_; }
    const Extension& res() const { return res_; }
    const Extension& xfixes() const { return xfixes_; }

    template <typename Cookie> Cookie send(Cookie cookie)
    {
        ++counters_.requests;
        lastSent_ = cookie.sequence;
        return cookie;
    }

    // Waits for the reply of a request sent earlier; a missing reply comes with an error or
    // means the connection is gone.
    template <typename ReplyFn, typename Cookie>
    auto reply(ReplyFn fn, Cookie cookie, XcbError* error = nullptr)
    {
        using Reply = std::remove_pointer_t<decltype(fn(nullptr, cookie, nullptr))>;
        beforeWait(cookie.sequence);
        xcb_generic_error_t* e = nullptr;
        XcbReply<Reply> result(fn(connection_, cookie, &e));
        XcbError owned(e);
        afterWait();
        if (error)
            *error = std::move(owned);
        return result;
    }

    // The error of a checked request without a reply, if any.
    XcbError check(xcb_void_cookie_t cookie);
    void flush();

    // Convenience for the most common request.
    xcb_get_property_cookie_t getProperty(xcb_window_t window, xcb_atom_t property,
                                          xcb_atom_t type = XCB_ATOM_ANY,
                                          std::uint32_t longLength = 1024);
    xcb_get_property_cookie_t getProperty(xcb_window_t window, XAtom property,
                                          xcb_atom_t type = XCB_ATOM_ANY,
                                          std::uint32_t longLength = 1024)
    {
        return getProperty(window, atom(property), type, longLength);
    }

    // Whether the root tells of its children (windows and panels coming and going, frames
    // moved). A drag pauses it: the window manager moves the dragged frame at every motion of
    // the mouse, and each move would wake this process for nothing. Resuming says that what
    // was paused may have changed (rootChildrenMayHaveChanged).
    void followRootChildren(bool follow);

    Counters counters() const { return counters_; }
    void resetCounters() { counters_ = {}; }

public slots:
    // Hands every pending event to eventReceived; safe to call at any time.
    void processEvents();

signals:
    void eventReceived(const xcb_generic_event_t* event);
    // After a batch of events: the place to act on what the batch said as a whole.
    void eventsProcessed();
    void connectionLost();
    void rootChildrenMayHaveChanged();

private:
    void beforeWait(unsigned int sequence);
    void afterWait();
    void initialise();
    void handleLostConnection();
    void logError(const xcb_generic_error_t* error) const;

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    int screenNumber_ = 0;
    QSize rootSize_;
    std::array<xcb_atom_t, static_cast<std::size_t>(XAtom::Count)> atoms_{};
    Extension randr_;
    Extension xinput_;
    Extension res_;
    Extension xfixes_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::deque<XcbReply<xcb_generic_event_t>> pending_;
    bool dispatching_ = false;
    bool dispatchScheduled_ = false;
    bool lost_ = false;
    bool followsRootChildren_ = true;
    unsigned int lastSent_ = 0;
    unsigned int waitedThrough_ = 0;
    Counters counters_;
};

} // namespace corvane
