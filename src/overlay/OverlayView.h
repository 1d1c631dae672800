// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "overlay/OverlayContent.h"
#include "overlay/ZoneGlow.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <optional>

namespace corvane {

// The drag overlay's view: the display under the pointer tinted, its zones as rounded shapes
// numbered from 1, the zone nearest the pointer highlighted with a glow.
//
// It repaints as the pointer moves over a whole (possibly very large) display, so a change of
// highlight repaints only the two zones whose look changed, only zones that meet the exposed
// area are painted, and the glow and the labels are rendered once and reused. Outside the
// highlighted zone's reach the overlay looks the same whichever zone is highlighted, so there a
// repaint copies from a picture of the overlay with no zone highlighted, kept while it shows.
//
// Shaped (no compositing manager), the tint and the glow are left out, the zones are painted in
// their colours made opaque with a whole-pixel outline, and the labels' shadows at full strength.
class OverlayView : public OverlayContent {
    Q_OBJECT
public:
    // The gap drawn inside each zone when zones are filled exactly; with space around zones
    // the gap shrinks by that space, down to none.
    static constexpr double spacing = 10;
    static constexpr double cornerRadius = 12;
    static constexpr double outlineWidth = 1.5;
    static constexpr double highlightOutlineWidth = 5;
    static constexpr double glowAlpha = 0.7;
    static constexpr int labelPixelSize = 24;
    // Labels of zones numbered up to this are rendered once and kept; higher numbers are
    // rendered each time, so the cache stays small.
    static constexpr int maxCachedLabel = 256;
    // Zones numbered beyond this are drawn without their number: only a layout of absurd size
    // has them, its labels could not be read, and rendering thousands of blurred labels would
    // stall the overlay.
    static constexpr int maxLabelledZone = 999;
    // How far outside the view a zone's shape is cut: beyond the reach of its rounded corners,
    // outline and glow, so the cut never shows.
    static constexpr double clipMargin = 64;

    explicit OverlayView(QWidget* parent = nullptr);
    ~OverlayView() override;

    const std::optional<ZoneList>& customZones() const { return customZones_; }
    void setCustomZones(std::optional<ZoneList> zones);
    // Only the id counts: the entry of customZones with that id is the one highlighted.
    const std::optional<Zone>& highlightedZone() const { return highlightedZone_; }
    void setHighlightedZone(std::optional<Zone> zone);
    // Zones highlighted along with it while the user spans several zones; only the ids count.
    const QList<QUuid>& spannedZones() const { return spannedZones_; }
    void setSpannedZones(const ZoneList& zones);
    QColor normalZoneColor() const { return normalZoneColor_; }
    void setNormalZoneColor(const QColor& color);
    QColor highlightZoneColor() const { return highlightZoneColor_; }
    void setHighlightZoneColor(const QColor& color);
    // The space left around zones, in this view's points: the zones are drawn where a window
    // snapped into them goes.
    double spaceAroundZones() const { return spaceAroundZones_; }
    void setSpaceAroundZones(double space);

    // The area a change of highlight from one zone to another repaints.
    QRegion highlightChangeRegion(const std::optional<Zone>& from,
                                  const std::optional<Zone>& to) const;

    // Off: the glow and the labels are rendered afresh for every frame.
    void setCachingEnabled(bool enabled);
    qsizetype cachedLabelCount() const { return labels_.size(); }

    // The zones' shapes with their outlines and the labels, the highlighted zone with its wider
    // outline.
    QRegion shape() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void shapedChanged() override;

private:
    struct Label {
        QImage image;    // text and shadow, with `margin` around the text's box
        QSizeF textSize; // the measured size the box is centred with
        double margin = 0;
    };

    // The zone's rectangle in this widget (top-left), before the inset; none when a stored value
    // makes it no rectangle at all (not finite).
    std::optional<QRectF> zoneRect(const Zone& zone) const;
    // This view with room for everything painted just outside it.
    QRectF nearbyArea() const;
    // The zone's inset shape, cut to the area around this view so that huge values never reach
    // the painter; none when nothing of it is left.
    std::optional<QRectF> shapeRect(const QRectF& zoneRect) const;
    // The label's box when it lies near this view.
    std::optional<QRectF> visibleLabelRect(const QRectF& zoneRect, int number) const;
    // The label's text box, centred on the zone's rectangle.
    QRectF labelRect(const QRectF& zoneRect, int number) const;
    // Everything painting zone `index` may touch.
    QRect paintBounds(const Zone& zone, int index, bool highlighted) const;
    bool isHighlighted(const Zone& zone) const;
    // The area only the highlighted zone's look decides; empty when no listed zone is.
    QRect highlightBounds() const;
    Label label(int number);
    Label renderLabel(int number) const;
    QFont labelFont() const;
    // The tint and the zones meeting `exposed`; `withHighlight` off leaves out the highlighted
    // zone's highlight (not the spanned zones').
    void paintOverlay(QPainter& painter, const QRegion& exposed, bool withHighlight);
    void paintZone(QPainter& painter, const Zone& zone, int index, bool highlighted);
    // Makes the resting image fit `painter`'s device; false when it cannot stand in for
    // painting on that device.
    bool prepareRestingImage(const QPainter& painter);
    void freshenRestingImage(const QRegion& area);
    void dropRestingImage();
    // Whole-pixel outline and inside of a zone's shape, for the shaped look.
    static QRegion outlineOuterRegion(const QRectF& shape, bool highlighted);
    static QRegion outlineInnerRegion(const QRectF& shape, bool highlighted);
    // A zone's shape made smaller on every side, its corners following.
    static QRegion insetRegion(const QRectF& shape, double inset);
    // Shaped, a plain zone is a ring around an empty middle, so the desktop and the dragged
    // window stay visible inside it: the hole the ring leaves.
    static QRegion ringHoleRegion(const QRectF& shape);
    // Shaped, a label sits on a dark badge, legible over whatever the ring lets through.
    static QRegion badgeRegion(const QRectF& labelBox);

    std::optional<ZoneList> customZones_;
    std::optional<Zone> highlightedZone_;
    QList<QUuid> spannedZones_;
    QColor normalZoneColor_;
    QColor highlightZoneColor_;
    double spaceAroundZones_ = 0;

    bool cachingEnabled_ = true;
    ZoneGlow glow_;
    QHash<int, Label> labels_;
    qreal labelsRatio_ = 0;
    // The shape without any highlight, kept until the zones or the size change.
    mutable std::optional<QRegion> plainShape_;
    // The overlay with no zone highlighted (spanned zones lit), in the paint device's pixels and
    // format, so that copied pixels are the painted ones; its stale area is painted before use.
    QImage resting_;
    QRegion restingStale_;
    // Where partial repaints have painted without the picture, to be filled in when they return.
    QRegion restingSeen_;
};

} // namespace corvane
