// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/XdgWorkspace.h"

#include "logging/Logger.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

namespace corvane {
namespace {

// A link as the log may show it: a mailto: link carries what the user wrote, and a query or
// user name may carry anything.
QString forLog(const QUrl& url)
{
    if (url.scheme() == u"mailto")
        return QStringLiteral("a mailto: link");
    return url.toDisplayString(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo);
}

QString openerFor(const QUrl& url)
{
    if (url.scheme() == u"mailto") {
        const QString email = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
        if (!email.isEmpty())
            return email;
    }
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
}

} // namespace

bool XdgWorkspace::openUrl(const QUrl& url)
{
    if (!url.isValid()) {
        Logger::warning(QStringLiteral("Not opening an invalid URL"), LogCategory::App);
        return false;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        Logger::warning(QStringLiteral("Cannot open %1 without a desktop session").arg(forLog(url)),
                        LogCategory::App);
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        Logger::warning(QStringLiteral("The desktop refused to open %1").arg(forLog(url)),
                        LogCategory::App);
        return false;
    }
    return true;
}

void XdgWorkspace::openUrlAsync(const QUrl& url, QObject* context,
                                std::function<void(bool opened)> done)
{
    const QString opener = openerFor(url);
    if (url.scheme() == u"mailto" && opener.isEmpty()) {
        // Qt's own fallback would print the whole link, and with it the message, to standard
        // error.
        Logger::warning(
            QStringLiteral("No xdg-email or xdg-open is installed to open %1").arg(forLog(url)),
            LogCategory::App);
        QMetaObject::invokeMethod(
            context, [done = std::move(done)] { done(false); }, Qt::QueuedConnection);
        return;
    }
    if (!url.isValid() || opener.isEmpty()) {
        Workspace::openUrlAsync(url, context, std::move(done));
        return;
    }
    // The process belongs to the application, not to the caller: a handler's program that is
    // still running when the caller goes away is left to run.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto report = std::make_shared<std::function<void(bool, const QString&)>>(
        [context = QPointer<QObject>(context), done = std::move(done), url,
         reported = false](bool opened, const QString& why) mutable {
            if (reported)
                return;
            reported = true;
            if (!opened)
                Logger::warning(QStringLiteral("%1 could not be opened: %2").arg(forLog(url), why),
                                LogCategory::App);
            if (context)
                done(opened);
        });
    QObject::connect(
        process, &QProcess::finished, process,
        [process, report](int code, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit)
                (*report)(false, QStringLiteral("the handler crashed"));
            else if (code != 0)
                (*report)(false, QStringLiteral("the handler ended with status %1").arg(code));
            else
                (*report)(true, QString());
            process->deleteLater();
        });
    QObject::connect(
        process, &QProcess::errorOccurred, process,
        [process, report](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            (*report)(
                false,
                QStringLiteral("the handler could not start (%1)").arg(process->errorString()));
            process->deleteLater();
        });
    QTimer::singleShot(handOverWaitMs, process, [report] { (*report)(true, QString()); });
    process->start();
}

} // namespace corvane
