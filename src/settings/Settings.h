// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace corvane {

struct ZoneColors {
    QColor normal;
    QColor highlight;
};

// One change of a save: a key's new value, or its removal when `value` is empty.
struct SettingsChange {
    QString key;
    std::optional<QVariant> value;
};

// The settings store: the native-format file of organisation and application "Corvane"
// ($XDG_CONFIG_HOME/Corvane/Corvane.conf on Linux), read once and kept in memory for the whole
// process, so a read never touches the disk. Every write is saved at once by replacing the file
// whole, and says whether it reached the disk. A write that fails changes nothing in memory
// either: what the store answers is what the file holds. The failure is logged as an error
// whatever the log switches say and announced through Notifications::settingsWriteFailed, so
// that the user hears of it where they acted. Safe to use from any thread.
class Settings {
public:
    static QString fileName();

    static bool contains(QAnyStringView key);
    static QVariant value(QAnyStringView key);
    static QStringList allKeys();

    // True when the value is in the file.
    static bool setValue(QAnyStringView key, const QVariant& value);
    static bool remove(QAnyStringView key);
    // Several changes in one save: all of them reach the file, or none does.
    static bool write(const QList<SettingsChange>& changes);
    // Removes every key (tests, a full reset).
    static bool clear();
    // Why the last write of this thread failed, for the user; empty after a write that worked.
    static QString lastWriteFailure();
    // What keeps any save from reaching the file (a read-only folder or disk, a full disk, a
    // file where the folder belongs), found without writing; none when nothing is seen.
    static std::optional<QString> cannotBeSaved();
    // Reads the file again: for a file that another writer changed.
    static void reload();

    // Binary values hold JSON text.
    static std::optional<QByteArray> data(QAnyStringView key);
    static bool setData(QAnyStringView key, const QByteArray& data);

    static std::optional<QString> string(QAnyStringView key);
    static bool setString(QAnyStringView key, const QString& value);

    // A number, or 0 when the key is absent or does not hold a number.
    static double number(QAnyStringView key);

    static bool hasLaunchedBefore();
    static QString dragModifierKey(); // "shift" when absent
    // True unless a boolean false is stored; any other value counts as true.
    static bool showLayoutPreview();
    // Whether stepping to the next or previous zone from the keyboard goes on to the next
    // display; on unless a boolean false is stored, like the preview.
    static bool moveBetweenDisplays();
    // Each virtual desktop has its own layout choices (true unless false is stored).
    static bool layoutsPerDesktop();
    static bool launchAtLogin();
    // Where no modifier state can be read during a window move (KDE Plasma on Wayland): whether
    // the zones show during every move, or only while the snap shortcut has turned them on.
    enum class SnapTrigger { EveryMove, SnapShortcut };
    static SnapTrigger snapTrigger(); // SnapShortcut unless "everyMove" is stored

    // Logical pixels left between neighbouring zones and between zones and a display's usable
    // edges; 0 (zones filled exactly) when absent, and never outside 0 to maxSpaceAroundZones.
    static constexpr double maxSpaceAroundZones = 64;
    static double spaceAroundZones();
    // Whether a snapped window dragged out of its zone gets its earlier size back; true unless
    // a boolean false is stored.
    static bool restoreSizeOnUnsnap();
    // Whether a new window opens in the zone its application's windows were last snapped into,
    // and whether snapped windows go to the new layout's zones when a display's layout changes;
    // both true unless a boolean false is stored.
    static bool moveNewWindowsToLastZone();
    static bool moveSnappedWindowsOnLayoutChange();
    // Whether resizing a snapped window resizes the snapped windows beside it, so that the edge
    // they share stays shared; true unless a boolean false is stored.
    static bool resizeNeighbours();
    // The applications whose windows are never snapped, by name; empty when absent. Names are
    // kept without the blanks around them; blank and repeated names (compared without regard to
    // case) are left out, when stored and when read.
    static QStringList excludedApplications();
    static bool setExcludedApplications(const QStringList& names);
    static QStringList applicationNames(const QStringList& given);

    // The stored zone colours; four zero components of one colour mean "not stored".
    static ZoneColors zoneColors();
    static ZoneColors defaultZoneColors();
    static bool setNormalZoneColor(const QColor& color);
    static bool setHighlightZoneColor(const QColor& color);
};

} // namespace corvane
