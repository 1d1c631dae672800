// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"

#include <QString>
#include <optional>

namespace corvane {

// A named, ordered set of zones. The order is the numbering shown to the user (first is "1").
// Layouts are compared by id only.
struct ScreenLayout {
    QUuid id = QUuid::createUuid();
    QString name;
    ZoneList zones;
    std::optional<QString> description;
    // The layout key (Ctrl+Alt+Super+<key>) the user gave it: 1 to 9, 0 for none; unset, it
    // has the key of its place in the list of layouts, if that is free.
    std::optional<int> quickKey = std::nullopt;

    // Upper-case canonical text, the form stored in per-display choices.
    QString uuidString() const;
};

// The canonical upper-case text of a UUID, without braces.
QString uuidText(const QUuid& id);

// Parses exactly the canonical 8-4-4-4-12 form (either case); anything else is none.
std::optional<QUuid> parseUuid(const QString& text);

} // namespace corvane

Q_DECLARE_METATYPE(corvane::ScreenLayout)
