// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowHandle.h"
#include "windows/ZoneNavigator.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

namespace corvane {

class ZoneFlash;
class ZoneManager;

// Snaps the window the user is working in to a zone named by number or by a step, or steps
// through the windows sharing its zone: what the keyboard shortcuts and the scripting commands
// do. It goes through the same snap as a drag,
// and, when the layout preview is on, flashes the overlay of the target's display with the
// target highlighted.
class ActiveWindowSnapper : public QObject {
    Q_OBJECT
public:
    struct Outcome {
        bool snapped = false;
        // Where the window went, or why it did not move.
        QString message;
    };

    explicit ActiveWindowSnapper(ZoneManager& zoneManager, QObject* parent = nullptr);
    ~ActiveWindowSnapper() override;

    Outcome snapActiveWindow(const ZoneRequest& request);
    // Raises and activates the next (step 1) or previous (-1) window snapped into the zone of
    // the active window, round the windows of that zone in the order they were put there.
    Outcome activateWindowSharingZone(int step);

    ZoneFlash& flash() const { return *flash_; }

private:
    ZoneManager& zoneManager_;
    std::unique_ptr<ZoneFlash> flash_;
};

} // namespace corvane
