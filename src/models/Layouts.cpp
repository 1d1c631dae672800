// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/Layouts.h"

#include "logging/Logger.h"
#include "models/LayoutJson.h"
#include "models/Resources.h"
#include "models/StableUuid.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>

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

std::optional<QList<ScreenLayout>> loadTemplateLayouts(const QString& path)
{
    const auto failed = [&](const QString& why) {
        Logger::fault(QStringLiteral("The layout templates could not be read from %1: %2; only "
                                     "No Layout and Focus are offered")
                          .arg(path, why),
                      LogCategory::Layout);
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    if (file.size() > maxTemplateFileSize)
        return failed(QStringLiteral("the file is too large"));
    const auto config = json::decodeLayoutConfig(file.readAll());
    if (!config)
        return failed(QStringLiteral("it is not a valid template file"));
    return layoutsFromConfig(*config);
}

namespace {

struct TemplateFile {
    QList<ScreenLayout> layouts;
    bool read = false;
};

const TemplateFile& templateFile()
{
    static const TemplateFile file = [] {
        auto layouts = loadTemplateLayouts(resourcePath(QStringLiteral("layouts.json")));
        return layouts ? TemplateFile{std::move(*layouts), true} : TemplateFile{};
    }();
    return file;
}

} // namespace

const QList<ScreenLayout>& templateLayouts()
{
    return templateFile().layouts;
}

bool templateFileRead()
{
    return templateFile().read;
}

QList<ScreenLayout> allLayouts()
{
    QList<ScreenLayout> layouts{noLayout(), focusLayout()};
    layouts.append(templateLayouts());
    return layouts;
}

QString shownName(const ScreenLayout& layout)
{
    // The names Corvane ships, in resources/layouts.json besides the built-in two.
    static constexpr const char* shipped[] = {
        QT_TRANSLATE_NOOP("Layouts", "No Layout"),    QT_TRANSLATE_NOOP("Layouts", "Focus"),
        QT_TRANSLATE_NOOP("Layouts", "Halves"),       QT_TRANSLATE_NOOP("Layouts", "Thirds"),
        QT_TRANSLATE_NOOP("Layouts", "Tall"),         QT_TRANSLATE_NOOP("Layouts", "Wide"),
        QT_TRANSLATE_NOOP("Layouts", "Grid"),         QT_TRANSLATE_NOOP("Layouts", "Main and Side"),
        QT_TRANSLATE_NOOP("Layouts", "Center Focus"), QT_TRANSLATE_NOOP("Layouts", "Six Grid"),
    };
    const auto builtIn = [&](const ScreenLayout& other) { return other.id == layout.id; };
    if (!builtIn(noLayout()) && !builtIn(focusLayout()) &&
        std::none_of(templateLayouts().begin(), templateLayouts().end(), builtIn))
        return layout.name;
    for (const char* name : shipped) {
        if (layout.name == QLatin1StringView(name))
            return QCoreApplication::translate("Layouts", name);
    }
    return layout.name;
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
