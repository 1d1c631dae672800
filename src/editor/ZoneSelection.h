// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QUuid>
#include <optional>

namespace corvane {

// The zone a view of the layout editor considers selected. While observing, it follows the
// editing overlay: a pressed zone becomes the selection, and a deleted zone stops being it.
// Each view keeps its own; they do not share a selection.
class ZoneSelection : public QObject {
    Q_OBJECT
public:
    explicit ZoneSelection(QObject* parent = nullptr);
    ~ZoneSelection() override;

    const std::optional<QUuid>& selectedZoneId() const { return selected_; }
    void setSelectedZoneId(std::optional<QUuid> id);

    // Installs the "ZoneSelected" and "ZoneDeleted" observers; a second call adds nothing.
    void startObserving();
    // Removes them.
    void stopObserving();
    bool isObserving() const { return !observers_.isEmpty(); }

signals:
    void selectedZoneIdChanged();

private:
    std::optional<QUuid> selected_;
    QList<QMetaObject::Connection> observers_;
};

} // namespace corvane
