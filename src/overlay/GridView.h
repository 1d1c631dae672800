// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "overlay/OverlayContent.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <optional>

namespace corvane {

// Paints a layout's zones over a whole display and, while editing, lets the user select one
// zone and move it or resize it by a corner. While editing, each zone shows its number (1, 2, 3
// in layout order, as the drag overlay numbers them), and the zone the editor's keyboard works
// on wears a focus ring.
//
// The geometry follows the display's own convention: view rectangles and points are bottom-left
// (y grows upwards) and zones are in unit space (y from the top). Qt's top-left coordinates
// appear only at the edges: mouse positions are flipped when they arrive and rectangles are
// flipped once when they are painted.
//
// Shaped (no compositing manager), each zone is a ring of whole pixels in its colour made opaque,
// with its number and handles, and the window is cut to them: the desktop shows in the zones'
// middles, which a translucent fill cannot leave visible without a compositor. X gives a press in
// such a middle to the window beneath; the layout editor hands it back (CustomLayoutEditor).
class GridView : public OverlayContent {
    Q_OBJECT
public:
    // Visual names: as the user sees the zone on screen.
    enum class HandlePosition { topLeft, topRight, bottomLeft, bottomRight };

    // Side of a painted corner handle, and of the square around a corner that grabs it.
    static constexpr double handleSize = 12;
    static constexpr double handleHitArea = 20;
    // No zone gets narrower or shorter than this by dragging (unit space).
    static constexpr double minimumZoneSize = 0.1;
    // How far outside the view a zone is cut before painting: beyond its outline and handles.
    static constexpr double clipMargin = 16;
    // One press of an arrow key moves or resizes a zone by this much (unit space).
    static constexpr double keyboardStep = 0.01;

    static QColor defaultOverlayColor() { return QColor::fromRgbF(0.0f, 0.48f, 1.0f, 1.0f); }

    explicit GridView(QWidget* parent = nullptr);

    // Reports a press on a zone.
    std::function<void(const Zone&)> zoneClickedHandler;
    // Reports the complete zone list after every drag step.
    std::function<void(const ZoneList&)> zoneUpdatedHandler;

    const std::optional<ZoneList>& customZones() const { return customZones_; }
    void setCustomZones(std::optional<ZoneList> zones);
    bool showStrokes() const { return showStrokes_; }
    void setShowStrokes(bool show);
    bool isEditing() const { return isEditing_; }
    void setEditing(bool editing);
    QColor overlayColor() const { return overlayColor_; }
    void setOverlayColor(const QColor& color);
    // The space left around zones, in this view's points. A preview draws its zones with it,
    // as the windows snapped into them would sit; while editing, zones are drawn whole so that
    // their edges and corners are where the pointer grabs them.
    double spaceAroundZones() const { return spaceAroundZones_; }
    void setSpaceAroundZones(double space);

    const std::optional<Zone>& selectedZone() const { return selectedZone_; }
    bool isDragging() const { return isDragging_; }
    std::optional<HandlePosition> currentResizeHandle() const { return currentResizeHandle_; }

    // Selects a zone as a press on it would, without a drag; `focusRing` marks it as the zone
    // the keyboard works on. A zone not in the list selects nothing.
    void setFocusedZone(const std::optional<QUuid>& id, bool focusRing);
    bool showsFocusRing() const { return focusRing_; }

    // A zone's frame moved (or, with `resize`, its right or bottom edge moved) by dx and dy in
    // unit space, kept on the display as a drag keeps it, and never shrunk below the minimum
    // size by a resize.
    static Rect steppedFrame(const Rect& frame, double dx, double dy, bool resize);

    // Hit tests, for a position in this widget's (top-left) coordinates.
    std::optional<Zone> zoneAt(QPointF widgetPosition) const;
    std::optional<HandlePosition> handleAt(QPointF widgetPosition, const Zone& zone) const;

    // The zones with their outlines and the selected zone's handles.
    QRegion shape() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Bottom-left view coordinates of a widget position.
    Point viewPoint(QPointF widgetPosition) const;
    Rect viewRect(const Zone& zone) const;
    std::optional<Zone> zoneAtViewPoint(Point p) const;
    std::optional<HandlePosition> handleAtViewPoint(Point p, const Zone& zone) const;
    // This view with room for what is painted just outside it.
    QRectF nearbyArea() const;
    void paintZone(QPainter& painter, const Zone& zone, int number) const;
    void paintHandles(QPainter& painter, const Rect& zoneRect) const;
    void paintShapedZone(QPainter& painter, const Zone& zone, int number) const;
    // The zone's number on a dark badge at its centre.
    void paintNumber(QPainter& painter, const QRectF& zoneRect, int number) const;
    QRectF numberBadge(const QRectF& zoneRect, int number) const;
    bool showsFocusRing(const Zone& zone) const;
    // The painted rectangle of a zone (top-left), cut near the view; none when nothing shows.
    std::optional<QRectF> paintedRect(const Zone& zone) const;
    bool showsHandles(const Zone& zone) const;
    // The handles' squares of a zone's rectangle (bottom-left), in the painter's coordinates.
    QList<QRectF> handleSquares(const Rect& zoneRect) const;

    std::optional<ZoneList> customZones_;
    bool showStrokes_ = true;
    bool isEditing_ = false;
    QColor overlayColor_ = defaultOverlayColor();
    double spaceAroundZones_ = 0;
    std::optional<Zone> selectedZone_;
    bool focusRing_ = false;
    bool isDragging_ = false;
    std::optional<Point> initialDragPoint_;
    std::optional<HandlePosition> currentResizeHandle_;
};

} // namespace corvane
