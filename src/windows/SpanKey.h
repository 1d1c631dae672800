// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/DragKey.h"

#include <QString>
#include <optional>

namespace corvane {

// The key that, held together with the snap key during a drag, spans every zone between the one
// under the pointer when it went down and the one under the pointer now. It is the stored key,
// Control unless the user chose another; it is never the snap key itself: while the snap key is
// Control the default gives way to Shift, and a stored key that is the snap key spans nothing.
class SpanKey {
public:
    static constexpr auto defaultName = "control";

    // The name of the span key that goes with the snap key, as the settings store names.
    static QString name(const DragKey& snapKey);
    // That key, when it can span: none when it is the snap key or the desktop cannot follow it.
    // Where the desktop tells no keys, its span shortcut stands in (WindowMove::spanShortcut).
    static std::optional<DragKey> forSnapKey(const DragKey& snapKey);
};

} // namespace corvane
