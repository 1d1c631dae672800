// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/DesktopLayoutChoices.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace corvane {
namespace {

const QString monitorKey = QStringLiteral("monitorID");
const QString desktopKey = QStringLiteral("desktop");
const QString layoutKey = QStringLiteral("layoutID");
const QString nameKey = QStringLiteral("layoutName");

std::optional<DesktopLayoutChoice> decodeChoice(const QJsonValue& value)
{
    const QJsonObject o = value.toObject();
    for (const QString& key : {monitorKey, desktopKey, layoutKey, nameKey}) {
        if (!o.value(key).isString())
            return std::nullopt;
    }
    return DesktopLayoutChoice{o.value(monitorKey).toString(), o.value(desktopKey).toString(),
                               o.value(layoutKey).toString(), o.value(nameKey).toString()};
}

} // namespace

std::optional<DesktopLayoutChoices> DesktopLayoutChoices::decode(const QByteArray& data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    DesktopLayoutChoices result;
    for (const QJsonValue& element : document.array()) {
        if (const auto choice = decodeChoice(element))
            result.choices_.append(*choice);
        else
            result.unreadable_.append(element);
    }
    return result;
}

QByteArray DesktopLayoutChoices::encode() const
{
    QJsonArray array;
    for (const DesktopLayoutChoice& c : choices_)
        array.append(QJsonObject{{monitorKey, c.monitorID},
                                 {desktopKey, c.desktop},
                                 {layoutKey, c.layoutID},
                                 {nameKey, c.layoutName}});
    for (const QJsonValue& element : unreadable_)
        array.append(element);
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QString> DesktopLayoutChoices::layoutID(const QString& monitorID,
                                                      const QString& desktop) const
{
    for (const DesktopLayoutChoice& c : choices_) {
        if (c.monitorID == monitorID && c.desktop == desktop)
            return c.layoutID;
    }
    return std::nullopt;
}

bool DesktopLayoutChoices::choose(const QString& monitorID, const QString& desktop,
                                  const ScreenLayout& layout)
{
    const DesktopLayoutChoice choice{monitorID, desktop, layout.uuidString(), layout.name};
    if (choices_.contains(choice))
        return false;
    choices_.removeIf([&](const DesktopLayoutChoice& c) {
        return c.monitorID == monitorID && c.desktop == desktop;
    });
    choices_.append(choice);
    return true;
}

bool DesktopLayoutChoices::replaceLayout(const QString& oldId, const ScreenLayout& layout,
                                         const QString& desktop, QSet<QString>& users)
{
    bool changed = false;
    for (DesktopLayoutChoice& c : choices_) {
        if (c.layoutID != oldId)
            continue;
        c.layoutID = layout.uuidString();
        c.layoutName = layout.name;
        changed = true;
        if (c.desktop == desktop)
            users.insert(c.monitorID);
    }
    return changed;
}

bool DesktopLayoutChoices::dropLayouts(const std::function<bool(const QString&)>& gone,
                                       const QString& desktop, QSet<QString>& users)
{
    const qsizetype before = choices_.size();
    choices_.removeIf([&](const DesktopLayoutChoice& c) {
        if (!gone(c.layoutID))
            return false;
        if (c.desktop == desktop)
            users.insert(c.monitorID);
        return true;
    });
    return choices_.size() != before;
}

} // namespace corvane
