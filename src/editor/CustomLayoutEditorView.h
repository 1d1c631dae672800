// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ZoneSelection.h"

#include <QWidget>

namespace corvane {

class LayoutManager;

// The editor's invisible full-size view in the backdrop window. A press on it clears its
// selection. When it appears it makes sure the session has zones to show, and it follows zone
// selections from the editing overlay while it is visible.
class CustomLayoutEditorView : public QWidget {
    Q_OBJECT
public:
    explicit CustomLayoutEditorView(LayoutManager& layoutManager, QWidget* parent = nullptr);

    const ZoneSelection& selection() const { return selection_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ensureZones();

    LayoutManager& layoutManager_;
    ZoneSelection selection_;
};

} // namespace corvane
