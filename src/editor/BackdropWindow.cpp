// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/BackdropWindow.h"

#include "overlay/WindowPlacement.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

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
    desktop_.clear();
    // A compositing manager that stops while the editor is open leaves what is on screen now
    // to be pictured: the editor's own windows included, which is what was visible anyway.
    if (!on && isVisible())
        captureDesktop();
    update();
}

void BackdropWindow::captureDesktop()
{
    desktop_.clear();
    for (QScreen* screen : QGuiApplication::screens()) {
        QPixmap pixmap = screen->grabWindow(0);
        if (!pixmap.isNull())
            desktop_.append({screen->geometry(), std::move(pixmap)});
    }
}

void BackdropWindow::showEvent(QShowEvent* event)
{
    // Taken before the window is mapped, so the picture is of what lies beneath it.
    if (!dimming_ && !event->spontaneous())
        captureDesktop();
    QWidget::showEvent(event);
}

void BackdropWindow::setScreenRect(const Rect& screenRect)
{
    screenRect_ = screenRect;
    placeWindow(*this, screenRect);
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
    if (dimming_) {
        painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, dimming));
        return;
    }
    // Opaque: the pictures of the displays (black where there is none), dimmed.
    painter.fillRect(rect(), Qt::black);
    for (const Picture& picture : std::as_const(desktop_))
        painter.drawPixmap(
            QRect(picture.global.topLeft() - geometry().topLeft(), picture.global.size()),
            picture.pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, dimming));
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
