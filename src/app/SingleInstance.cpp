// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include "logging/Logger.h"
#include "settings/Settings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QThread>
#include <cstdio>
#include <unistd.h>

namespace corvane {
namespace {

// A request is one short line; anything longer is not from corvane and is cut off.
constexpr qint64 maxRequestBytes = 64 * 1024;
constexpr int retryPauseMs = 50;
// A command's answer comes once it is done: a snap, or a layout applied.
constexpr int answerTimeoutMs = 15000;

// What the instance of an earlier version sent in place of a command.
const QByteArray legacyOpenPreferences = "open-preferences";

void report(const QString& problem)
{
    std::fprintf(stderr, "corvane: %s\n", qPrintable(problem));
    Logger::error(problem, LogCategory::App);
}

QString channelName()
{
    const QByteArray key = Settings::fileName().toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

int remainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(std::max<qint64>(0, deadline.remainingTime()));
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance()
{
    // Closing the server removes its socket file; the lock goes after it, so no later start
    // takes the lock and then finds the old socket still there.
    if (server_)
        server_->close();
    server_.reset();
    lock_.reset();
}

SingleInstance::Folder SingleInstance::channelFolder(const QString& runtimeDirectory)
{
    const uint user = ::geteuid();
    // A runtime folder that is not there (a session set up wrongly) counts as none.
    const bool hasRuntime =
        QDir::isAbsolutePath(runtimeDirectory) && QFileInfo(runtimeDirectory).isDir();
    const QString path = hasRuntime ? QDir(runtimeDirectory).filePath(QStringLiteral("corvane"))
                                    : QStringLiteral("/tmp/corvane-%1").arg(user);
    QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir())
        return {path, SingleInstance::tr("%1 is not a folder").arg(path)};
    if (info.ownerId() != user)
        return {path, SingleInstance::tr("%1 belongs to another user").arg(path)};
    const auto privateMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                        QFile::WriteOther | QFile::ExeOther;
    if ((info.permissions() & others) && !QFile::setPermissions(path, privateMode))
        return {path, SingleInstance::tr("%1 cannot be made private").arg(path)};
    return {path, QString()};
}

SingleInstance::Folder SingleInstance::channelFolder()
{
    return channelFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"));
}

QString SingleInstance::socketPath(const QString& folder)
{
    return QDir(folder).filePath(channelName() + QStringLiteral(".socket"));
}

QString SingleInstance::lockPath(const QString& folder)
{
    return QDir(folder).filePath(channelName() + QStringLiteral(".lock"));
}

SingleInstance::Claim SingleInstance::claim()
{
    const Folder folder = channelFolder();
    if (!folder.problem.isEmpty()) {
        report(tr("no single-instance channel: %1").arg(folder.problem));
        return Claim::Unavailable;
    }
    lock_ = std::make_unique<QLockFile>(lockPath(folder.path));
    // Only a dead holder makes the lock stale, however long the instance has been running.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return Claim::Claimed;
    const bool taken = lock_->error() == QLockFile::LockFailedError;
    lock_.reset();
    if (taken)
        return Claim::Taken;
    report(tr("no single-instance channel: cannot write in %1").arg(folder.path));
    return Claim::Unavailable;
}

bool SingleInstance::listen(Handler handler)
{
    if (!lock_ || !lock_->isLocked())
        return false;
    handler_ = std::move(handler);
    const QString path = socketPath(channelFolder().path);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is held: a socket there is one a crashed instance left behind.
    QLocalServer::removeServer(path);
    if (!server_->listen(path)) {
        report(
            tr("the single-instance channel could not be opened: %1").arg(server_->errorString()));
        server_.reset();
        return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection())
            accept(socket);
    });
    return true;
}

void SingleInstance::accept(QLocalSocket* socket)
{
    socket->setParent(this);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto reading = std::make_shared<QMetaObject::Connection>();
    *reading = connect(socket, &QLocalSocket::readyRead, this, [this, socket, reading] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > maxRequestBytes)
                socket->abort();
            return;
        }
        const QByteArray line = socket->readLine(maxRequestBytes).trimmed();
        // One request per connection.
        disconnect(*reading);
        const auto command =
            line == legacyOpenPreferences ? ScriptCommand{} : ScriptCommand::decode(line);
        // The answer may come later (a command before start-up has finished); by then the
        // asker may be gone.
        Reply reply = [socket = QPointer<QLocalSocket>(socket)](const ScriptReply& answer) {
            if (!socket)
                return;
            socket->write(answer.encode());
            socket->disconnectFromServer();
        };
        if (!command) {
            Logger::warning(QStringLiteral("The single-instance channel got a request it does "
                                           "not know"),
                            LogCategory::App);
            reply({false, tr("Corvane does not know this request")});
            return;
        }
        handler_(*command, std::move(reply));
    });
}

std::optional<ScriptReply> SingleInstance::send(const ScriptCommand& command,
                                                QDeadlineTimer deadline)
{
    const Folder folder = channelFolder();
    if (!folder.problem.isEmpty())
        return std::nullopt;
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(socketPath(folder.path));
        if (socket.waitForConnected(remainingMs(deadline)))
            break;
        // The instance may be between taking its lock and listening.
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(retryPauseMs);
    }
    socket.write(command.encode());
    socket.flush();
    const QDeadlineTimer answerBy(answerTimeoutMs);
    QByteArray line;
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
           socket.waitForReadyRead(remainingMs(answerBy))) {
    }
    if (socket.canReadLine() || socket.bytesAvailable() > 0)
        line = socket.readLine(maxRequestBytes);
    if (const auto reply = ScriptReply::decode(line))
        return reply;
    return ScriptReply{false, tr("the running Corvane did not answer")};
}

} // namespace corvane
