// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchDesktop.h"

#include "platform/fake/FakePlatform.h"

#include <QtGlobal>

namespace corvane::bench {

Display fourKDisplay()
{
    return FakePlatform::makeDisplay(QStringLiteral("4K"), Rect(0, 0, 3840, 2160),
                                     Rect(0, 0, 3840, 2135), 1, 4096);
}

ZoneList sixteenZones()
{
    ZoneList zones;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            zones.append(Zone(Rect(column * 0.25, row * 0.25, 0.25, 0.25)));
    }
    return zones;
}

void useOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace corvane::bench
