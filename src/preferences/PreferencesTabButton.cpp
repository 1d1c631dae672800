// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesTabButton.h"

#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolIcons.h"

#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>

namespace corvane {
namespace {

constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 10;
constexpr int symbolSize = 16;
constexpr int symbolBox = 20;
constexpr int spacing = 8;
constexpr int titleSize = 14;
constexpr qreal cornerRadius = 8;

} // namespace

PreferencesTabButton::PreferencesTabButton(PreferencesTab tab, QWidget* parent)
    : QAbstractButton(parent), tab_(tab)
{
    setText(preferencesTabTitle(tab));
    setAccessibleName(text());
    setFont(PreferencesStyle::font(titleSize, QFont::Medium));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PreferencesTabButton::setSelected(bool selected)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    update();
}

QRect PreferencesTabButton::textRect(int width) const
{
    const int x = horizontalPadding + symbolBox + spacing;
    return {x, 0, qMax(1, width - x - horizontalPadding), 0};
}

int PreferencesTabButton::heightForWidth(int width) const
{
    QRect r = textRect(width);
    r.setHeight(1000);
    const int textHeight = fontMetrics().boundingRect(r, Qt::TextWordWrap, text()).height();
    return qMax(symbolBox, textHeight) + 2 * verticalPadding;
}

QSize PreferencesTabButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const int height = qMax(symbolBox, fm.height()) + 2 * verticalPadding;
    return {2 * horizontalPadding + symbolBox + spacing + fm.horizontalAdvance(text()), height};
}

QSize PreferencesTabButton::minimumSizeHint() const
{
    return {2 * horizontalPadding + symbolBox, sizeHint().height()};
}

void PreferencesTabButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor accent = PreferencesStyle::accent(pal);

    QColor background = Qt::transparent;
    if (selected_)
        background = PreferencesStyle::withOpacity(accent, 0.1);
    else if (hovered_ || isDown())
        background = PreferencesStyle::withOpacity(PreferencesStyle::label(pal), 0.05);
    if (background.alpha() > 0) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
        p.fillPath(shape, background);
    }
    if (hasFocus() && keyboardFocus_) {
        QPainterPath ring;
        ring.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), cornerRadius, cornerRadius);
        PreferencesStyle::drawFocusRing(p, ring, pal);
    }

    const QColor symbolColor = selected_ ? accent : PreferencesStyle::secondaryLabel(pal);
    const QRect symbolRect(horizontalPadding, (height() - symbolSize) / 2, symbolBox, symbolSize);
    p.drawPixmap(symbolRect.x() + (symbolBox - symbolSize) / 2, symbolRect.y(),
                 SymbolIcons::pixmap(preferencesTabSymbol(tab_), symbolSize, symbolColor,
                                     devicePixelRatioF()));

    QRect titleRect = textRect(width());
    titleRect.setHeight(height());
    p.setPen(PreferencesStyle::label(pal));
    p.setFont(font());
    p.drawText(titleRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());
}

void PreferencesTabButton::focusInEvent(QFocusEvent* event)
{
    // The ring shows only for keyboard navigation, not for the focus a new window hands out.
    keyboardFocus_ =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QAbstractButton::focusInEvent(event);
}

void PreferencesTabButton::focusOutEvent(QFocusEvent* event)
{
    keyboardFocus_ = false;
    QAbstractButton::focusOutEvent(event);
}

void PreferencesTabButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PreferencesTabButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace corvane
