// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Display.h"
#include "windows/ZoneChoice.h"

#include <QHash>
#include <QString>
#include <QUuid>
#include <optional>

namespace corvane {

// What a keyboard snap asks for: a zone by the number the overlay shows on the window's
// display, the zone after or before the one the window is in, or the zone above or below it.
struct ZoneRequest {
    enum class Kind { Number, Next, Previous, Up, Down };
    Kind kind = Kind::Next;
    int number = 0; // from 1, for Kind::Number

    // "1" … "9", "next", "previous", "up" or "down"; none for anything else.
    static std::optional<ZoneRequest> parse(const QString& text);
    QString text() const;
};

// Picks the zone a keyboard snap moves a window to. Zones are taken in their layout's order;
// past the last zone of a display the step goes on to the first zone of the next display to
// the right (and before the first, to the last zone of the display to the left), round all the
// displays, or, when it stays on one display, round that display. Up and down go to the nearest
// zone above or below that overlaps the window's zone horizontally, and past the display's edge
// to the display above or below; they do not wrap round. A window that is in no zone goes first
// to the zone nearest its centre.
class ZoneNavigator {
public:
    // Zones by display identifier (monitorID), as the zone manager keeps them.
    using ZoneTable = QHash<QString, ZoneList>;

    // A zone the window was last put in: it still counts as in it while its centre is inside
    // the zone, for windows that cannot take a zone's exact size.
    struct Placement {
        QString displayKey;
        QUuid zoneId;
    };

    struct Result {
        std::optional<ZoneChoice> choice;
        QString error; // why there is no choice
    };

    // How to step and what the snap leaves around a zone (a window filling a zone fills it less
    // that space).
    struct Options {
        bool acrossDisplays = true;
        double spaceAroundZones = 0;
    };

    static Result choose(const ZoneRequest& request, const Rect& windowFrame,
                         const DisplayList& screens, const ZoneTable& zones, Options options,
                         const std::optional<Placement>& last = std::nullopt);

    // The display showing most of the window (its centre's display first); none without
    // displays.
    static std::optional<qsizetype> displayOf(const Rect& windowFrame, const DisplayList& screens);
};

} // namespace corvane
