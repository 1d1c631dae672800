#include "TestEnvironment.h"

#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace corvane::test {

void resetStores()
{
    Settings::reload();
    Settings::clear();
}

FakePlatform& installFakePlatform()
{
    auto platform = std::make_unique<FakePlatform>();
    FakePlatform& ref = *platform;
    Platform::install(std::move(platform));
    return ref;
}

Display primaryDisplay()
{
    return FakePlatform::makeDisplay(QStringLiteral("Built-in"), Rect(0, 0, 1440, 900),
                                     Rect(0, 0, 1440, 875), 1, 111);
}

Display secondDisplay()
{
    return FakePlatform::makeDisplay(QStringLiteral("External"), Rect(1440, 0, 1920, 1080),
                                     Rect(1440, 0, 1920, 1055), 2, 222);
}

QString settingsFilePath()
{
    return Settings::fileName();
}

bool blockSettingsFolder()
{
    const QString folder = QFileInfo(settingsFilePath()).absolutePath();
    QFile blocker(folder);
    return QDir(folder).removeRecursively() && blocker.open(QIODevice::WriteOnly);
}

bool unblockSettingsFolder()
{
    return QFile::remove(QFileInfo(settingsFilePath()).absolutePath());
}

QList<QUuid> zoneIds(const std::optional<ZoneList>& zones)
{
    QList<QUuid> result;
    for (const Zone& zone : zones.value_or(ZoneList{}))
        result.append(zone.id);
    return result;
}

} // namespace corvane::test

namespace corvane {

char* toString(const Rect& r)
{
    return qstrdup(QStringLiteral("Rect(%1, %2, %3, %4)")
                       .arg(r.x, 0, 'g', 17)
                       .arg(r.y, 0, 'g', 17)
                       .arg(r.width, 0, 'g', 17)
                       .arg(r.height, 0, 'g', 17)
                       .toUtf8()
                       .constData());
}

char* toString(const Point& p)
{
    return qstrdup(QStringLiteral("Point(%1, %2)")
                       .arg(p.x, 0, 'g', 17)
                       .arg(p.y, 0, 'g', 17)
                       .toUtf8()
                       .constData());
}

} // namespace corvane
