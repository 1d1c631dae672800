// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/ScreenLayout.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

namespace corvane {

// Which layout a display uses on one virtual desktop. `desktop` is the desktop's id as the
// platform gives it; layoutName is kept for information only, as in a display's choice.
struct DesktopLayoutChoice {
    QString monitorID;
    QString desktop;
    QString layoutID;
    QString layoutName;

    friend bool operator==(const DesktopLayoutChoice&, const DesktopLayoutChoice&) = default;
};

// The layouts chosen per display and virtual desktop, as stored: a JSON array of
// {"monitorID", "desktop", "layoutID", "layoutName"} objects, at most one per display and
// desktop. An element that cannot be read costs only itself: it is written back as it was.
class DesktopLayoutChoices {
public:
    // None when the value is not a JSON array at all.
    static std::optional<DesktopLayoutChoices> decode(const QByteArray& data);
    QByteArray encode() const;

    const QList<DesktopLayoutChoice>& choices() const { return choices_; }
    std::optional<QString> layoutID(const QString& monitorID, const QString& desktop) const;
    // The display's choice on the desktop, replacing the one it had there. False when it was
    // the choice already.
    bool choose(const QString& monitorID, const QString& desktop, const ScreenLayout& layout);
    // Choices of the layout `oldId` name `layout` instead; the displays whose choice on
    // `desktop` that was are added to `users`. False when none did.
    bool replaceLayout(const QString& oldId, const ScreenLayout& layout, const QString& desktop,
                       QSet<QString>& users);
    // Choices of the layouts whose id `gone` answers true for are dropped, with the same
    // report.
    bool dropLayouts(const std::function<bool(const QString&)>& gone, const QString& desktop,
                     QSet<QString>& users);

private:
    QList<DesktopLayoutChoice> choices_;
    QList<QJsonValue> unreadable_;
};

} // namespace corvane
