// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/ColorButton.h"

#include "preferences/PreferencesStyle.h"

#include <QColorDialog>
#include <QPainter>
#include <QPainterPath>

namespace corvane {
namespace {

constexpr QSize wellSize(44, 24);
constexpr qreal radius = 5;
constexpr int checker = 5;

} // namespace

ColorButton::ColorButton(const QString& dialogTitle, QWidget* parent)
    : QAbstractButton(parent), dialogTitle_(dialogTitle)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setToolTip(dialogTitle);
    setAccessibleName(dialogTitle);
    connect(this, &QAbstractButton::clicked, this, &ColorButton::openDialog);
}

void ColorButton::setColor(const QColor& color)
{
    if (color_ == color)
        return;
    color_ = color;
    update();
}

QSize ColorButton::sizeHint() const
{
    return wellSize;
}

void ColorButton::openDialog()
{
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    // Qt's own dialog: desktop dialogs do not all offer an opacity control.
    auto* dialog = new QColorDialog(color_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(dialogTitle_);
    dialog->setOptions(QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& chosen) {
        if (chosen.isValid())
            emit colorPicked(chosen);
    });
    dialog_ = dialog;
    dialog->open();
}

void ColorButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);

    p.save();
    p.setClipPath(shape);
    p.fillRect(rect(), Qt::white);
    for (int y = 0; y < height(); y += checker) {
        for (int x = (y / checker) % 2 * checker; x < width(); x += 2 * checker)
            p.fillRect(x, y, checker, checker, QColor(204, 204, 204));
    }
    p.fillRect(rect(), color_);
    p.restore();

    const QPalette& pal = palette();
    QColor outline = PreferencesStyle::separator(pal);
    if (hasFocus() || isDown())
        outline = PreferencesStyle::accent(pal);
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    if (hasFocus())
        PreferencesStyle::drawFocusRing(p, shape, pal);
    if (!isEnabled())
        p.fillPath(shape, PreferencesStyle::withOpacity(pal.color(QPalette::Window), 0.5));
}

} // namespace corvane
