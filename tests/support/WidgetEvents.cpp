// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetEvents.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

using namespace Qt::StringLiterals;

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

QImage render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.convertToFormat(QImage::Format_ARGB32);
}

QStringList menuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            texts.append(u"-"_s);
            continue;
        }
        // As drawn: a single "&" marks the accelerator and is not shown, "&&" shows one "&".
        QString shown;
        const QString text = action->text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == u'&' && ++i == text.size())
                break;
            shown += text.at(i);
        }
        texts.append(shown);
    }
    return texts;
}

} // namespace corvane::test
