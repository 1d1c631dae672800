// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ToolWindow.h"

#include "overlay/ShapedPainting.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QWindow>

namespace corvane {

ToolWindow::ToolWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // A tool window, like the overlays it floats over: the window manager keeps windows of one
    // kind in the order they were raised, so raising this one puts it in front of them. Unlike
    // the overlays it accepts the focus, which a frameless managed window may take.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    connect(&Platform::current().compositing(), &Compositing::activeChanged, this,
            &ToolWindow::updateShape);
}

void ToolWindow::setCornerRadius(qreal radius)
{
    cornerRadius_ = radius;
    updateShape();
}

void ToolWindow::updateShape()
{
    if (cornerRadius_ <= 0 || Platform::current().compositing().isActive())
        clearMask();
    else
        setMask(roundedRectRegion(QRectF(rect()), cornerRadius_));
}

void ToolWindow::setContentView(QWidget* view)
{
    content_.set(view);
}

void ToolWindow::removeContentView()
{
    content_.remove();
}

void ToolWindow::makeKeyAndOrderFront()
{
    show();
    raise();
    activateWindow();
}

void ToolWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    content_.fit();
    updateShape();
}

// Presses that no control took arrive here: the background moves the window.
void ToolWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (QWindow* window = windowHandle(); window && window->startSystemMove())
        return;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void ToolWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragOffset_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - *dragOffset_);
}

void ToolWindow::mouseReleaseEvent(QMouseEvent* event)
{
    dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

void ToolWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace corvane
