// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeExtension.h"

#include "logging/Logger.h"
#include "models/Resources.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

namespace corvane {
namespace {

const QString shellService = QStringLiteral("org.gnome.Shell");
const QString shellPath = QStringLiteral("/org/gnome/Shell");
const QString extensionsInterface = QStringLiteral("org.gnome.Shell.Extensions");
const QString extensionFiles[] = {QStringLiteral("extension.js"), QStringLiteral("metadata.json")};
// The extension's states, as org.gnome.Shell.Extensions gives them.
enum ShellState { Enabled = 1, Disabled = 2, Error = 3, OutOfDate = 4, Initialized = 6 };
// How long the shell is given to enable the extension it was asked to.
constexpr int enableWaitMs = 3000;

QDBusMessage shellCall(const QString& interface, const QString& method,
                       const QVariantList& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(shellService, shellPath, interface, method);
    call.setArguments(arguments);
    return call;
}

// The shell's answer about the extension: empty when it does not know it; none when the
// shell does not answer at all.
std::optional<QVariantMap> extensionInfo(QDBusConnection& bus)
{
    const QDBusMessage reply =
        bus.call(shellCall(extensionsInterface, QStringLiteral("GetExtensionInfo"),
                           {QString::fromLatin1(GnomeExtension::uuid)}));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    QVariantMap info;
    reply.arguments().first().value<QDBusArgument>() >> info;
    return info;
}

int stateOf(const QVariantMap& info)
{
    return static_cast<int>(info.value(QStringLiteral("state")).toDouble());
}

int shellMajorVersion(QDBusConnection& bus)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        shellService, shellPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call.setArguments({QStringLiteral("org.gnome.Shell"), QStringLiteral("ShellVersion")});
    const QDBusReply<QDBusVariant> version = bus.call(call);
    return version.isValid() ? version.value().variant().toString().section(u'.', 0, 0).toInt() : 0;
}

// Where the shell looks for the extension: the user's folder first, then the system's.
QString installedFolder()
{
    QStringList folders{GnomeExtension::userFolder()};
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(u':', Qt::SkipEmptyParts))
        folders << dir + QStringLiteral("/gnome-shell/extensions/") +
                       QLatin1String(GnomeExtension::uuid);
    for (const QString& folder : folders) {
        if (QFile::exists(folder + QStringLiteral("/metadata.json")))
            return folder;
    }
    return {};
}

} // namespace

QString GnomeExtension::userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/gnome-shell/extensions/") + QLatin1String(uuid);
}

QString GnomeExtension::formFor(int shellMajorVersion)
{
    return shellMajorVersion >= 45 ? QStringLiteral("module") : QStringLiteral("legacy");
}

bool GnomeExtension::install(const QString& folder, int shellMajorVersion)
{
    const QString source =
        resourcePath(QStringLiteral("gnome-shell/") + formFor(shellMajorVersion));
    if (!QDir().mkpath(folder)) {
        Logger::error(QStringLiteral("Cannot make the folder ") + folder, LogCategory::App);
        return false;
    }
    for (const QString& name : extensionFiles) {
        const QString target = folder + u'/' + name;
        // Written beside and renamed, so that a shell starting meanwhile never reads half a file.
        const QString partial = target + QStringLiteral(".new");
        QFile::remove(partial);
        if (!QFile::copy(source + u'/' + name, partial) ||
            (QFile::exists(target) && !QFile::remove(target)) || !QFile::rename(partial, target)) {
            QFile::remove(partial);
            Logger::error(QStringLiteral("Cannot install the GNOME Shell extension file ") +
                              target + QStringLiteral(" from ") + source,
                          LogCategory::App);
            return false;
        }
    }
    Logger::info(QStringLiteral("Installed Corvane's GNOME Shell extension in ") + folder,
                 LogCategory::App);
    return true;
}

GnomeExtension::Setup GnomeExtension::prepare(QDBusConnection bus)
{
    auto info = extensionInfo(bus);
    if (!info)
        return {State::Failed,
                QCoreApplication::translate("GnomeExtension",
                                            "GNOME Shell does not answer about its extensions.")};
    if (info->isEmpty()) {
        // Unknown to the running shell: only a new login brings it in.
        const QString found = installedFolder();
        if (!found.isEmpty())
            return {State::NeedsLogin,
                    QCoreApplication::translate(
                        "GnomeExtension",
                        "Corvane's GNOME Shell extension is installed in %1, but GNOME Shell "
                        "started before it was.")
                        .arg(found)};
        const QString folder = userFolder();
        if (!install(folder, shellMajorVersion(bus)))
            return {State::Failed, QCoreApplication::translate(
                                       "GnomeExtension",
                                       "Corvane could not install its GNOME Shell extension in %1.")
                                       .arg(folder)};
        return {State::NeedsLogin,
                QCoreApplication::translate(
                    "GnomeExtension",
                    "Corvane has installed its GNOME Shell extension in %1; GNOME Shell loads a "
                    "new extension only at login.")
                    .arg(folder)};
    }
    int state = stateOf(*info);
    if (state == Disabled || state == Initialized) {
        const QDBusReply<bool> enabled = bus.call(shellCall(
            extensionsInterface, QStringLiteral("EnableExtension"), {QString::fromLatin1(uuid)}));
        Logger::info(QStringLiteral("Asked GNOME Shell to enable Corvane's extension: ") +
                         (enabled.isValid() && enabled.value() ? QStringLiteral("accepted")
                                                               : QStringLiteral("refused")),
                     LogCategory::App);
        const QDeadlineTimer deadline(enableWaitMs);
        while (state != Enabled && state != Error && !deadline.hasExpired()) {
            QThread::msleep(50);
            info = extensionInfo(bus);
            state = info ? stateOf(*info) : Error;
        }
    }
    switch (state) {
    case Enabled:
        return {State::Running, QCoreApplication::translate(
                                    "GnomeExtension", "Corvane's GNOME Shell extension runs.")};
    case Error:
        return {State::Failed,
                QCoreApplication::translate("GnomeExtension",
                                            "GNOME Shell could not run Corvane's extension: %1")
                    .arg(info ? info->value(QStringLiteral("error")).toString() : QString())};
    case OutOfDate:
        // A copy made for another shell version: the user's own copy, of the right form, takes
        // its place at the next login.
        if (install(userFolder(), shellMajorVersion(bus)))
            return {State::NeedsLogin,
                    QCoreApplication::translate(
                        "GnomeExtension",
                        "The installed Corvane extension (%1) does not support this version of "
                        "GNOME Shell; Corvane has installed one that does in %2.")
                        .arg(info->value(QStringLiteral("path")).toString(), userFolder())};
        return {State::Failed,
                QCoreApplication::translate(
                    "GnomeExtension",
                    "The installed Corvane extension (%1) does not support this version of GNOME "
                    "Shell.")
                    .arg(info->value(QStringLiteral("path")).toString())};
    default:
        return {
            State::Failed,
            QCoreApplication::translate(
                "GnomeExtension",
                "GNOME Shell did not enable Corvane's extension; extensions may be turned off.")};
    }
}

} // namespace corvane
