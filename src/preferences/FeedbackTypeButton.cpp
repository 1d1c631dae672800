// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/FeedbackTypeButton.h"

#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolLabel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace corvane {
namespace {

constexpr qreal radius = 8;

} // namespace

FeedbackTypeButton::FeedbackTypeButton(FeedbackType type, QWidget* parent)
    : QAbstractButton(parent), type_(type)
{
    setText(feedbackTypeTitle(type));
    setAccessibleName(text());
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(10);
    symbol_ = new SymbolLabel(feedbackTypeSymbol(type), 16, QColor(), 20, this);
    row->addWidget(symbol_, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* title = new QLabel(feedbackTypeTitle(type), this);
    title->setFont(PreferencesStyle::font(13, QFont::Medium));
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    texts->addWidget(title);
    auto* description = new QLabel(feedbackTypeDescription(type), this);
    description->setFont(PreferencesStyle::font(11));
    description->setWordWrap(true);
    description->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette pal = description->palette();
    pal.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(pal));
    description->setPalette(pal);
    texts->addWidget(description);
    row->addLayout(texts, 1);
    updateColors();
}

void FeedbackTypeButton::setSelected(bool selected)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    updateColors();
    update();
}

void FeedbackTypeButton::updateColors()
{
    const QPalette& pal = palette();
    symbol_->setColor(selected_ ? PreferencesStyle::accent(pal)
                                : PreferencesStyle::secondaryLabel(pal));
}

void FeedbackTypeButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor accent = PreferencesStyle::accent(pal);
    const QPainterPath shape = PreferencesStyle::buttonShape(rect(), radius);
    if (selected_)
        p.fillPath(shape, PreferencesStyle::withOpacity(accent, 0.1));
    else if (isDown() || underMouse())
        p.fillPath(shape, PreferencesStyle::withOpacity(PreferencesStyle::label(pal), 0.04));
    p.setPen(QPen(selected_ ? PreferencesStyle::withOpacity(accent, 0.6)
                            : PreferencesStyle::separator(pal),
                  1));
    p.drawPath(shape);
    if (hasFocus())
        PreferencesStyle::drawFocusRing(p, shape, pal);
}

void FeedbackTypeButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateColors();
}

} // namespace corvane
