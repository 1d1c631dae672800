// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/fake/FakePlatform.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUuid>
#include <array>
#include <optional>

namespace corvane::test {

// Every test executable runs with its own XDG folders (set by CTest); this empties the settings
// store and the log folder so that each test starts from a fresh installation.
void resetStores();

// Whether the XDG folders are this test's own (CTest sets them); a test that empties its
// folders must not run without them, or it would empty the user's. Say so with QVERIFY2.
bool hasOwnFolders();

// Installs a fresh in-memory desktop with the given displays and returns it.
FakePlatform& installFakePlatform();

// A 1440 x 900 primary display with a 25-point panel at its top, and a 1920 x 1080 display to
// its right, bottoms aligned, with a 25-point panel at its top.
Display primaryDisplay();
Display secondDisplay();

// A fresh installation on a fresh fake desktop with the given displays (by default the two
// above, side by side); returns the desktop.
FakePlatform& freshDesktop(const DisplayList& displays = {primaryDisplay(), secondDisplay()});

QString settingsFilePath();
// Puts a file where the settings folder belongs, so that every save fails (as with a read-only
// or full disk), and takes it away again.
bool blockSettingsFolder();
bool unblockSettingsFolder();

// The zones' ids in order: what identifies a layout's zones across copies.
QList<QUuid> zoneIds(const std::optional<ZoneList>& zones);

// A 128-byte EDID base block: its header, then `ids` (vendor, product code, serial, as they
// stand in the block), and nothing else.
QByteArray edidBlock(const std::array<unsigned char, 8>& ids);
// Writes a text descriptor (0xfc a name, 0xff a serial string) into descriptor slot `index`.
void putEdidDescriptor(QByteArray& edid, int index, unsigned char tag, const QByteArray& text);

} // namespace corvane::test

namespace corvane {
// Readable values in failed comparisons.
char* toString(const Rect& rect);
char* toString(const Point& point);
} // namespace corvane
