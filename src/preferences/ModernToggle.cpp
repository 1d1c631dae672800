// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/ModernToggle.h"

#include "preferences/PreferencesStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

namespace corvane {
namespace {

// A system-size switch (38 x 22) drawn at 0.8 of its size.
constexpr qreal scale = 0.8;
constexpr QSizeF trackSize(38 * scale, 22 * scale);
// Room around the track for the focus ring.
constexpr int margin = 4;
constexpr qreal focusRingOffset = 2.5;
constexpr int slideMilliseconds = 120;

} // namespace

ModernToggle::ModernToggle(QWidget* parent)
    : QAbstractButton(parent), animation_(new QVariantAnimation(this))
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    animation_->setDuration(slideMilliseconds);
    animation_->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        knobPosition_ = v.toReal();
        update();
    });
}

ModernToggle::~ModernToggle() = default;

QSize ModernToggle::sizeHint() const
{
    return QSizeF(trackSize.width() + 2 * margin, trackSize.height() + 2 * margin)
        .toSize()
        .expandedTo(QSize(1, 1));
}

bool ModernToggle::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

void ModernToggle::checkStateSet()
{
    // Set from code (a stored value, a reset): no slide.
    moveKnob(false);
}

void ModernToggle::nextCheckState()
{
    // The user's click: slide from where the knob is now.
    const qreal from = knobPosition_;
    QAbstractButton::nextCheckState();
    knobPosition_ = from;
    moveKnob(true);
}

void ModernToggle::moveKnob(bool animated)
{
    const qreal target = isChecked() ? 1.0 : 0.0;
    animation_->stop();
    if (animated && isVisible()) {
        animation_->setStartValue(knobPosition_);
        animation_->setEndValue(target);
        animation_->start();
    } else {
        knobPosition_ = target;
        update();
    }
}

void ModernToggle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();

    const QRectF track(
        QPointF((width() - trackSize.width()) / 2, (height() - trackSize.height()) / 2), trackSize);
    const qreal radius = track.height() / 2;
    const QColor off = PreferencesStyle::withOpacity(PreferencesStyle::label(pal), 0.18);
    const QColor on = PreferencesStyle::accent(pal);
    // Blend between the two track colours as the knob slides.
    const qreal t = knobPosition_;
    QColor trackColor = QColor::fromRgbF(off.redF() + (on.redF() - off.redF()) * t,
                                         off.greenF() + (on.greenF() - off.greenF()) * t,
                                         off.blueF() + (on.blueF() - off.blueF()) * t,
                                         off.alphaF() + (on.alphaF() - off.alphaF()) * t);
    if (!isEnabled())
        trackColor.setAlphaF(trackColor.alphaF() * 0.5f);
    QPainterPath shape;
    shape.addRoundedRect(track, radius, radius);
    p.fillPath(shape, trackColor);
    if (hasFocus()) {
        // Outside the track, so it shows on the accent-coloured track of a switch that is on.
        QPainterPath ring;
        ring.addRoundedRect(
            track.adjusted(-focusRingOffset, -focusRingOffset, focusRingOffset, focusRingOffset),
            radius + focusRingOffset, radius + focusRingOffset);
        PreferencesStyle::drawFocusRing(p, ring, pal);
    }

    const qreal knobInset = 1.6;
    const qreal knobDiameter = track.height() - 2 * knobInset;
    const qreal travel = track.width() - 2 * knobInset - knobDiameter;
    const QRectF knob(track.left() + knobInset + travel * t, track.top() + knobInset, knobDiameter,
                      knobDiameter);
    p.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    p.setBrush(isEnabled() ? QColor(Qt::white) : QColor(235, 235, 235));
    p.drawEllipse(knob);
}

} // namespace corvane
