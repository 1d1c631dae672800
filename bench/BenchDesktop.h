// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Display.h"

namespace corvane::bench {

// A 3840 × 2160 primary display with a 25-point panel, as the fake desktop describes it.
Display fourKDisplay();

// Four rows of four equal zones.
ZoneList sixteenZones();

// Makes the process use the offscreen Qt platform unless one is chosen, before QApplication.
void useOffscreenPlatformByDefault();

} // namespace corvane::bench
