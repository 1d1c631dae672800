// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Display.h"

namespace corvane {

// A zone of one display, with the number the overlay shows for it (0 for zones spanned
// together, which have no number of their own).
struct ZoneChoice {
    Display display;
    Zone zone;
    int number = 0;
};

// The zone's number (from 1) among the zones: by id, else by its rectangle (built-in layouts
// get new zone ids in every run; their rectangles stay); 0 when none matches.
int zoneNumber(const QUuid& id, const Rect& unitFrame, const ZoneList& zones);

} // namespace corvane
