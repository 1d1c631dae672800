// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowServer.h"

namespace corvane {

class KWinBridge;
class KWinDisplays;

// The window list as KWin's script last reported it, front first. Bounds include the
// decorations; windows kept above are on the floating layer, panels on the dock layer.
class KWinWindowServer : public WindowServer {
public:
    static constexpr std::int32_t normalLayer = 0;
    static constexpr std::int32_t floatingLayer = 3;
    static constexpr std::int32_t dockLayer = 20;
    static constexpr std::int32_t desktopLayer = -2147483623;

    KWinWindowServer(KWinBridge& bridge, const KWinDisplays& displays);

    std::optional<QList<WindowDescription>> windowList(unsigned options) override;
    std::optional<QList<WindowDescription>>
    describeWindows(const QList<std::uint32_t>& numbers) override;

private:
    KWinBridge& bridge_;
    const KWinDisplays& displays_;
};

} // namespace corvane
