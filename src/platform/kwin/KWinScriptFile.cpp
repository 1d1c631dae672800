// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinScriptFile.h"

#include "logging/Logger.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

const QString filePrefix = QStringLiteral("corvane-kwin-");
const QString fileSuffix = QStringLiteral(".js");

void refuse(const QString& why)
{
    Logger::error(QStringLiteral("Cannot write Corvane's KWin script: ") + why, LogCategory::App);
}

bool isAlive(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH);
}

void removeStaleIn(const QString& folder)
{
    const QStringList names =
        QDir(folder).entryList({filePrefix + u'*' + fileSuffix}, QDir::Files | QDir::System);
    for (const QString& name : names) {
        bool ok = false;
        const auto pid =
            name.mid(filePrefix.size(), name.size() - filePrefix.size() - fileSuffix.size())
                .toInt(&ok);
        if (!ok || (pid != ::getpid() && isAlive(pid)))
            continue;
        if (QFile::remove(QDir(folder).filePath(name)))
            Logger::info(QStringLiteral("Removed a KWin script left by an earlier run: ") + name,
                         LogCategory::App);
    }
}

} // namespace

QString KWinScriptFile::folder()
{
    return folder(qEnvironmentVariable("XDG_RUNTIME_DIR"));
}

QString KWinScriptFile::folder(const QString& runtimeDirectory)
{
    const uid_t user = ::geteuid();
    const bool hasRuntime =
        QDir::isAbsolutePath(runtimeDirectory) && QFileInfo(runtimeDirectory).isDir();
    const QString path = hasRuntime ? QDir(runtimeDirectory).filePath(QStringLiteral("corvane"))
                                    : QStringLiteral("/tmp/corvane-%1").arg(user);
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        refuse(path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        refuse(path + QStringLiteral(" is not a folder"));
        return {};
    }
    if (info.st_uid != user) {
        refuse(path + QStringLiteral(" belongs to another user"));
        return {};
    }
    if ((info.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0) {
        refuse(path + QStringLiteral(" cannot be made private"));
        return {};
    }
    return path;
}

QString KWinScriptFile::write(const QString& folder, const QByteArray& text)
{
    const QString path =
        QDir(folder).filePath(filePrefix + QString::number(::getpid()) + fileSuffix);
    const QByteArray native = QFile::encodeName(path);
    // Only this user can have put something here (an earlier process of the same number).
    ::unlink(native.constData());
    const int fd =
        ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        refuse(path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.constData() + written, size_t(text.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    const bool closed = ::close(fd) == 0;
    if (written != text.size() || !closed) {
        refuse(path + QStringLiteral(": the disk refused it"));
        ::unlink(native.constData());
        return {};
    }
    return path;
}

void KWinScriptFile::removeStale(const QString& folder)
{
    removeStaleIn(folder);
    // Earlier versions wrote straight into the runtime folder.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime))
        removeStaleIn(runtime);
}

} // namespace corvane
