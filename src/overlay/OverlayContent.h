// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRegion>
#include <QWidget>

namespace corvane {

// A view that an overlay window hosts. Where a compositing manager blends windows with the
// desktop, the view paints its translucent colours over a transparent window. Where none runs,
// the view is shaped: it paints only what it draws as zones, with its colours made opaque, and
// tells its window which area that is, so the window can be cut to it and the desktop shows
// everywhere else.
class OverlayContent : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    bool isShaped() const { return shaped_; }
    void setShaped(bool shaped);
    // What the view paints while shaped, in its own coordinates.
    virtual QRegion shape() const = 0;

signals:
    // What shape() answers changed; only reported while the view is shaped.
    void shapeChanged();

protected:
    // For subclasses, whenever what they paint changes its outline.
    void notifyShapeChanged();
    // After the view became shaped or stopped being shaped, before it repaints.
    virtual void shapedChanged() {}

private:
    bool shaped_ = false;
};

} // namespace corvane
