// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace corvane {

bool ensurePrivateFolder(const QString& path)
{
    constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner |
                                             QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser |
                                             QFile::ExeUser;
    const QFileInfo info(path);
    if (!info.exists()) {
        const QString parent = info.absolutePath();
        return QDir().mkpath(parent) && QDir().mkdir(path, ownerOnly);
    }
    if (!info.isDir())
        return false;
    // A folder its owner made read-only stays so: the save fails and says why. Others lose the
    // access of group and others, and never gain any.
    if (!info.permissions().testFlag(QFile::WriteOwner))
        return true;
    if ((info.permissions() & ~ownerOnly) != 0)
        QFile::setPermissions(path, info.permissions() & ownerOnly);
    return true;
}

} // namespace corvane
