// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <cstdint>

namespace corvane {

// A copyable handle on one top-level window of another application: on X11 the client (the
// window carrying WM_STATE), in KDE Plasma's Wayland session a window KWin's script reports.
// What the value means is the backend's business; 0 is no window.
struct WindowHandle {
    std::uint64_t value = 0;

    bool isValid() const { return value != 0; }
    friend bool operator==(const WindowHandle&, const WindowHandle&) = default;
};

inline size_t qHash(const WindowHandle& w, size_t seed = 0)
{
    return ::qHash(static_cast<quint64>(w.value), seed);
}

} // namespace corvane
