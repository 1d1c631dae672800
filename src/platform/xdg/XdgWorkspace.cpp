#include "platform/xdg/XdgWorkspace.h"

#include "logging/Logger.h"

#include <QDesktopServices>
#include <QGuiApplication>

namespace corvane {

bool XdgWorkspace::openUrl(const QUrl& url)
{
    if (!url.isValid()) {
        Logger::warning(QStringLiteral("Not opening an invalid URL"), LogCategory::App);
        return false;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        Logger::warning(
            QStringLiteral("Cannot open %1 without a desktop session").arg(url.toDisplayString()),
            LogCategory::App);
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        Logger::warning(QStringLiteral("The desktop refused to open %1").arg(url.toDisplayString()),
                        LogCategory::App);
        return false;
    }
    return true;
}

} // namespace corvane
