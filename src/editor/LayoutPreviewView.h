// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "models/ScreenLayout.h"

#include <QWidget>

namespace corvane {

// A thumbnail of one layout: its zones drawn in a 90-point-high picture of a display, or the
// text "No Layout" for a layout without zones. In the gallery (not a preview) the layout's name
// is written under the picture and the cell can be pressed; the selected cell is outlined in the
// accent colour.
class LayoutPreviewView : public QWidget {
    Q_OBJECT
public:
    static constexpr int thumbnailHeight = 90;
    static constexpr int thumbnailWidth = 144;
    static constexpr int captionHeight = 22;

    explicit LayoutPreviewView(const ScreenLayout& layout, bool isPreview = false,
                               QWidget* parent = nullptr);

    const ScreenLayout& layout() const { return layout_; }
    bool isSelected() const { return isSelected_; }
    void setSelected(bool selected);
    bool isPreview() const { return isPreview_; }
    // The space left around zones on a display whose usable area has the given size: the
    // picture shows the gaps at its own scale.
    void setSpaceAroundZones(double space, Size usableArea);

    // Where the picture is drawn, in this widget's coordinates.
    QRect thumbnailRect() const;

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintZones(QPainter& painter, const QRectF& picture) const;

    ScreenLayout layout_;
    bool isSelected_ = false;
    bool isPreview_ = false;
    bool hovered_ = false;
    double space_ = 0;
    Size usableArea_;
};

} // namespace corvane
