// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QList>
#include <QMetaType>
#include <QUuid>

namespace corvane {

// One rectangle of a layout, in unit space: fractions of a display's visible frame, origin at
// its top-left corner, y growing downwards. Values are used as they stand, never clamped.
struct Zone {
    QUuid id = QUuid::createUuid();
    Rect frame;

    Zone() = default;
    explicit Zone(Rect frame) : frame(frame) {}
    Zone(QUuid id, Rect frame) : id(id), frame(frame) {}
};

using ZoneList = QList<Zone>;

} // namespace corvane

Q_DECLARE_METATYPE(corvane::Zone)
