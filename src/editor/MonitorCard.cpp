// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/MonitorCard.h"

#include "platform/Platform.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace corvane {
namespace {

constexpr qreal cornerRadius = 10;

QColor accent(const QPalette& palette)
{
    return palette.color(QPalette::Highlight);
}

QLabel* makeLabel(const QString& text, int pixelSize, bool secondary, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText); // a monitor's name is never markup
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (secondary) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
        label->setPalette(palette);
    }
    // A press anywhere on the card is the card's.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

MonitorCard::MonitorCard(const Display& screen, QWidget* parent) : QWidget(parent), screen_(screen)
{
    setFixedSize(cardWidth, cardHeight);
    setCursor(Qt::PointingHandCursor);
    const Displays& displays = Platform::current().displays();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 8, 12, 8);
    column->setSpacing(1);
    labels_ = {makeLabel(screen.localizedName, 16, false, this),
               makeLabel(sizeText(screen), 14, true, this),
               makeLabel(positionText(screen, displays.screens()), 13, true, this),
               makeLabel(roleText(screen, displays.mainScreen()), 11, true, this)};
    labels_.first()->setToolTip(screen.localizedName);
    for (QLabel* label : std::as_const(labels_))
        column->addWidget(label);
}

QString MonitorCard::sizeText(const Display& screen)
{
    // Whole numbers, cut rather than rounded, joined by the multiplication sign.
    return QStringLiteral("%1\u00d7%2")
        .arg(static_cast<long long>(screen.frame.width))
        .arg(static_cast<long long>(screen.frame.height));
}

QString MonitorCard::positionText(const Display& screen, const DisplayList& screens)
{
    const auto index = screens.indexOf(screen);
    return index < 0 ? QStringLiteral("?") : tr("Display %1").arg(index + 1);
}

QString MonitorCard::roleText(const Display& screen, const std::optional<Display>& mainScreen)
{
    return mainScreen && *mainScreen == screen ? tr("Primary Display") : tr("Secondary Display");
}

QStringList MonitorCard::texts() const
{
    QStringList result;
    for (const QLabel* label : labels_)
        result.append(label->text());
    return result;
}

void MonitorCard::setSelected(bool selected)
{
    if (selected == isSelected_)
        return;
    isSelected_ = selected;
    update();
}

void MonitorCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(box, cornerRadius, cornerRadius);
    const QPalette& p = palette();
    if (isSelected_) {
        QColor fill = accent(p);
        fill.setAlphaF(0.12f);
        painter.fillPath(shape, fill);
        painter.setPen(QPen(accent(p), 2));
    } else {
        painter.fillPath(shape, p.color(QPalette::Base));
        painter.setPen(QPen(p.color(QPalette::Mid), 1));
    }
    painter.drawPath(shape);
}

void MonitorCard::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit pressed();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace corvane
