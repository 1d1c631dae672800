#include "editor/BackdropWindow.h"

#include "managers/ShapedPainting.h"
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

    Compositing& compositing = Platform::current().compositing();
    connect(&compositing, &Compositing::activeChanged, this, &BackdropWindow::setDimming);
    setDimming(compositing.isActive());
}

void BackdropWindow::setDimming(bool on)
{
    dimming_ = on;
    if (on)
        clearMask();
    else
        setMask(emptyWindowMask());
    update();
}

void BackdropWindow::setScreenRect(const Rect& screenRect)
{
    screenRect_ = screenRect;
    setGeometry(Platform::current().displays().toGlobal(screenRect).toAlignedRect());
    // A hidden window hears of its new size only when shown; the content follows now.
    content_.fit();
}

void BackdropWindow::setContentView(QWidget* view)
{
    content_.set(view);
}

void BackdropWindow::removeContentView()
{
    content_.remove();
}

void BackdropWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(),
                     dimming_ ? QColor::fromRgbF(0, 0, 0, dimming) : QColor(Qt::transparent));
}

void BackdropWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    content_.fit();
}

void BackdropWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace corvane
