// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Displays.h"

#include <QList>
#include <QRectF>

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
    QPointF primaryOriginInGlobal() const override;

    // The primary output's frame in KWin's coordinates: the pivot of every conversion.
    QRectF primaryFrame() const;
    // A rectangle in KWin's coordinates (top-left origin) in screen space, and back.
    Rect toScreenSpace(const QRectF& kwinRect) const;
    // Accessibility space is KWin's, moved so that the primary output starts at 0, 0.
    Point toAccessibility(const QPointF& kwinPoint) const;
    QPointF fromAccessibility(const Point& point) const;

private:
    void refresh();

    KWinBridge& bridge_;
    DisplayList displays_;
    QList<QRectF> kwinFrames_;
};

} // namespace corvane
