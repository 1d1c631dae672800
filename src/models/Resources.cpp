// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/Resources.h"

#include <QCoreApplication>
#include <QDir>

namespace corvane {

QString resourceDirectory()
{
    const QString overridden = qEnvironmentVariable("CORVANE_SHARE_DIR");
    if (!overridden.isEmpty())
        return overridden;
    const QString binDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return QDir::cleanPath(binDir + QStringLiteral("/../share/corvane"));
}

QString resourcePath(const QString& name)
{
    return resourceDirectory() + u'/' + name;
}

} // namespace corvane
