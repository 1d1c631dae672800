#include "WidgetEvents.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace corvane::test {
namespace {

void send(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

void pressLeft(QWidget* widget, QPointF position)
{
    send(widget, QEvent::MouseButtonPress, position, Qt::LeftButton, Qt::LeftButton);
}

void dragLeft(QWidget* widget, QPointF position)
{
    send(widget, QEvent::MouseMove, position, Qt::NoButton, Qt::LeftButton);
}

void releaseLeft(QWidget* widget, QPointF position)
{
    send(widget, QEvent::MouseButtonRelease, position, Qt::LeftButton, Qt::NoButton);
}

} // namespace corvane::test
