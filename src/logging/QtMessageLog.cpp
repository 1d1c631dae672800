// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/QtMessageLog.h"

#include "logging/LogManager.h"
#include "logging/Logger.h"

#include <QtGlobal>
#include <atomic>

namespace corvane {
namespace {

std::atomic<QtMessageHandler> previousHandler{nullptr};
// Logging a message may itself make the toolkit warn; such a message goes only to the
// previous handler.
thread_local bool forwarding = false;

void forwardToLog(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!forwarding && type != QtDebugMsg && type != QtInfoMsg) {
        forwarding = true;
        const QString text = QStringLiteral("Qt: ") + message;
        if (type == QtWarningMsg)
            Logger::warning(text, LogCategory::App);
        else
            Logger::error(text, LogCategory::App);
        if (LogManager::exists())
            LogManager::shared().flush();
        forwarding = false;
    }
    if (const QtMessageHandler previous = previousHandler.load())
        previous(type, context, message);
}

} // namespace

void installQtMessageLog()
{
    const QtMessageHandler previous = qInstallMessageHandler(forwardToLog);
    if (previous != forwardToLog)
        previousHandler = previous;
}

} // namespace corvane
