// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/MonitorSelectionView.h"

#include "editor/MonitorCard.h"
#include "platform/Platform.h"

#include <QHBoxLayout>
#include <QShowEvent>

namespace corvane {
namespace {

constexpr int cardSpacing = 12;
// Room for the selected card's outline.
constexpr int margin = 2;

} // namespace

MonitorSelectionView::MonitorSelectionView(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setFixedHeight(MonitorCard::cardHeight + 2 * margin);
    viewport()->setAutoFillBackground(false);

    auto* strip = new QWidget(this);
    row_ = new QHBoxLayout(strip);
    row_->setContentsMargins(margin, margin, margin, margin);
    row_->setSpacing(cardSpacing);
    row_->addStretch(1);
    setWidget(strip);
    // The row lies on its section's card; the scroll area would paint the window colour.
    strip->setAutoFillBackground(false);

    connect(&Platform::current().displays(), &Displays::screenParametersChanged, this,
            &MonitorSelectionView::rebuild);
    rebuild();
}

void MonitorSelectionView::rebuild()
{
    for (MonitorCard* card : std::as_const(cards_))
        delete card;
    cards_.clear();
    const DisplayList screens = Platform::current().displays().screens();
    for (const Display& screen : screens) {
        auto* card = new MonitorCard(screen, widget());
        row_->insertWidget(static_cast<int>(cards_.size()), card);
        connect(card, &MonitorCard::pressed, this, [this, screen] { setSelectedMonitor(screen); });
        cards_.append(card);
    }
    if (selected_) {
        // The selection follows its display's new values, or the first display when it is gone.
        const auto index = screens.indexOf(*selected_);
        if (index >= 0)
            selected_ = screens.at(index);
        else
            setSelectedMonitor(screens.isEmpty() ? std::nullopt
                                                 : std::optional<Display>(screens.first()));
    }
    updateCards();
}

void MonitorSelectionView::setSelectedMonitor(std::optional<Display> display)
{
    const bool same =
        display.has_value() == selected_.has_value() && (!display || *display == *selected_);
    selected_ = std::move(display);
    updateCards();
    if (!same)
        emit selectedMonitorChanged();
}

void MonitorSelectionView::selectFirstIfNone()
{
    if (selected_)
        return;
    const DisplayList screens = Platform::current().displays().screens();
    if (!screens.isEmpty())
        setSelectedMonitor(screens.first());
}

void MonitorSelectionView::updateCards()
{
    for (MonitorCard* card : std::as_const(cards_))
        card->setSelected(selected_ && card->screen() == *selected_);
}

void MonitorSelectionView::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous())
        selectFirstIfNone();
}

} // namespace corvane
