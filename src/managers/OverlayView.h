#pragma once

#include "managers/ZoneGlow.h"
#include "models/Zone.h"

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
// area are painted, and the glow and the labels are rendered once and reused.
class OverlayView : public QWidget {
    Q_OBJECT
public:
    // The gap drawn inside each zone.
    static constexpr double spacing = 10;
    static constexpr double cornerRadius = 12;
    static constexpr double outlineWidth = 1.5;
    static constexpr double highlightOutlineWidth = 5;
    static constexpr double glowAlpha = 0.7;
    static constexpr int labelPixelSize = 24;

    explicit OverlayView(QWidget* parent = nullptr);
    ~OverlayView() override;

    const std::optional<ZoneList>& customZones() const { return customZones_; }
    void setCustomZones(std::optional<ZoneList> zones);
    // Only the id counts: the entry of customZones with that id is the one highlighted.
    const std::optional<Zone>& highlightedZone() const { return highlightedZone_; }
    void setHighlightedZone(std::optional<Zone> zone);
    QColor normalZoneColor() const { return normalZoneColor_; }
    void setNormalZoneColor(const QColor& color);
    QColor highlightZoneColor() const { return highlightZoneColor_; }
    void setHighlightZoneColor(const QColor& color);

    // The area a change of highlight from one zone to another repaints.
    QRegion highlightChangeRegion(const std::optional<Zone>& from,
                                  const std::optional<Zone>& to) const;

    // Off: the glow and the labels are rendered afresh for every frame.
    void setCachingEnabled(bool enabled);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Label {
        QImage image;    // text and shadow, with `margin` around the text's box
        QSizeF textSize; // the measured size the box is centred with
        double margin = 0;
    };

    // The zone's rectangle in this widget (top-left), before the inset.
    QRectF zoneRect(const Zone& zone) const;
    // The label's text box, centred on the zone's rectangle.
    QRectF labelRect(const QRectF& zoneRect, int number) const;
    // Everything painting zone `index` may touch.
    QRect paintBounds(const Zone& zone, int index, bool highlighted) const;
    bool isHighlighted(const Zone& zone) const;
    const Label& label(int number);
    Label renderLabel(int number) const;
    QFont labelFont() const;
    void paintZone(QPainter& painter, const Zone& zone, int index);

    std::optional<ZoneList> customZones_;
    std::optional<Zone> highlightedZone_;
    QColor normalZoneColor_;
    QColor highlightZoneColor_;

    bool cachingEnabled_ = true;
    ZoneGlow glow_;
    QHash<int, Label> labels_;
    qreal labelsRatio_ = 0;
};

} // namespace corvane
