// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// The sizes a client accepts (WM_NORMAL_HINTS): limits and resize steps, in device pixels.
// Window managers hold clients to these, so a requested size is worth knowing in advance.
struct SizeHints {
    QSize minimum;   // 0: none
    QSize maximum;   // 0: none
    QSize base;      // what the steps count from
    QSize increment; // 0 or 1: any size

    // The values of the property; none when it is too short to carry the sizes.
    static std::optional<SizeHints> fromProperty(const QList<std::uint32_t>& values);

    // The size the window manager lets the client take for a requested one: within the
    // limits, the largest whole number of steps from the base that does not exceed it.
    QSize constrain(QSize requested) const;
    // Why a requested size became `constrained`, for the log: "resizes in steps of 6 x 13
    // pixels", "is at most 400 x 300 pixels"; empty when it did not change.
    QString reason(QSize requested, QSize constrained) const;
};

} // namespace corvane
