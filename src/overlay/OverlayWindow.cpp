// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/OverlayWindow.h"

#include "overlay/OverlayContent.h"
#include "overlay/ShapedPainting.h"
#include "overlay/WindowPlacement.h"
#include "platform/Platform.h"

#include <QResizeEvent>
#include <QWindow>

namespace corvane {

OverlayWindow::OverlayWindow(const Display& display, const Rect& screenRect, Level level)
    : QWidget(nullptr), display_(display), level_(level)
{
    setWindowFlags(flagsFor(false));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    // The application must not quit when an overlay closes, nor stay alive for one.
    setAttribute(Qt::WA_QuitOnClose, false);
    setScreenRect(screenRect);

    Compositing& compositing = Platform::current().compositing();
    connect(&compositing, &Compositing::activeChanged, this,
            [this](bool active) { setShaped(!active); });
    setShaped(!compositing.isActive());
}

OverlayWindow::~OverlayWindow() = default;

Qt::WindowFlags OverlayWindow::flagsFor(bool ignoresMouseEvents) const
{
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                            Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint;
    if (level_ == Level::Drag)
        flags |= Qt::X11BypassWindowManagerHint;
    if (ignoresMouseEvents)
        flags |= Qt::WindowTransparentForInput;
    return flags;
}

void OverlayWindow::setScreenRect(const Rect& screenRect)
{
    screenRect_ = screenRect;
    placeWindow(*this, screenRect);
    // A hidden window hears of its new size only when shown; the content follows now.
    if (content_)
        content_->setGeometry(rect());
    updateShape();
}

void OverlayWindow::setIgnoresMouseEvents(bool ignores)
{
    if (ignores == ignoresMouseEvents_ && windowFlags() == flagsFor(ignores))
        return;
    ignoresMouseEvents_ = ignores;
    const Qt::WindowFlags flags = flagsFor(ignores);
    if (QWindow* window = windowHandle()) {
        // Changing the widget's flags would recreate and hide a window that is already there;
        // the native window takes the input change in place.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void OverlayWindow::setShaped(bool shaped)
{
    shaped_ = shaped;
    if (auto* content = qobject_cast<OverlayContent*>(content_.data()))
        content->setShaped(shaped);
    updateShape();
}

void OverlayWindow::updateShape()
{
    auto* content = qobject_cast<OverlayContent*>(content_.data());
    if (!shaped_ || (content_ && !content)) {
        // A view that knows nothing of shapes is shown whole.
        if (!mask().isEmpty())
            clearMask();
        return;
    }
    QRegion shape = content ? content->shape().translated(content->pos()) & rect() : QRegion();
    setMask(shape.isEmpty() ? emptyWindowMask() : shape);
}

void OverlayWindow::setContentView(std::unique_ptr<QWidget> view)
{
    delete content_.data();
    content_ = view.release();
    if (content_) {
        content_->setParent(this);
        content_->setGeometry(rect());
        if (auto* content = qobject_cast<OverlayContent*>(content_.data())) {
            content->setShaped(shaped_);
            connect(content, &OverlayContent::shapeChanged, this, &OverlayWindow::updateShape);
        }
        content_->show();
    }
    updateShape();
}

void OverlayWindow::orderFront()
{
    show();
    raise();
}

void OverlayWindow::orderOut()
{
    hide();
}

void OverlayWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (content_)
        content_->setGeometry(rect());
}

} // namespace corvane
