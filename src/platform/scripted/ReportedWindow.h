// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QJsonObject;
class QJsonValue;

namespace corvane {

// One window as a compositor's script reports it (KWin's script, Corvane's GNOME Shell
// extension), in the compositor's logical coordinates. What a compositor does not tell keeps
// its default.
struct ReportedWindow {
    QString id; // the compositor's own id, stable for the window's life
    qint64 pid = 0;
    QString caption;
    QString resourceClass; // the X11 class or the Wayland app id
    QRectF frame;          // decorations included, client-side shadows not
    QString output;        // the output it is on, where the compositor says
    bool keepAbove = false;
    bool minimized = false;
    bool dock = false;    // a panel
    bool desktop = false; // the desktop's background
    // A normal window that shows in the window list.
    bool normal = true;
    // Normal, and no dialog or other transient of another window.
    bool standalone = true;
    // On the virtual desktop shown now.
    bool current = true;
    // A client of Xwayland rather than a Wayland client.
    bool x11 = false;
    QSizeF minimum; // the smallest frame it takes; empty when it takes any

    static ReportedWindow fromJson(const QJsonObject& object);
};

// How a move goes, as the compositor reports it.
enum class MoveStage { Started, Stepped, Finished };

// [x, y, width, height] as the scripts write rectangles; an empty one for anything else.
QRectF rectFromJson(const QJsonValue& value);

} // namespace corvane
