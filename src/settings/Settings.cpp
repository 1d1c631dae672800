#include "settings/Settings.h"

#include "logging/Logger.h"
#include "settings/SettingsKeys.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

QColor colorFrom(double r, double g, double b, double a, const QColor& fallback)
{
    if (r == 0 && g == 0 && b == 0 && a == 0)
        return fallback;
    auto unit = [](double v) { return static_cast<float>(qBound(0.0, v, 1.0)); };
    return QColor::fromRgbF(unit(r), unit(g), unit(b), unit(a));
}

// Writes pending changes now and reports a write that failed instead of dropping it silently.
void commit(QSettings& settings)
{
    settings.sync();
    if (settings.status() == QSettings::AccessError)
        Logger::error(QStringLiteral("Settings could not be written to ") + settings.fileName(),
                      LogCategory::App);
}

// For switches that are on by default. The INI store keeps a boolean as the text "false";
// that is the only form that turns them off.
bool isTrueUnlessFalse(const QVariant& v)
{
    if (!v.isValid())
        return true;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    return v.toString() != u"false";
}

} // namespace

std::unique_ptr<QSettings> Settings::store()
{
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                    QStringLiteral("Corvane"), QStringLiteral("Corvane"));
    // The file is replaced whole (written beside it, then renamed over it), never rewritten in
    // place: a crash or a full disk in the middle of a save leaves the previous file as it was.
    // Where that cannot be done, the save fails and is logged.
    settings->setAtomicSyncRequired(true);
    return settings;
}

bool Settings::contains(QLatin1StringView key)
{
    return store()->contains(key);
}

QVariant Settings::value(QLatin1StringView key)
{
    return store()->value(key);
}

void Settings::setValue(QLatin1StringView key, const QVariant& value)
{
    auto s = store();
    s->setValue(key, value);
    commit(*s);
}

void Settings::remove(QLatin1StringView key)
{
    auto s = store();
    s->remove(key);
    commit(*s);
}

void Settings::remove(const QString& key)
{
    auto s = store();
    s->remove(key);
    commit(*s);
}

std::optional<QByteArray> Settings::data(QLatin1StringView key)
{
    const QVariant v = value(key);
    if (!v.isValid())
        return std::nullopt;
    return v.toByteArray();
}

void Settings::setData(QLatin1StringView key, const QByteArray& data)
{
    setValue(key, data);
}

std::optional<QString> Settings::string(const QString& key)
{
    const QVariant v = store()->value(key);
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

void Settings::setString(const QString& key, const QString& value)
{
    auto s = store();
    s->setValue(key, value);
    commit(*s);
}

double Settings::number(QLatin1StringView key)
{
    bool ok = false;
    const double v = value(key).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

bool Settings::hasLaunchedBefore()
{
    const QVariant v = value(SettingsKeys::hasLaunchedBefore);
    return v.isValid() && v.toBool();
}

QString Settings::dragModifierKey()
{
    const QVariant v = value(SettingsKeys::dragModifierKey);
    return v.isValid() ? v.toString() : QStringLiteral("shift");
}

bool Settings::showLayoutPreview()
{
    return isTrueUnlessFalse(value(SettingsKeys::showLayoutPreview));
}

bool Settings::restoreSizeOnUnsnap()
{
    return isTrueUnlessFalse(value(SettingsKeys::restoreSizeOnUnsnap));
}

Settings::SnapTrigger Settings::snapTrigger()
{
    return value(SettingsKeys::snapTrigger).toString() == u"everyMove" ? SnapTrigger::EveryMove
                                                                       : SnapTrigger::SnapShortcut;
}

bool Settings::launchAtLogin()
{
    const QVariant v = value(SettingsKeys::launchAtLogin);
    return v.isValid() && v.toBool();
}

double Settings::spaceAroundZones()
{
    return std::clamp(number(SettingsKeys::spaceAroundZones), 0.0, maxSpaceAroundZones);
}

QStringList Settings::excludedApplications()
{
    QStringList names;
    for (const QString& stored : value(SettingsKeys::excludedApplications).toStringList()) {
        const QString name = stored.trimmed();
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

void Settings::setExcludedApplications(const QStringList& names)
{
    // An empty list is no list: the store would keep it as an unreadable value.
    if (names.isEmpty())
        remove(SettingsKeys::excludedApplications);
    else
        setValue(SettingsKeys::excludedApplications, names);
}

ZoneColors Settings::defaultZoneColors()
{
    return {QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.2f), QColor::fromRgbF(0.0f, 0.48f, 1.0f, 0.1f)};
}

ZoneColors Settings::zoneColors()
{
    using namespace SettingsKeys;
    const ZoneColors defaults = defaultZoneColors();
    return {colorFrom(number(normalZoneColorRed), number(normalZoneColorGreen),
                      number(normalZoneColorBlue), number(normalZoneColorAlpha), defaults.normal),
            colorFrom(number(highlightZoneColorRed), number(highlightZoneColorGreen),
                      number(highlightZoneColorBlue), number(highlightZoneColorAlpha),
                      defaults.highlight)};
}

void Settings::setNormalZoneColor(const QColor& color)
{
    using namespace SettingsKeys;
    auto s = store();
    s->setValue(normalZoneColorRed, color.redF());
    s->setValue(normalZoneColorGreen, color.greenF());
    s->setValue(normalZoneColorBlue, color.blueF());
    s->setValue(normalZoneColorAlpha, color.alphaF());
    commit(*s);
}

void Settings::setHighlightZoneColor(const QColor& color)
{
    using namespace SettingsKeys;
    auto s = store();
    s->setValue(highlightZoneColorRed, color.redF());
    s->setValue(highlightZoneColorGreen, color.greenF());
    s->setValue(highlightZoneColorBlue, color.blueF());
    s->setValue(highlightZoneColorAlpha, color.alphaF());
    commit(*s);
}

} // namespace corvane
