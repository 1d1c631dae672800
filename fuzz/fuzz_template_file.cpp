// SPDX-License-Identifier: GPL-3.0-or-later
// The template file layouts.json, as the application reads it at first use. Whatever it decodes
// to must survive being stored: a template is written in the stored-layout format whenever it
// becomes a display's current layout or the start of a custom layout.
#include "FuzzCheck.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::fuzz;

namespace {

QString templateFilePath()
{
    static const QTemporaryDir folder;
    require(folder.isValid(), "a temporary folder for the template file");
    return folder.filePath(QStringLiteral("layouts.json"));
}

// Template ids are derived from their text, never drawn at random.
bool isDerivedId(const QUuid& id)
{
    static const QRegularExpression form(
        QStringLiteral("^[0-9A-F]{8}-0000-0000-0000-[0-9A-F]{8}0000$"));
    return form.match(uuidText(id)).hasMatch();
}

void checkBuiltLayouts(const LayoutConfig& config, const QList<ScreenLayout>& layouts)
{
    require(layouts.size() == config.layouts.size(), "one layout per template item");
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        const LayoutConfigItem& item = config.layouts[i];
        const ScreenLayout& layout = layouts[i];
        require(isDerivedId(layout.id), "a template's id is derived from its text");
        require(layout.name == item.name, "a template keeps its name");
        require(layout.description == item.description, "a template keeps its description");
        require(layout.zones.size() == item.zones.size(), "a template keeps every zone");
        for (qsizetype z = 0; z < layout.zones.size(); ++z) {
            const ZoneConfig& zone = item.zones[z];
            const Zone& built = layout.zones[z];
            require(isDerivedId(built.id), "a template zone's id is derived from its text");
            require(sameNumber(built.frame.x, zone.x) && sameNumber(built.frame.y, zone.y) &&
                        sameNumber(built.frame.width, zone.width) &&
                        sameNumber(built.frame.height, zone.height),
                    "a template zone's frame is used as read");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = bytes(data, size);
    const auto config = json::decodeLayoutConfig(input);
    QList<ScreenLayout> layouts;
    if (config) {
        layouts = layoutsFromConfig(*config);
        checkBuiltLayouts(*config, layouts);
        const auto stored = json::decodeLayouts(json::encodeLayouts(layouts));
        require(stored.has_value(), "templates stored as layouts decode again");
        requireSameLayouts(layouts, *stored, "templates stored as layouts read back the same");
    }

    // A new file each time: truncating one in place makes some file systems flush it on close.
    QFile file(templateFilePath());
    file.remove();
    require(file.open(QIODevice::WriteOnly) && file.write(input) == input.size(),
            "the template file is written");
    file.close();
    requireSameLayouts(loadTemplateLayouts(file.fileName()).value_or(QList<ScreenLayout>{}),
                       layouts, "reading the file gives what decoding its bytes gives");
    return 0;
}
