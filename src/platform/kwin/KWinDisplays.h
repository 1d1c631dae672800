// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Displays.h"

namespace corvane {

class KWinBridge;

// KWin's outputs, the first one (KWin's primary) first. Frames and usable areas come from
// KWin's script; names and the numbers that identify a display across launches from the
// toolkit's screen of the same frame (its Wayland output). Qt's own available geometry does
// not leave panels out on Wayland, KWin's usable area does.
class KWinDisplays : public Displays {
    Q_OBJECT
public:
    explicit KWinDisplays(KWinBridge& bridge, QObject* parent = nullptr);

    DisplayList screens() const override { return displays_; }
    std::optional<Display> mainScreen() const override;

private:
    void refresh();

    KWinBridge& bridge_;
    DisplayList displays_;
};

} // namespace corvane
