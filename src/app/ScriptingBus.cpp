// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptingBus.h"

#include "app/ScriptingCommands.h"
#include "logging/Logger.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>

namespace corvane {
namespace {

const QString refusedError = QStringLiteral("app.corvane.Corvane.Error.Refused");

void reportOff(const QString& reason)
{
    Logger::warning(QStringLiteral("Scripting over D-Bus is off: ") + reason, LogCategory::App);
}

} // namespace

std::unique_ptr<ScriptingBus> ScriptingBus::publish(ScriptingCommands& commands)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        reportOff(QStringLiteral("no session bus (") + bus.lastError().message() + u')');
        return nullptr;
    }
    std::unique_ptr<ScriptingBus> service(new ScriptingBus(commands));
    if (!bus.registerObject(objectPath, service.get(), QDBusConnection::ExportAllSlots)) {
        reportOff(QStringLiteral("the object could not be registered"));
        return nullptr;
    }
    // Never queued behind, nor replacing, another Corvane's name: a script reaches the one
    // that held it first.
    const auto reply =
        bus.interface()->registerService(serviceName, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(objectPath);
        reportOff(QStringLiteral("another process holds ") + serviceName);
        return nullptr;
    }
    Logger::info(QStringLiteral("Scripting over D-Bus: ") + serviceName, LogCategory::App);
    return service;
}

ScriptingBus::~ScriptingBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(objectPath);
    bus.unregisterService(serviceName);
}

QString ScriptingBus::answer(const ScriptReply& reply)
{
    if (!reply.ok)
        sendErrorReply(refusedError, reply.text);
    return reply.text;
}

QString ScriptingBus::SnapActive(const QString& zone)
{
    return answer(commands_.snapActive(zone));
}

QString ScriptingBus::SnapAll(int display)
{
    return answer(commands_.snapAll(display == 0 ? std::nullopt : std::optional<int>(display)));
}

QString ScriptingBus::ApplyLayout(const QString& layout, int display)
{
    return answer(
        commands_.applyLayout(layout, display == 0 ? std::nullopt : std::optional<int>(display)));
}

QString ScriptingBus::ApplyLayoutOnDesktop(const QString& layout, int display, int desktop)
{
    return answer(commands_.applyLayout(layout,
                                        display == 0 ? std::nullopt : std::optional<int>(display),
                                        desktop == 0 ? std::nullopt : std::optional<int>(desktop)));
}

QString ScriptingBus::List()
{
    return answer(commands_.list());
}

} // namespace corvane
