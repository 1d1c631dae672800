// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesStyle.h"

#include <QApplication>
#include <QPainter>

namespace corvane {
namespace {

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

} // namespace

QColor PreferencesStyle::accent(const QPalette& palette)
{
    return palette.color(QPalette::Highlight);
}

QColor PreferencesStyle::label(const QPalette& palette)
{
    return palette.color(QPalette::WindowText);
}

QColor PreferencesStyle::secondaryLabel(const QPalette& palette)
{
    QColor c = palette.color(QPalette::WindowText);
    c.setAlphaF(0.6f);
    return c;
}

QColor PreferencesStyle::separator(const QPalette& palette)
{
    QColor c = palette.color(QPalette::WindowText);
    c.setAlphaF(isDark(palette) ? 0.2f : 0.15f);
    return c;
}

QColor PreferencesStyle::windowBackground(const QPalette& palette)
{
    return palette.color(QPalette::Window);
}

QColor PreferencesStyle::controlBackground(const QPalette& palette)
{
    // A card lifts slightly off the window: lighter on a light theme, a touch lighter on dark.
    const QColor window = palette.color(QPalette::Window);
    return isDark(palette) ? window.lighter(125) : palette.color(QPalette::Base);
}

QColor PreferencesStyle::textBackground(const QPalette& palette)
{
    return palette.color(QPalette::Base);
}

QColor PreferencesStyle::withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QPainterPath PreferencesStyle::buttonShape(const QRect& rect, double radius)
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    return shape;
}

void PreferencesStyle::drawFocusRing(QPainter& painter, const QPainterPath& outline,
                                     const QPalette& palette)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(accent(palette), 2));
    painter.drawPath(outline);
    painter.restore();
}

QFont PreferencesStyle::font(int pixelSize, QFont::Weight weight)
{
    QFont f = QApplication::font();
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

} // namespace corvane
