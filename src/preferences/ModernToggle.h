// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

class QVariantAnimation;

namespace corvane {

// A switch: a rounded track, accent-coloured when on, with a round knob that slides across.
// Checkable; `toggled` reports every change, `clicked` only the user's.
class ModernToggle : public QAbstractButton {
    Q_OBJECT
public:
    explicit ModernToggle(QWidget* parent = nullptr);
    ~ModernToggle() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void checkStateSet() override;
    void nextCheckState() override;

private:
    void moveKnob(bool animated);

    QVariantAnimation* animation_ = nullptr;
    qreal knobPosition_ = 0; // 0 off, 1 on
};

} // namespace corvane
