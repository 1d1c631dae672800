// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinOwnWindows.h"

#include "platform/kwin/KWinBridge.h"

#include <QCoreApplication>
#include <QEvent>
#include <unistd.h>

namespace corvane {
namespace {

// The script knows overlays that are not placed yet by the same prefix.
const QString captionPrefix = QStringLiteral("corvane-overlay-");

bool floatsAbove(const QWindow* window)
{
    return window->isTopLevel() && (window->flags() & Qt::WindowStaysOnTopHint);
}

} // namespace

KWinOwnWindows::KWinOwnWindows(KWinBridge& bridge, QObject* parent)
    : QObject(parent), bridge_(bridge)
{
    QCoreApplication::instance()->installEventFilter(this);
    connect(&bridge_, &KWinBridge::windowsChanged, this, &KWinOwnWindows::placeAll);
}

KWinOwnWindows::~KWinOwnWindows()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool KWinOwnWindows::isOverlay(const ReportedWindow& window)
{
    // A Wayland client's process id is the one KWin finds on its socket; an X11 client states its
    // own, and can state Corvane's.
    return !window.x11 && window.pid == ::getpid() && window.caption.startsWith(captionPrefix);
}

bool KWinOwnWindows::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) &&
        watched->isWindowType()) {
        auto* window = static_cast<QWindow*>(watched);
        if (floatsAbove(window))
            track(window);
    }
    return false;
}

void KWinOwnWindows::track(QWindow* window)
{
    if (!windows_.key(window).isEmpty()) {
        // Moved or resized by Corvane: placed again once control is back in the event loop.
    } else {
        const QString caption = captionPrefix + QString::number(next_++);
        window->setTitle(caption);
        windows_.insert(caption, window);
    }
    if (window->flags() & Qt::WindowTransparentForInput) {
        // An input region that lies outside the window: every press goes to what is below.
        window->setMask(QRegion(-2, -2, 1, 1));
    }
    if (!placePending_) {
        placePending_ = true;
        QMetaObject::invokeMethod(this, &KWinOwnWindows::placeAll, Qt::QueuedConnection);
    }
}

void KWinOwnWindows::placeAll()
{
    placePending_ = false;
    for (auto it = windows_.begin(); it != windows_.end();) {
        QWindow* window = it.value();
        if (!window) {
            it = windows_.erase(it);
            continue;
        }
        if (window->isVisible()) {
            const QRectF wanted(window->geometry());
            bool inPlace = false;
            for (const ReportedWindow& w : bridge_.windows().all()) {
                if (isOverlay(w) &&
                    (w.caption == it.key() || w.caption.startsWith(it.key() + u' ')))
                    inPlace = w.frame == wanted && w.keepAbove;
            }
            if (!inPlace)
                bridge_.place(::getpid(), it.key(), wanted);
        }
        ++it;
    }
}

} // namespace corvane
