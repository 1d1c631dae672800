// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Display.h"

#include <QScrollArea>
#include <optional>

class QHBoxLayout;

namespace corvane {

class MonitorCard;

// The gallery's display picker: a horizontally scrolling row of one card per display, in the
// system's order. Pressing a card selects its display. When it appears with nothing selected it
// selects the first display. It follows display changes; a selected display that is gone gives
// way to the first one.
class MonitorSelectionView : public QScrollArea {
    Q_OBJECT
public:
    explicit MonitorSelectionView(QWidget* parent = nullptr);

    const std::optional<Display>& selectedMonitor() const { return selected_; }
    void setSelectedMonitor(std::optional<Display> display);
    // Selects the first display when none is selected (none when there are no displays).
    void selectFirstIfNone();

    QList<MonitorCard*> cards() const { return cards_; }

signals:
    void selectedMonitorChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuild();
    void updateCards();

    std::optional<Display> selected_;
    QHBoxLayout* row_ = nullptr;
    QList<MonitorCard*> cards_;
};

} // namespace corvane
