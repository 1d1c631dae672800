#include "app/SingleInstance.h"

#include "settings/Settings.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace corvane {
namespace {

const QByteArray openPreferencesMessage = "open-preferences\n";
constexpr int connectTimeoutMs = 500;

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName()
{
    const QByteArray key = Settings::fileName().toUtf8();
    return QStringLiteral("corvane-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::notifyRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(openPreferencesMessage);
    socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a crashed instance would block the name.
    QLocalServer::removeServer(serverName());
    if (!server_->listen(serverName()))
        return false;
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().startsWith(openPreferencesMessage.trimmed()))
                    emit openPreferencesRequested();
            });
        }
    });
    return true;
}

} // namespace corvane
