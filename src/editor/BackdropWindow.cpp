#include "editor/BackdropWindow.h"

#include "platform/Platform.h"

#include <QCloseEvent>
#include <QPainter>

namespace corvane {

BackdropWindow::BackdropWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
}

void BackdropWindow::setScreenRect(const Rect& screenRect)
{
    screenRect_ = screenRect;
    setGeometry(Platform::current().displays().toGlobal(screenRect).toAlignedRect());
    // A hidden window hears of its new size only when shown; the content follows now.
    if (content_)
        content_->setGeometry(rect());
}

void BackdropWindow::setContentView(QWidget* view)
{
    removeContentView();
    content_ = view;
    if (!content_)
        return;
    content_->setParent(this);
    content_->setGeometry(rect());
    content_->show();
}

void BackdropWindow::removeContentView()
{
    if (!content_)
        return;
    QWidget* view = content_;
    content_ = nullptr;
    // Hidden now, so that it stops observing; deleted later, since this may run inside one of
    // its own handlers.
    view->hide();
    view->setParent(nullptr);
    view->deleteLater();
}

void BackdropWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, dimming));
}

void BackdropWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (content_)
        content_->setGeometry(rect());
}

void BackdropWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace corvane
