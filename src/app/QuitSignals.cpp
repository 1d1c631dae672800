// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QuitSignals.h"

#include "logging/Logger.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane {
namespace {

constexpr int quitSignals[] = {SIGTERM, SIGINT};

std::atomic<int> writeEnd{-1};
std::atomic<int> received{0};

void onSignal(int number)
{
    if (received.fetch_add(1) > 0) {
        // Asked twice: the quit is stuck or too slow for whoever asked.
        std::signal(number, SIG_DFL);
        std::raise(number);
        return;
    }
    const char byte = static_cast<char>(number);
    const int saved = errno;
    [[maybe_unused]] const auto written = ::write(writeEnd.load(), &byte, 1);
    errno = saved;
}

void setHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : quitSignals)
        ::sigaction(number, &action, nullptr);
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets_) != 0) {
        Logger::error(QStringLiteral("SIGTERM and SIGINT end Corvane without its clean quit: no "
                                     "socket pair"),
                      LogCategory::App);
        return;
    }
    writeEnd = sockets_[0];
    received = 0;
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(sockets_[1], &byte, 1) == 1)
            Logger::info(QStringLiteral("Quitting on signal %1").arg(int(byte)), LogCategory::App);
        QCoreApplication::quit();
    });
    setHandler(onSignal);
}

QuitSignals::~QuitSignals()
{
    setHandler(SIG_DFL);
    notifier_.reset();
    writeEnd = -1;
    for (int socket : sockets_) {
        if (socket >= 0)
            ::close(socket);
    }
}

} // namespace corvane
