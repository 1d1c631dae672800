// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QColorDialog>
#include <QPointer>

namespace corvane {

// A button that shows a colour (over a checkerboard, so that its opacity shows) and opens a
// colour dialog with an opacity control when pressed.
class ColorButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColorButton(const QString& dialogTitle, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    // Shows the colour; does not emit colorPicked.
    void setColor(const QColor& color);

    // The open colour dialog, if any.
    QColorDialog* dialog() const { return dialog_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The user chose a colour in the dialog.
    void colorPicked(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openDialog();

    QString dialogTitle_;
    QColor color_;
    QPointer<QColorDialog> dialog_;
};

} // namespace corvane
