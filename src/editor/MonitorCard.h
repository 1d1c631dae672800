// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Display.h"

#include <QWidget>

class QLabel;

namespace corvane {

// One display in the gallery's display picker: its name, size, position in the system's list
// and whether it is the main display. Pressing the card asks for its display to be selected.
class MonitorCard : public QWidget {
    Q_OBJECT
public:
    static constexpr int cardWidth = 160;
    static constexpr int cardHeight = 90;

    explicit MonitorCard(const Display& screen, QWidget* parent = nullptr);

    const Display& screen() const { return screen_; }
    bool isSelected() const { return isSelected_; }
    void setSelected(bool selected);

    // The card's texts, from the system's current display list.
    static QString sizeText(const Display& screen);
    static QString positionText(const Display& screen, const DisplayList& screens);
    static QString roleText(const Display& screen, const std::optional<Display>& mainScreen);
    QStringList texts() const;

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Display screen_;
    bool isSelected_ = false;
    QList<QLabel*> labels_;
};

} // namespace corvane
