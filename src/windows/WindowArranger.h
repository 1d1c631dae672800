// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Display.h"

#include <QObject>
#include <QString>

namespace corvane {

class ZoneManager;

// Puts the windows of a display into its zones together: every window at once (snap all), and
// the windows snapped there when the display's layout changes, to the zone of the same number
// in the new layout, else to the zone nearest them.
class WindowArranger : public QObject {
    Q_OBJECT
public:
    struct Outcome {
        int snapped = 0;
        int failed = 0;
    };

    explicit WindowArranger(ZoneManager& zoneManager, QObject* parent = nullptr);
    ~WindowArranger() override;

    // Every normal window of the display goes to the zone nearest its centre.
    Outcome snapAll(const Display& display);

    // The zone a window moves to when its display's zones become `zones`: the zone of the same
    // number, else the zone nearest the window's centre; none without zones.
    static std::optional<qsizetype> followingZone(int number, const Rect& frame,
                                                  const Rect& visibleFrame, const ZoneList& zones);

private:
    void follow(const Display& display, const ZoneList& zones);

    ZoneManager& zoneManager_;
};

} // namespace corvane
