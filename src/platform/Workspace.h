// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>

namespace corvane {

class Workspace {
public:
    virtual ~Workspace() = default;

    // Hands the URL to the desktop's handler; false when it was refused.
    virtual bool openUrl(const QUrl& url) = 0;

    // Hands the URL over and calls `done` once it is known whether the handler took it: a
    // handler's program can fail after it started (no application for the link, a link too
    // long for the system). `done` runs later on the calling thread, and not at all once
    // `context` is gone.
    virtual void openUrlAsync(const QUrl& url, QObject* context,
                              std::function<void(bool opened)> done)
    {
        const bool opened = openUrl(url);
        QMetaObject::invokeMethod(
            context, [opened, done = std::move(done)] { done(opened); }, Qt::QueuedConnection);
    }
};

} // namespace corvane
