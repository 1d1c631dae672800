#include "editor/KeyableWindow.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QWindow>

namespace corvane {

KeyableWindow::KeyableWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // A tool window, like the overlays it floats over: the window manager keeps windows of one
    // kind in the order they were raised, so raising this one puts it in front of them. Unlike
    // the overlays it accepts the focus, which a frameless managed window may take.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
}

void KeyableWindow::setContentView(QWidget* view)
{
    removeContentView();
    content_ = view;
    if (!content_)
        return;
    content_->setParent(this);
    content_->setGeometry(rect());
    content_->show();
}

void KeyableWindow::removeContentView()
{
    if (!content_)
        return;
    QWidget* view = content_;
    content_ = nullptr;
    // Hidden now, so that it stops observing; deleted later, since this may run inside one of
    // its own handlers (the Save button's, for one).
    view->hide();
    view->setParent(nullptr);
    view->deleteLater();
}

void KeyableWindow::makeKeyAndOrderFront()
{
    show();
    raise();
    activateWindow();
}

void KeyableWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (content_)
        content_->setGeometry(rect());
}

// Presses that no control took arrive here: the background moves the window.
void KeyableWindow::mousePressEvent(QMouseEvent* event)
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

void KeyableWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragOffset_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - *dragOffset_);
}

void KeyableWindow::mouseReleaseEvent(QMouseEvent* event)
{
    dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

void KeyableWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace corvane
