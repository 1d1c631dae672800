// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace corvane::test {

void resetStores()
{
    Settings::reload();
    Settings::clear();
}

bool hasOwnFolders()
{
    return !qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME") &&
           !qEnvironmentVariableIsEmpty("XDG_DATA_HOME");
}

FakePlatform& installFakePlatform()
{
    auto platform = std::make_unique<FakePlatform>();
    FakePlatform& ref = *platform;
    Platform::install(std::move(platform));
    return ref;
}

FakePlatform& freshDesktop(const DisplayList& displays)
{
    resetStores();
    FakePlatform& platform = installFakePlatform();
    platform.setDisplays(displays);
    return platform;
}

Display primaryDisplay()
{
    return FakePlatform::makeDisplay(u"Built-in"_s, Rect(0, 0, 1440, 900), Rect(0, 25, 1440, 875),
                                     1, 111);
}

Display secondDisplay()
{
    return FakePlatform::makeDisplay(u"External"_s, Rect(1440, -180, 1920, 1080),
                                     Rect(1440, -155, 1920, 1055), 2, 222);
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

QByteArray edidBlock(const std::array<unsigned char, 8>& ids)
{
    QByteArray edid(128, '\0');
    const unsigned char header[] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
    for (int i = 0; i < 8; ++i) {
        edid[i] = char(header[i]);
        edid[8 + i] = char(ids[i]);
    }
    return edid;
}

void putEdidDescriptor(QByteArray& edid, int index, unsigned char tag, const QByteArray& text)
{
    const int at = 54 + 18 * index;
    edid[at + 3] = char(tag);
    for (int i = 0; i < text.size() && i < 13; ++i)
        edid[at + 5 + i] = text[i];
}

} // namespace corvane::test

namespace corvane {

char* toString(const Rect& r)
{
    return qstrdup(u"Rect(%1, %2, %3, %4)"_s.arg(r.x, 0, 'g', 17)
                       .arg(r.y, 0, 'g', 17)
                       .arg(r.width, 0, 'g', 17)
                       .arg(r.height, 0, 'g', 17)
                       .toUtf8()
                       .constData());
}

char* toString(const Point& p)
{
    return qstrdup(
        u"Point(%1, %2)"_s.arg(p.x, 0, 'g', 17).arg(p.y, 0, 'g', 17).toUtf8().constData());
}

} // namespace corvane
