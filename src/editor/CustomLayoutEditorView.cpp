// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CustomLayoutEditorView.h"

#include "editor/LayoutEditingSession.h"
#include "layouts/LayoutManager.h"

#include <QMouseEvent>
#include <QShowEvent>

namespace corvane {

CustomLayoutEditorView::CustomLayoutEditorView(LayoutManager& layoutManager, QWidget* parent)
    : QWidget(parent), layoutManager_(layoutManager)
{
    // Clear: the backdrop's dimming shows through.
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void CustomLayoutEditorView::ensureZones()
{
    const auto& zones = LayoutEditingSession::of(layoutManager_).editingZones();
    if (zones && !zones->isEmpty())
        return;
    const auto& layout = LayoutEditingSession::of(layoutManager_).editingLayout();
    if (layout && !layout->zones.isEmpty())
        LayoutEditingSession::of(layoutManager_).setEditingZones(layout->zones);
    else
        LayoutEditingSession::of(layoutManager_).addZone();
}

void CustomLayoutEditorView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from being minimised is not a new appearance.
    if (event->spontaneous())
        return;
    ensureZones();
    selection_.startObserving();
}

void CustomLayoutEditorView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        selection_.stopObserving();
}

void CustomLayoutEditorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        selection_.setSelectedZoneId(std::nullopt);
    event->accept();
}

} // namespace corvane
