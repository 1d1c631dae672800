// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace corvane {

// One virtual desktop (a workspace) of the window manager. `id` is what choices are stored
// under: on X11 the desktop's index in _NET_CURRENT_DESKTOP, in KWin the desktop's own id.
// `number` counts from 1 in the order the desktop's pager shows them; `name` may be empty.
struct VirtualDesktop {
    QString id;
    int number = 0;
    QString name;

    // The name where the window manager gives one, else "Desktop <number>".
    QString title() const;

    friend bool operator==(const VirtualDesktop&, const VirtualDesktop&) = default;
};

// The window manager's virtual desktops and which one is shown. A session without them (no
// window manager, or one that has no desktops) has none: every choice is then the display's.
class VirtualDesktops : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The desktop shown now; none when the window manager names none.
    virtual std::optional<VirtualDesktop> current() const = 0;
    // Every desktop, in order.
    virtual QList<VirtualDesktop> desktops() const = 0;

    // The desktop with this number (1 counts first), if there is one.
    std::optional<VirtualDesktop> withNumber(int number) const;

signals:
    // Another desktop is shown.
    void currentDesktopChanged();
    // Desktops were added, removed or renamed.
    void desktopsChanged();
};

} // namespace corvane
