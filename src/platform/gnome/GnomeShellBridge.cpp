// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeShellBridge.h"

#include "logging/Logger.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <utility>

namespace corvane {
namespace {

const QString shellService = QStringLiteral("org.gnome.Shell");
const QString extensionPath = QStringLiteral("/app/corvane/Shell");
const QString extensionInterface = QStringLiteral("app.corvane.Shell");
// The shell answers at once; a shell that hangs must not hang Corvane for long.
constexpr int callTimeoutMs = 3000;

QDBusMessage extensionCall(const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(shellService, extensionPath, extensionInterface, method);
    call.setArguments(arguments);
    return call;
}

} // namespace

GnomeShellBridge::GnomeShellBridge(QDBusConnection connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection))
{
    if (!connection_.registerObject(QString::fromLatin1(objectPath), this,
                                    QDBusConnection::ExportScriptableSlots)) {
        Logger::error(QStringLiteral("Cannot publish the GNOME Shell bridge on the session bus: ") +
                          connection_.lastError().message(),
                      LogCategory::App);
    }
    // A shell that restarts (X11 sessions, a crash) loses every connection: Corvane connects
    // to the new one.
    auto* watcher = new QDBusServiceWatcher(shellService, connection_,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &GnomeShellBridge::onShellOwnerChanged);
}

GnomeShellBridge::~GnomeShellBridge()
{
    if (connected_)
        connection_.call(extensionCall(QStringLiteral("Disconnect")), QDBus::Block, callTimeoutMs);
    connection_.unregisterObject(QString::fromLatin1(objectPath));
}

bool GnomeShellBridge::isShellRunning(QDBusConnection connection)
{
    return connection.isConnected() && connection.interface() &&
           connection.interface()->isServiceRegistered(shellService).value();
}

bool GnomeShellBridge::connectToExtension()
{
    const QDBusReply<uint> reply =
        connection_.call(extensionCall(QStringLiteral("Connect")), QDBus::Block, callTimeoutMs);
    const bool before = std::exchange(connected_, reply.isValid());
    if (!connected_) {
        Logger::warning(QStringLiteral("Corvane's GNOME Shell extension does not answer: ") +
                            reply.error().message(),
                        LogCategory::App);
    } else {
        Logger::info(QStringLiteral("Connected to Corvane's GNOME Shell extension (protocol %1)")
                         .arg(reply.value()),
                     LogCategory::App);
    }
    if (before != connected_)
        emit connectedChanged();
    return connected_;
}

void GnomeShellBridge::onShellOwnerChanged(const QString&, const QString&, const QString& newOwner)
{
    if (connected_) {
        connected_ = false;
        Logger::warning(QStringLiteral("GNOME Shell left the bus"), LogCategory::App);
        emit connectedChanged();
    }
    if (!newOwner.isEmpty())
        connectToExtension();
}

void GnomeShellBridge::setFrame(const QString& windowId, const QRectF& frame)
{
    const QRect r = frame.toRect();
    connection_.asyncCall(
        extensionCall(QStringLiteral("SetFrame"), {windowId, r.x(), r.y(), r.width(), r.height()}),
        callTimeoutMs);
    windows_.setFrame(windowId, frame);
}

void GnomeShellBridge::activate(const QString& windowId)
{
    if (connected_)
        connection_.asyncCall(extensionCall(QStringLiteral("Activate"), {windowId}), callTimeoutMs);
}

bool GnomeShellBridge::grabShortcut(const QString& name, const QString& accelerator)
{
    if (!connected_)
        return false;
    const QDBusReply<bool> grabbed =
        connection_.call(extensionCall(QStringLiteral("GrabShortcut"), {name, accelerator}),
                         QDBus::Block, callTimeoutMs);
    if (!grabbed.isValid())
        Logger::warning(QStringLiteral("GNOME Shell did not take the shortcut ") + accelerator +
                            QStringLiteral(": ") + grabbed.error().message(),
                        LogCategory::App);
    return grabbed.isValid() && grabbed.value();
}

void GnomeShellBridge::releaseShortcut(const QString& name)
{
    if (connected_)
        connection_.asyncCall(extensionCall(QStringLiteral("ReleaseShortcut"), {name}),
                              callTimeoutMs);
}

bool GnomeShellBridge::fromShell()
{
    if (!calledFromDBus())
        return true;
    const QString owner = connection_.interface()->serviceOwner(shellService).value();
    if (!owner.isEmpty() && message().service() == owner)
        return true;
    Logger::warning(QStringLiteral("Ignored a call to the GNOME Shell bridge from ") +
                        message().service(),
                    LogCategory::App);
    return false;
}

void GnomeShellBridge::Report(const QString& json)
{
    if (fromShell())
        handleReport(json);
}

void GnomeShellBridge::handleReport(const QString& json)
{
    QJsonParseError error;
    const QJsonObject message = QJsonDocument::fromJson(json.toUtf8(), &error).object();
    const QString event = message.value(QLatin1String("event")).toString();
    if (error.error != QJsonParseError::NoError || event.isEmpty()) {
        Logger::warning(QStringLiteral("Unreadable report from GNOME Shell"), LogCategory::App);
        return;
    }
    if (event == u"hello") {
        Logger::info(QStringLiteral("GNOME Shell %1 runs Corvane's extension")
                         .arg(message.value(QLatin1String("shell")).toString()),
                     LogCategory::App);
    } else if (event == u"outputs") {
        QList<GnomeOutput> outputs;
        for (const QJsonValue& v : message.value(QLatin1String("outputs")).toArray()) {
            const QJsonObject o = v.toObject();
            outputs.append({o.value(QLatin1String("name")).toString(),
                            o.value(QLatin1String("vendor")).toString(),
                            o.value(QLatin1String("product")).toString(),
                            o.value(QLatin1String("serial")).toString(),
                            o.value(QLatin1String("primary")).toBool(),
                            rectFromJson(o.value(QLatin1String("frame"))),
                            rectFromJson(o.value(QLatin1String("area")))});
        }
        outputs_ = outputs;
        emit outputsChanged();
    } else if (event == u"windows") {
        const bool activeChanged = windows_.takeList(message);
        emit windowsChanged();
        if (activeChanged)
            emit activeWindowChanged();
    } else if (event.startsWith(QLatin1String("move"))) {
        const auto window =
            ReportedWindow::fromJson(message.value(QLatin1String("window")).toObject());
        const QJsonArray c = message.value(QLatin1String("cursor")).toArray();
        cursor_ = QPointF(c.at(0).toDouble(), c.at(1).toDouble());
        modifiers_ = static_cast<unsigned>(message.value(QLatin1String("mods")).toInt());
        const MoveStage stage = event == u"moveStarted"   ? MoveStage::Started
                                : event == u"moveStepped" ? MoveStage::Stepped
                                                          : MoveStage::Finished;
        if (stage == MoveStage::Finished)
            moving_.reset();
        else
            moving_ = window.id;
        emit moved(stage, window);
    } else if (event == u"resized" || event == u"resizeStepped") {
        const auto window =
            ReportedWindow::fromJson(message.value(QLatin1String("window")).toObject());
        windows_.update(window);
        emit resized(window, event == u"resized");
    } else if (event == u"desktops") {
        emit desktopsReported(message);
    } else if (event == u"shortcut") {
        emit shortcutActivated(message.value(QLatin1String("name")).toString());
    }
}

} // namespace corvane
