// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPointF>
#include <QStringList>

class QMenu;

class QWidget;

namespace corvane::test {

// Left-button mouse events sent straight to a widget, at a position in its own coordinates.
void pressLeft(QWidget* widget, QPointF position);
void dragLeft(QWidget* widget, QPointF position);
void releaseLeft(QWidget* widget, QPointF position);

// The widget painted as it would be inside a translucent overlay window: without a window
// background.
QImage render(QWidget& widget);

// A menu's item texts in order, "-" for each separator.
QStringList menuTexts(const QMenu& menu);

} // namespace corvane::test
