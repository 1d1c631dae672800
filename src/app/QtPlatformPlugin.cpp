// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtPlatformPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

namespace corvane {
namespace {

// Where the toolkit looks for platform plugins, in its order.
QStringList pluginFolders()
{
    QStringList folders;
    if (const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !own.isEmpty())
        folders << own;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    return folders;
}

bool hasKey(const QPluginLoader& loader, const QString& name)
{
    const QJsonArray keys =
        loader.metaData().value(QStringLiteral("MetaData")).toObject().value(u"Keys").toArray();
    for (const auto& key : keys) {
        if (key.toString().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

std::optional<QString> qtPlatformPluginProblem(const QByteArray& requested)
{
    // "xcb:option=value" names the plugin before the colon.
    const QString name = QString::fromLocal8Bit(requested.split(':').first());
    for (const QString& folder : pluginFolders()) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            QPluginLoader loader(dir.filePath(file));
            if (!hasKey(loader, name))
                continue;
            // Loading it finds what it links against; the toolkit loads the same library later.
            if (!loader.load())
                return QCoreApplication::translate(
                           "QtPlatformPlugin", "Qt's platform plugin \"%1\" cannot be loaded: %2")
                    .arg(name, loader.errorString());
            return std::nullopt;
        }
    }
    return QCoreApplication::translate("QtPlatformPlugin",
                                       "Qt's platform plugin \"%1\" is not installed")
        .arg(name);
}

} // namespace corvane
