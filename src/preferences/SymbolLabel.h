// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace corvane {

// A symbol drawn at a given size in a given colour, centred in a box of fixed width (so that
// the texts beside a column of symbols line up).
class SymbolLabel : public QWidget {
    Q_OBJECT
public:
    SymbolLabel(const QString& symbol, int pixelSize, const QColor& color, int boxWidth,
                QWidget* parent = nullptr);

    QString symbol() const { return symbol_; }
    QColor color() const { return color_; }
    void setSymbol(const QString& symbol);
    void setColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    int pixelSize_;
    QColor color_;
    int boxWidth_;
};

} // namespace corvane
