// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ContentHost.h"

#include <QPoint>
#include <QWidget>
#include <optional>

namespace corvane {

// A borderless window that still takes the keyboard: the layout editor's toolbar, whose name
// field and keyboard shortcuts need it. It floats above other windows, has a clear background
// (its content draws its own shape) and is moved by dragging its background.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    explicit ToolWindow(QWidget* parent = nullptr);

    // The window takes ownership of the view and keeps it the size of the window.
    void setContentView(QWidget* view);
    QWidget* contentView() const { return content_.view(); }
    // Detaches the content view and destroys it once control is back in the event loop.
    void removeContentView();

    // Shows the window, brings it to the front and gives it the keyboard.
    void makeKeyAndOrderFront();

    // The radius of the corners its content rounds. Without a compositing manager the clear
    // corners would show black, so the window is cut to the rounded shape instead.
    void setCornerRadius(qreal radius);

signals:
    // The user or the window manager closed the window.
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void updateShape();

    ContentHost content_{*this};
    qreal cornerRadius_ = 0;
    // Where a move by hand started, when the window system does not move the window itself.
    std::optional<QPoint> dragOffset_;
};

} // namespace corvane
