#pragma once

#include <QByteArray>
#include <QColor>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

namespace corvane {

struct ZoneColors {
    QColor normal;
    QColor highlight;
};

// The settings store: QSettings of organisation and application "Corvane" in the native format
// ($XDG_CONFIG_HOME/Corvane/Corvane.conf on Linux). Every read goes to the store; nothing is
// cached, so a value written elsewhere is seen at the next use.
class Settings {
public:
    static std::unique_ptr<QSettings> store();

    static bool contains(QLatin1StringView key);
    static QVariant value(QLatin1StringView key);
    static void setValue(QLatin1StringView key, const QVariant& value);
    static void remove(QLatin1StringView key);
    static void remove(const QString& key);

    // Binary values hold JSON text.
    static std::optional<QByteArray> data(QLatin1StringView key);
    static void setData(QLatin1StringView key, const QByteArray& data);

    static std::optional<QString> string(const QString& key);
    static void setString(const QString& key, const QString& value);

    // A number, or 0 when the key is absent or does not hold a number.
    static double number(QLatin1StringView key);

    static bool hasLaunchedBefore();
    static QString dragModifierKey(); // "shift" when absent
    // True unless a boolean false is stored; any other value counts as true.
    static bool showLayoutPreview();
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
    // The applications whose windows are never snapped, by name; empty when absent. Blank and
    // repeated names (compared without regard to case) are left out.
    static QStringList excludedApplications();
    static void setExcludedApplications(const QStringList& names);

    // The stored zone colours; four zero components of one colour mean "not stored".
    static ZoneColors zoneColors();
    static ZoneColors defaultZoneColors();
    static void setNormalZoneColor(const QColor& color);
    static void setHighlightZoneColor(const QColor& color);
};

} // namespace corvane
