// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/SymbolLabel.h"

#include "preferences/SymbolIcons.h"

#include <QPainter>

namespace corvane {

SymbolLabel::SymbolLabel(const QString& symbol, int pixelSize, const QColor& color, int boxWidth,
                         QWidget* parent)
    : QWidget(parent), symbol_(symbol), pixelSize_(pixelSize), color_(color),
      boxWidth_(qMax(boxWidth, pixelSize))
{
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SymbolLabel::setSymbol(const QString& symbol)
{
    if (symbol_ == symbol)
        return;
    symbol_ = symbol;
    update();
}

void SymbolLabel::setColor(const QColor& color)
{
    if (color_ == color)
        return;
    color_ = color;
    update();
}

QSize SymbolLabel::sizeHint() const
{
    return {boxWidth_, pixelSize_ + 2};
}

void SymbolLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap pm = SymbolIcons::pixmap(
        symbol_, pixelSize_, isEnabled() ? color_ : color_.lighter(150), devicePixelRatioF());
    const QPoint at((width() - pixelSize_) / 2, (height() - pixelSize_) / 2);
    p.drawPixmap(at, pm);
}

} // namespace corvane
