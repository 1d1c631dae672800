// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptCommand.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <array>

namespace corvane {
namespace {

struct KindName {
    ScriptCommand::Kind kind;
    QLatin1StringView name;
};

constexpr std::array kindNames{
    KindName{ScriptCommand::Kind::OpenPreferences, QLatin1StringView("open-preferences")},
    KindName{ScriptCommand::Kind::SnapActive, QLatin1StringView("snap-active")},
    KindName{ScriptCommand::Kind::SnapAll, QLatin1StringView("snap-all")},
    KindName{ScriptCommand::Kind::ApplyLayout, QLatin1StringView("apply-layout")},
    KindName{ScriptCommand::Kind::List, QLatin1StringView("list")},
    KindName{ScriptCommand::Kind::OpenLayoutEditor, QLatin1StringView("open-layout-editor")}};

QByteArray line(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QJsonObject> object(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace

QByteArray ScriptCommand::encode() const
{
    QJsonObject object;
    for (const KindName& entry : kindNames) {
        if (entry.kind == kind)
            object.insert(QStringLiteral("command"), QString(entry.name));
    }
    if (!zone.isEmpty())
        object.insert(QStringLiteral("zone"), zone);
    if (!layout.isEmpty())
        object.insert(QStringLiteral("layout"), layout);
    if (display)
        object.insert(QStringLiteral("display"), *display);
    if (desktop)
        object.insert(QStringLiteral("desktop"), *desktop);
    return line(object);
}

std::optional<ScriptCommand> ScriptCommand::decode(const QByteArray& text)
{
    const auto fields = object(text);
    if (!fields)
        return std::nullopt;
    const QString name = fields->value(QStringLiteral("command")).toString();
    const auto entry = std::find_if(kindNames.begin(), kindNames.end(),
                                    [&](const KindName& k) { return k.name == name; });
    if (entry == kindNames.end())
        return std::nullopt;
    ScriptCommand command;
    command.kind = entry->kind;
    command.zone = fields->value(QStringLiteral("zone")).toString();
    command.layout = fields->value(QStringLiteral("layout")).toString();
    for (const auto& [key, number] : {std::pair(QStringLiteral("display"), &command.display),
                                      std::pair(QStringLiteral("desktop"), &command.desktop)}) {
        const QJsonValue value = fields->value(key);
        if (value.isDouble()) {
            // A number that is no whole int becomes 0, which no display or desktop has.
            *number = value.toInt(0);
        } else if (!value.isUndefined()) {
            return std::nullopt;
        }
    }
    return command;
}

QByteArray ScriptReply::encode() const
{
    return line({{QStringLiteral("ok"), ok}, {QStringLiteral("text"), text}});
}

std::optional<ScriptReply> ScriptReply::decode(const QByteArray& text)
{
    const auto fields = object(text);
    if (!fields || !fields->value(QStringLiteral("ok")).isBool())
        return std::nullopt;
    return ScriptReply{fields->value(QStringLiteral("ok")).toBool(),
                       fields->value(QStringLiteral("text")).toString()};
}

} // namespace corvane
