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

// Snaps the window the user is working in to a zone named by number or by a step: what the
// keyboard shortcuts and the scripting commands do. It goes through the same snap as a drag,
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

    ZoneFlash& flash() const { return *flash_; }

private:
    ZoneManager& zoneManager_;
    std::unique_ptr<ZoneFlash> flash_;
    // The zone the last window snapped here was put in.
    struct Placed {
        WindowHandle window;
        ZoneNavigator::Placement placement;
    };
    std::optional<Placed> last_;
};

} // namespace corvane
