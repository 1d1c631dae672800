// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"

#include <QObject>
#include <optional>

namespace corvane {

class LayoutManager;

// Undo and redo for the zones of an editing session. Every change of the session's zones is a
// step: a zone added or deleted, a grid generated, and each move or resize, from the press on a
// zone to its release (the many updates of one drag make one step). Starting or ending a
// session forgets the steps.
class ZoneEditHistory : public QObject {
    Q_OBJECT
public:
    explicit ZoneEditHistory(LayoutManager& layoutManager, QObject* parent = nullptr);

    bool canUndo() const { return !undo_.isEmpty(); }
    bool canRedo() const { return !redo_.isEmpty(); }
    void undo();
    void redo();

signals:
    void changed();

private:
    void zonesChanged();
    void apply(const ZoneList& zones);

    LayoutManager& layoutManager_;
    std::optional<ZoneList> current_;
    QList<ZoneList> undo_;
    QList<ZoneList> redo_;
    // The last step only moved or resized zones, and no press on a zone came since: further
    // geometry updates belong to the same drag.
    bool dragStepOpen_ = false;
    bool applying_ = false;
};

} // namespace corvane
