// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinBridge.h"

#include "logging/Logger.h"
#include "models/Resources.h"
#include "models/ZoneGeometry.h"
#include "platform/kwin/KWinScriptFile.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <unistd.h>
#include <utility>

namespace corvane {
namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString scriptingPath = QStringLiteral("/Scripting");
const QString scriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
// D-Bus gives up on a call after 25 s; an idle poll is answered well before.
constexpr int pollAnswerMs = 20000;
// How long after a frame is asked for an X11 window's own size is waited for.
constexpr int targetWaitMs = 1000;

QJsonArray arrayFrom(const QRectF& r)
{
    return QJsonArray{r.x(), r.y(), r.width(), r.height()};
}

QDBusMessage scriptingCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kwinService, scriptingPath, scriptingInterface, method);
    call.setArguments(arguments);
    return call;
}

} // namespace

KWinBridge::KWinBridge(QDBusConnection connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection))
{
    pollTimeout_.setSingleShot(true);
    pollTimeout_.setInterval(pollAnswerMs);
    connect(&pollTimeout_, &QTimer::timeout, this, [this] { answerPoll(QStringLiteral("[]")); });
    if (!connection_.registerObject(QString::fromLatin1(objectPath), this,
                                    QDBusConnection::ExportScriptableSlots)) {
        Logger::error(QStringLiteral("Cannot publish the KWin bridge on the session bus: ") +
                          connection_.lastError().message(),
                      LogCategory::App);
    }
}

KWinBridge::~KWinBridge()
{
    unloadScript();
    connection_.unregisterObject(QString::fromLatin1(objectPath));
}

bool KWinBridge::isKWinRunning(QDBusConnection connection)
{
    return connection.isConnected() && connection.interface() &&
           connection.interface()->isServiceRegistered(kwinService).value();
}

bool KWinBridge::loadScript()
{
    // The shipped script learns where to report by one line put in front of it.
    QFile shipped(resourcePath(QStringLiteral("corvane-kwin.js")));
    if (!shipped.open(QIODevice::ReadOnly)) {
        Logger::error(QStringLiteral("The KWin script is missing: ") + shipped.fileName(),
                      LogCategory::App);
        return false;
    }
    const QByteArray text = "var corvaneService = " +
                            QJsonDocument(QJsonArray{connection_.baseService()})
                                .toJson(QJsonDocument::Compact)
                                .mid(1)
                                .chopped(1) +
                            ";\nvar corvanePid = " + QByteArray::number(::getpid()) + ";\n" +
                            shipped.readAll();

    // A script left by a run that ended without unloading it (killed) would report to a name
    // that is gone, and its shortcuts would keep their keys: both go, and so do its files.
    connection_.call(
        scriptingCall(QStringLiteral("unloadScript"), {QString::fromLatin1(scriptName)}));
    releaseShortcuts();
    const QString folder = KWinScriptFile::folder();
    if (folder.isEmpty())
        return false;
    KWinScriptFile::removeStale(folder);
    scriptPath_ = KWinScriptFile::write(folder, text);
    if (scriptPath_.isEmpty())
        return false;

    const QDBusReply<int> id = connection_.call(scriptingCall(
        QStringLiteral("loadScript"), {scriptPath_, QString::fromLatin1(scriptName)}));
    if (!id.isValid() || id.value() < 0) {
        Logger::error(QStringLiteral("KWin refused Corvane's script: ") + id.error().message(),
                      LogCategory::App);
        QFile::remove(scriptPath_);
        return false;
    }
    connection_.call(scriptingCall(QStringLiteral("start"), {}));
    scriptLoaded_ = true;
    Logger::info(QStringLiteral("Corvane's script runs in KWin"), LogCategory::App);
    return true;
}

void KWinBridge::unloadScript()
{
    if (!scriptLoaded_)
        return;
    scriptLoaded_ = false;
    answerPoll(QStringLiteral("[]"));
    connection_.call(
        scriptingCall(QStringLiteral("unloadScript"), {QString::fromLatin1(scriptName)}));
    // KWin keeps a script's shortcuts, keys and all, after the script has gone: they are
    // given back, or no other application could have those keys.
    releaseShortcuts();
    QFile::remove(scriptPath_);
}

void KWinBridge::releaseShortcuts()
{
    // Shortcuts of KWin's scripts belong to KWin's component of KDE's shortcut service.
    const QString service = QStringLiteral("org.kde.kglobalaccel");
    const QDBusReply<QStringList> names = connection_.call(QDBusMessage::createMethodCall(
        service, QStringLiteral("/component/kwin"),
        QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("shortcutNames")));
    if (!names.isValid())
        return;
    int released = 0;
    for (const QString& name : names.value()) {
        if (!name.startsWith(QLatin1String(shortcutPrefix)))
            continue;
        QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/kglobalaccel"),
                                                           QStringLiteral("org.kde.KGlobalAccel"),
                                                           QStringLiteral("unregister"));
        call.setArguments({QStringLiteral("kwin"), name});
        const QDBusReply<bool> done = connection_.call(call);
        released += done.isValid() && done.value() ? 1 : 0;
    }
    if (released > 0)
        Logger::info(QStringLiteral("Gave back the keys of %1 shortcuts").arg(released),
                     LogCategory::App);
}

bool KWinBridge::fromKWin()
{
    if (!calledFromDBus())
        return true;
    const QString owner = connection_.interface()->serviceOwner(kwinService).value();
    if (!owner.isEmpty() && message().service() == owner)
        return true;
    Logger::warning(QStringLiteral("Ignored a call to the KWin bridge from ") + message().service(),
                    LogCategory::App);
    return false;
}

void KWinBridge::report(const QString& json)
{
    if (fromKWin())
        handleReport(json);
}

QString KWinBridge::poll()
{
    if (!fromKWin())
        return QStringLiteral("[]");
    // One poll waits at a time; an older one is answered empty so that it ends.
    answerPoll(QStringLiteral("[]"));
    setDelayedReply(true);
    waitingPoll_ = message();
    if (!pending_.isEmpty())
        QMetaObject::invokeMethod(this, &KWinBridge::flush, Qt::QueuedConnection);
    else
        pollTimeout_.start();
    return {};
}

void KWinBridge::answerPoll(const QString& commands)
{
    pollTimeout_.stop();
    if (!waitingPoll_)
        return;
    connection_.send(waitingPoll_->createReply(commands));
    waitingPoll_.reset();
}

void KWinBridge::queue(const QJsonObject& command)
{
    const bool idle = pending_.isEmpty();
    pending_.append(command);
    if (idle)
        QMetaObject::invokeMethod(this, &KWinBridge::flush, Qt::QueuedConnection);
}

void KWinBridge::flush()
{
    if (pending_.isEmpty() || !waitingPoll_)
        return;
    QJsonArray list;
    for (const QJsonObject& c : std::as_const(pending_))
        list.append(c);
    pending_.clear();
    answerPoll(QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)));
}

void KWinBridge::setFrame(const QString& windowId, const QRectF& frame)
{
    pending_.removeIf([&](const QJsonObject& c) {
        return c.value(QLatin1String("command")) == QLatin1String("setFrame") &&
               c.value(QLatin1String("window")) == windowId;
    });
    queue({{QStringLiteral("command"), QStringLiteral("setFrame")},
           {QStringLiteral("window"), windowId},
           {QStringLiteral("frame"), arrayFrom(frame)}});
    windows_.setFrame(windowId, frame);
    if (const auto w = windows_.find(windowId); w && w->x11)
        targets_.insert(windowId, {frame, QDeadlineTimer(targetWaitMs)});
}

void KWinBridge::activate(const QString& windowId)
{
    queue({{QStringLiteral("command"), QStringLiteral("activate")},
           {QStringLiteral("window"), windowId}});
}

void KWinBridge::place(qint64 pid, const QString& caption, const QRectF& frame)
{
    queue({{QStringLiteral("command"), QStringLiteral("place")},
           {QStringLiteral("pid"), pid},
           {QStringLiteral("caption"), caption},
           {QStringLiteral("frame"), arrayFrom(frame)}});
}

void KWinBridge::registerShortcut(const QString& name, const QString& text, const QString& keys)
{
    queue({{QStringLiteral("command"), QStringLiteral("registerShortcut")},
           {QStringLiteral("name"), name},
           {QStringLiteral("text"), text},
           {QStringLiteral("keys"), keys}});
}

void KWinBridge::centreInTarget(const ReportedWindow& window)
{
    const auto target = targets_.find(window.id);
    if (target == targets_.end())
        return;
    // KWin reports the frame asked for first, and the one the client took right after.
    const QRectF wanted = target->frame;
    if (target->expiry.hasExpired()) {
        targets_.erase(target);
        return;
    }
    if (window.frame == wanted)
        return;
    targets_.erase(target);
    if (window.frame.topLeft() != wanted.topLeft())
        return;
    const auto centred =
        centredInTarget(Size{window.frame.width(), window.frame.height()},
                        Rect(wanted.x(), wanted.y(), wanted.width(), wanted.height()));
    if (!centred)
        return;
    Logger::info(QStringLiteral("The window keeps a size of %1 × %2, smaller than its zone; "
                                "it is centred in it")
                     .arg(window.frame.width())
                     .arg(window.frame.height()),
                 LogCategory::Window);
    setFrame(window.id, QRectF(QPointF(centred->x, centred->y), window.frame.size()));
}

void KWinBridge::handleReport(const QString& json)
{
    QJsonParseError error;
    const QJsonObject message = QJsonDocument::fromJson(json.toUtf8(), &error).object();
    const QString event = message.value(QLatin1String("event")).toString();
    if (error.error != QJsonParseError::NoError || event.isEmpty()) {
        Logger::warning(QStringLiteral("Unreadable report from KWin's script"), LogCategory::App);
        return;
    }
    if (event == u"hello") {
        generation_ = message.value(QLatin1String("generation")).toInt();
        Logger::info(QStringLiteral("KWin's script speaks the Plasma %1 API").arg(generation_),
                     LogCategory::App);
        emit scriptStarted();
    } else if (event == u"outputs") {
        QList<KWinOutput> outputs;
        for (const QJsonValue& v : message.value(QLatin1String("outputs")).toArray()) {
            const QJsonObject o = v.toObject();
            outputs.append({o.value(QLatin1String("name")).toString(),
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
    } else if (event == u"window") {
        const auto window =
            ReportedWindow::fromJson(message.value(QLatin1String("window")).toObject());
        windows_.update(window);
        centreInTarget(window);
        emit windowsChanged();
    } else if (event.startsWith(QLatin1String("move"))) {
        const auto window =
            ReportedWindow::fromJson(message.value(QLatin1String("window")).toObject());
        const QJsonArray c = message.value(QLatin1String("cursor")).toArray();
        cursor_ = QPointF(c.at(0).toDouble(), c.at(1).toDouble());
        windows_.bringToFront(window);
        const MoveStage stage = event == u"moveStarted"   ? MoveStage::Started
                                : event == u"moveStepped" ? MoveStage::Stepped
                                                          : MoveStage::Finished;
        if (stage == MoveStage::Finished)
            moving_.reset();
        else
            moving_ = window.id;
        emit moved(stage, window, cursor_);
    } else if (event == u"resized") {
        const auto window =
            ReportedWindow::fromJson(message.value(QLatin1String("window")).toObject());
        windows_.update(window);
        emit resized(window, message.value(QLatin1String("finished")).toBool());
    } else if (event == u"desktops") {
        emit desktopsReported(message);
    } else if (event == u"shortcut") {
        emit shortcutActivated(message.value(QLatin1String("name")).toString());
    }
}

} // namespace corvane
