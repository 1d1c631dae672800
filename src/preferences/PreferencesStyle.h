// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPalette>
#include <QRect>

class QPainter;

namespace corvane {

// The colours and fonts the preference pages share, taken from the widget's palette so that
// light and dark desktop themes both read well. Font sizes are in logical pixels.
class PreferencesStyle {
public:
    static QColor accent(const QPalette& palette);
    static QColor label(const QPalette& palette);
    static QColor secondaryLabel(const QPalette& palette);
    static QColor separator(const QPalette& palette);
    static QColor windowBackground(const QPalette& palette);
    static QColor controlBackground(const QPalette& palette);
    static QColor textBackground(const QPalette& palette);

    // A colour with its opacity replaced.
    static QColor withOpacity(QColor color, double opacity);

    static QFont font(int pixelSize, QFont::Weight weight = QFont::Normal);

    // A button's rounded outline inside `rect`, on pixel centres so that a one-pixel border
    // drawn along it stays sharp.
    static QPainterPath buttonShape(const QRect& rect, double radius);

    // The keyboard focus ring of every control drawn here: two pixels of the accent colour
    // along the given outline, so Tab shows where the keyboard is, whatever the control's state.
    static void drawFocusRing(QPainter& painter, const QPainterPath& outline,
                              const QPalette& palette);

    // Named colours the pages use for symbols.
    static QColor systemBlue() { return QColor(0, 122, 255); }
    static QColor systemGreen() { return QColor(52, 168, 83); }
    static QColor systemOrange() { return QColor(255, 149, 0); }
    static QColor systemRed() { return QColor(255, 59, 48); }
};

} // namespace corvane
