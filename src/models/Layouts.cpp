#include "models/Layouts.h"

#include "models/LayoutJson.h"
#include "models/Resources.h"
#include "models/StableUuid.h"

#include <QFile>

namespace corvane {
namespace {

// Nobody ships a template file this large; reading one would only waste memory.
constexpr qint64 maxTemplateFileSize = 64 * 1024 * 1024;

} // namespace

const ScreenLayout& noLayout()
{
    static const ScreenLayout layout{
        QUuid::fromString(QStringLiteral("00000000-0000-0000-0000-000000000001")),
        QStringLiteral("No Layout"),
        {},
        std::nullopt};
    return layout;
}

const ScreenLayout& focusLayout()
{
    static const ScreenLayout layout{
        QUuid::fromString(QStringLiteral("00000000-0000-0000-0000-000000000002")),
        QStringLiteral("Focus"),
        {Zone(QUuid::fromString(QStringLiteral("00000000-0000-0000-0000-000000000003")),
              Rect(0.05, 0.05, 0.9, 0.9))},
        std::nullopt};
    return layout;
}

QList<ScreenLayout> layoutsFromConfig(const LayoutConfig& config)
{
    QList<ScreenLayout> layouts;
    layouts.reserve(config.layouts.size());
    for (const LayoutConfigItem& item : config.layouts) {
        ScreenLayout layout{stableUUID(item.id), item.name, {}, item.description};
        layout.zones.reserve(item.zones.size());
        for (const ZoneConfig& zone : item.zones)
            layout.zones.append(
                Zone(stableUUID(zone.id), Rect(zone.x, zone.y, zone.width, zone.height)));
        layouts.append(std::move(layout));
    }
    return layouts;
}

QList<ScreenLayout> loadTemplateLayouts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxTemplateFileSize)
        return {};
    const auto config = json::decodeLayoutConfig(file.readAll());
    if (!config)
        return {};
    return layoutsFromConfig(*config);
}

const QList<ScreenLayout>& templateLayouts()
{
    static const QList<ScreenLayout> layouts =
        loadTemplateLayouts(resourcePath(QStringLiteral("layouts.json")));
    return layouts;
}

QList<ScreenLayout> allLayouts()
{
    QList<ScreenLayout> layouts{noLayout(), focusLayout()};
    layouts.append(templateLayouts());
    return layouts;
}

std::optional<ScreenLayout> templateNamed(const QString& name)
{
    for (const ScreenLayout& layout : templateLayouts()) {
        if (layout.name == name)
            return layout;
    }
    return std::nullopt;
}

} // namespace corvane
