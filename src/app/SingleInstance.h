// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ScriptCommand.h"

#include <QDeadlineTimer>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace corvane {

// One Corvane per settings store: a later start hands its request (open the preferences, or a
// command from the command line) to the running instance and leaves.
//
// The channel is a local socket in a folder only this user may enter, beside a lock file that
// decides which process is the instance: taking the lock is atomic, so of processes starting at
// once exactly one listens, and a socket left by a crashed instance is removed only by the
// process that holds the lock. Both are named after the settings file, so instances with their
// own settings folder (tests, demonstrations) do not see each other.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    using Reply = std::function<void(const ScriptReply&)>;
    using Handler = std::function<void(const ScriptCommand&, Reply)>;

    explicit SingleInstance(QObject* parent = nullptr);
    // Stops listening, which removes the socket, and releases the lock.
    ~SingleInstance() override;

    enum class Claim {
        // This process is the instance and holds the lock from now on.
        Claimed,
        // Another process is.
        Taken,
        // There is no safe place for the channel (said on stderr and logged): run alone.
        Unavailable,
    };
    Claim claim();
    // Starts answering later starts; only after Claimed. False when the socket could not be
    // opened (said on stderr and logged).
    bool listen(Handler handler);

    // Hands a command to the running instance and waits for its reply until the deadline. None
    // when no instance took the connection by then.
    static std::optional<ScriptReply> send(const ScriptCommand& command, QDeadlineTimer deadline);

    // The channel's folder: "corvane" in the given runtime folder ($XDG_RUNTIME_DIR), or
    // /tmp/corvane-<uid> when there is none (unset, relative or missing); created with mode 0700,
    // and refused when it is not a real folder of this user (someone else made it first, or it is a
    // link).
    struct Folder {
        QString path;
        QString problem; // empty when the folder is fit
    };
    static Folder channelFolder(const QString& runtimeDirectory);
    // The same for this session's runtime folder.
    static Folder channelFolder();
    static QString socketPath(const QString& folder);
    static QString lockPath(const QString& folder);

private:
    void accept(QLocalSocket* socket);

    Handler handler_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace corvane
