#pragma once

#include <QPointF>

class QWidget;

namespace corvane::test {

// Left-button mouse events sent straight to a widget, at a position in its own coordinates.
void pressLeft(QWidget* widget, QPointF position);
void dragLeft(QWidget* widget, QPointF position);
void releaseLeft(QWidget* widget, QPointF position);

} // namespace corvane::test
