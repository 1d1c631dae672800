// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/XcbConnection.h"

#include "logging/Logger.h"

#include <QSocketNotifier>
#include <cstring>
#include <xcb/randr.h>
#include <xcb/res.h>
#include <xcb/xfixes.h>
#include <xcb/xinput.h>

namespace corvane {
namespace {

// The root tells of screen changes (RandR monitors changed by a client arrive as a configure
// notification of the root) and of the window manager's properties; while its children are
// followed, also of them coming and going (panels among them).
std::uint32_t rootEventMask(bool children)
{
    return XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE |
           (children ? XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY : 0);
}

} // namespace

XcbConnection::XcbConnection(const QByteArray& displayName, QObject* parent) : QObject(parent)
{
    int screenNumber = 0;
    connection_ =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        Logger::warning(QStringLiteral("No X server at \"%1\"; windows cannot be read or moved")
                            .arg(displayName.isEmpty() ? qgetenv("DISPLAY") : displayName),
                        LogCategory::App);
        return;
    }
    auto it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        Logger::warning(QStringLiteral("The X server has no screen %1").arg(screenNumber),
                        LogCategory::App);
        lost_ = true;
        return;
    }
    root_ = it.data->root;
    screenNumber_ = screenNumber;
    rootSize_ = QSize(it.data->width_in_pixels, it.data->height_in_pixels);
    initialise();

    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &XcbConnection::processEvents);
}

XcbConnection::~XcbConnection()
{
    notifier_.reset();
    if (connection_)
        xcb_disconnect(connection_);
}

bool XcbConnection::isConnected() const
{
    return connection_ && !lost_ && root_ != XCB_NONE && !xcb_connection_has_error(connection_);
}

void XcbConnection::initialise()
{
    // Everything at start-up is asked for at once: extension presence first (xcb caches it),
    // then versions and atoms in one batch.
    xcb_prefetch_extension_data(connection_, &xcb_randr_id);
    xcb_prefetch_extension_data(connection_, &xcb_input_id);
    xcb_prefetch_extension_data(connection_, &xcb_res_id);
    xcb_prefetch_extension_data(connection_, &xcb_xfixes_id);
    const auto fill = [this](Extension& ext, xcb_extension_t* id) {
        const xcb_query_extension_reply_t* data = xcb_get_extension_data(connection_, id);
        ext.present = data && data->present;
        if (ext.present) {
            ext.majorOpcode = data->major_opcode;
            ext.firstEvent = data->first_event;
        }
    };
    ++counters_.roundTrips;
    fill(randr_, &xcb_randr_id);
    fill(xinput_, &xcb_input_id);
    fill(res_, &xcb_res_id);
    fill(xfixes_, &xcb_xfixes_id);

    std::array<xcb_intern_atom_cookie_t, static_cast<std::size_t>(XAtom::Count)> cookies{};
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        const char* name = xAtomNames[i];
        cookies[i] =
            send(xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(strlen(name)), name));
    }
    xcb_randr_query_version_cookie_t randrCookie{};
    xcb_input_xi_query_version_cookie_t xiCookie{};
    xcb_res_query_version_cookie_t resCookie{};
    xcb_xfixes_query_version_cookie_t xfixesCookie{};
    if (randr_.present)
        randrCookie = send(xcb_randr_query_version(connection_, 1, 6));
    if (xinput_.present)
        xiCookie = send(xcb_input_xi_query_version(connection_, 2, 2));
    if (res_.present)
        resCookie = send(xcb_res_query_version(connection_, 1, 2));
    // XFixes answers nothing else before a client has told it which version it speaks.
    if (xfixes_.present)
        xfixesCookie = send(xcb_xfixes_query_version(connection_, 2, 0));
    send(xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK,
                                      std::array{rootEventMask(true)}.data()));

    for (std::size_t i = 0; i < cookies.size(); ++i) {
        if (auto r = reply(xcb_intern_atom_reply, cookies[i]))
            atoms_[i] = r->atom;
    }
    if (randr_.present) {
        if (auto r = reply(xcb_randr_query_version_reply, randrCookie)) {
            randr_.majorVersion = r->major_version;
            randr_.minorVersion = r->minor_version;
        } else {
            randr_.present = false;
        }
    }
    if (xinput_.present) {
        if (auto r = reply(xcb_input_xi_query_version_reply, xiCookie)) {
            xinput_.majorVersion = r->major_version;
            xinput_.minorVersion = r->minor_version;
        } else {
            xinput_.present = false;
        }
    }
    if (res_.present) {
        if (auto r = reply(xcb_res_query_version_reply, resCookie)) {
            res_.majorVersion = r->server_major;
            res_.minorVersion = r->server_minor;
        } else {
            res_.present = false;
        }
    }
    if (xfixes_.present) {
        if (auto r = reply(xcb_xfixes_query_version_reply, xfixesCookie)) {
            xfixes_.majorVersion = r->major_version;
            xfixes_.minorVersion = r->minor_version;
        } else {
            xfixes_.present = false;
        }
    }
}

void XcbConnection::followRootChildren(bool follow)
{
    if (follow == followsRootChildren_ || !isConnected())
        return;
    followsRootChildren_ = follow;
    send(xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK,
                                      std::array{rootEventMask(follow)}.data()));
    flush();
    if (follow)
        emit rootChildrenMayHaveChanged();
}

XcbError XcbConnection::check(xcb_void_cookie_t cookie)
{
    beforeWait(cookie.sequence);
    XcbError error(xcb_request_check(connection_, cookie));
    afterWait();
    return error;
}

void XcbConnection::flush()
{
    if (connection_)
        xcb_flush(connection_);
}

xcb_get_property_cookie_t XcbConnection::getProperty(xcb_window_t window, xcb_atom_t property,
                                                     xcb_atom_t type, std::uint32_t longLength)
{
    return send(xcb_get_property(connection_, 0, window, property, type, 0, longLength));
}

void XcbConnection::beforeWait(unsigned int sequence)
{
    // A reply to a request sent after the previous wait needs the server to answer first; the
    // replies of everything sent before it are already on their way.
    if (static_cast<std::int32_t>(sequence - waitedThrough_) > 0) {
        ++counters_.roundTrips;
        waitedThrough_ = static_cast<std::int32_t>(lastSent_ - sequence) > 0 ? lastSent_ : sequence;
    }
}

void XcbConnection::afterWait()
{
    // Waiting for a reply reads everything the server sent before it, events included; they
    // sit in xcb's queue where the socket notifier cannot see them, so they are picked up here.
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_))
        pending_.emplace_back(event);
    if (!pending_.empty() && !dispatchScheduled_) {
        dispatchScheduled_ = true;
        QMetaObject::invokeMethod(this, &XcbConnection::processEvents, Qt::QueuedConnection);
    }
    if (xcb_connection_has_error(connection_) && !lost_)
        QMetaObject::invokeMethod(this, &XcbConnection::handleLostConnection, Qt::QueuedConnection);
}

void XcbConnection::processEvents()
{
    dispatchScheduled_ = false;
    if (!connection_ || dispatching_ || lost_)
        return;
    dispatching_ = true;
    bool any = false;
    for (;;) {
        XcbReply<xcb_generic_event_t> event;
        if (!pending_.empty()) {
            event = std::move(pending_.front());
            pending_.pop_front();
        } else {
            event.reset(xcb_poll_for_event(connection_));
        }
        if (!event)
            break;
        any = true;
        if (event->response_type == 0)
            logError(reinterpret_cast<const xcb_generic_error_t*>(event.get()));
        else
            emit eventReceived(event.get());
    }
    dispatching_ = false;
    if (any)
        emit eventsProcessed();
    if (xcb_connection_has_error(connection_))
        handleLostConnection();
}

void XcbConnection::handleLostConnection()
{
    if (lost_)
        return;
    lost_ = true;
    if (notifier_)
        notifier_->setEnabled(false);
    pending_.clear();
    Logger::error(QStringLiteral("The connection to the X server was lost (xcb error %1)")
                      .arg(xcb_connection_has_error(connection_)),
                  LogCategory::App);
    emit connectionLost();
}

void XcbConnection::logError(const xcb_generic_error_t* error) const
{
    // Errors of requests nobody checks; the checked ones are handled where they are made.
    Logger::warning(QStringLiteral("X error %1 for request %2.%3 on resource 0x%4")
                        .arg(error->error_code)
                        .arg(error->major_code)
                        .arg(error->minor_code)
                        .arg(error->resource_id, 0, 16),
                    LogCategory::Window);
}

} // namespace corvane
