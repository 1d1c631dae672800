// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ScriptCommand.h"
#include "models/ScreenLayout.h"
#include "platform/Display.h"

#include <QString>
#include <optional>

namespace corvane {

class TrayApplication;

// What scripts may ask of the running Corvane, from the command line or over D-Bus: snap the
// active window or every window of a display, choose a display's layout, list the displays and
// the layouts. Each goes the way
// the same action of the user goes (the keyboard shortcut's snap, the status menu's choice), so
// a script can do nothing the user could not, and an error changes nothing.
class ScriptingCommands {
public:
    explicit ScriptingCommands(TrayApplication& delegate) : delegate_(delegate) {}

    // No layout name, id or zone is longer: a longer argument is refused before anything
    // looks at it, so that megabytes from a script hold up neither the menu nor the overlays.
    static constexpr qsizetype maxArgumentLength = 1024;
    // The refusal of an argument that is too long; none for one that is not.
    static std::optional<QString> refuseLength(const QString& what, const QString& argument);

    // Only once the delegate's services are up.
    ScriptReply run(const ScriptCommand& command);

    // `zone`: "1" … "9", "next", "previous", "up" or "down".
    ScriptReply snapActive(const QString& zone);
    // Every normal window of the display (its number in the status menu, or none for the
    // display under the pointer) to the zone nearest its centre.
    ScriptReply snapAll(std::optional<int> display);
    // `layout`: a layout's name (exact, else ignoring case) or id; `display`: its number in the
    // status menu, or none for the display under the pointer; `desktop`: the virtual desktop's
    // number, or none for the one shown.
    ScriptReply applyLayout(const QString& layout, std::optional<int> display,
                            std::optional<int> desktop = std::nullopt);
    // One line per virtual desktop, then per display (its layout on the desktop shown), then
    // per layout with its layout key ("-" for none), fields apart by tabs:
    //   desktop <number> <name> current|-
    //   display <number> <name> <identifier> <width>x<height> <layout in use>
    //   layout <name> built-in|template|custom <id> <key>
    ScriptReply list() const;

private:
    struct Found {
        std::optional<ScreenLayout> layout;
        QString error;
    };
    Found findLayout(const QString& text) const;
    // The display of that number, or under the pointer; none, with `error` saying why.
    static std::optional<Display> displayFor(std::optional<int> number, QString& error);

    TrayApplication& delegate_;
};

} // namespace corvane
