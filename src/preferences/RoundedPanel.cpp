// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/RoundedPanel.h"

#include "preferences/PreferencesStyle.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane {

RoundedPanel::RoundedPanel(qreal cornerRadius, QWidget* parent)
    : QWidget(parent), radius_(cornerRadius)
{}

void RoundedPanel::setFill(const QColor& color)
{
    fill_ = color;
    update();
}

void RoundedPanel::setOutline(const QColor& color, qreal width)
{
    outline_ = color;
    outlineWidth_ = width;
    update();
}

void RoundedPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal inset = outline_ ? outlineWidth_ / 2 : 0;
    const QRectF r = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    QPainterPath shape;
    shape.addRoundedRect(r, radius_, radius_);
    p.fillPath(shape, fill_.value_or(PreferencesStyle::controlBackground(palette())));
    if (outline_) {
        p.setPen(QPen(*outline_, outlineWidth_));
        p.drawPath(shape);
    }
}

} // namespace corvane
