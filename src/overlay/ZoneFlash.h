// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Display.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

namespace corvane {

class OverlayView;
class OverlayWindow;

// A moment's look at a display's zones, as the drag overlay shows them, with one zone
// highlighted: where a window snapped from the keyboard went. It comes and goes with the timing
// of the layout preview; a new flash replaces the one before at once.
class ZoneFlash : public QObject {
    Q_OBJECT
public:
    explicit ZoneFlash(QObject* parent = nullptr);
    ~ZoneFlash() override;

    void flash(const Display& display, const ZoneList& zones, const Zone& highlighted);

    // The overlay while it is shown (or about to be).
    OverlayWindow* window() const { return window_.get(); }
    OverlayView* view() const;
    bool isShown() const;

    // Tests stretch or shorten the flash; a call uses the delays set when it is made.
    void setDelays(std::chrono::milliseconds show, std::chrono::milliseconds hide);

private:
    void close();

    std::unique_ptr<OverlayWindow> window_;
    QTimer showTimer_;
    QTimer hideTimer_;
    std::chrono::milliseconds showDelay_;
    std::chrono::milliseconds hideDelay_;
};

} // namespace corvane
