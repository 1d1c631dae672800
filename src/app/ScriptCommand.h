// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace corvane {

// What a start of corvane asks of the running instance: open the preferences (a plain second
// start, or --preferences) or the layout editor (--layout-editor, the menu entry's actions), or
// one of the scripting operations. It travels as one line of JSON.
struct ScriptCommand {
    enum class Kind { OpenPreferences, SnapActive, SnapAll, ApplyLayout, List, OpenLayoutEditor };
    Kind kind = Kind::OpenPreferences;
    // SnapActive: "1" … "9", "next", "previous", "up" or "down".
    QString zone;
    // ApplyLayout: a layout's name or id. ApplyLayout and SnapAll: a display number as the
    // status menu shows it (none: the display under the pointer).
    QString layout;
    std::optional<int> display;
    // ApplyLayout: the virtual desktop's number (none: the one shown).
    std::optional<int> desktop;

    QByteArray encode() const;
    // None for anything that is not a well-formed command.
    static std::optional<ScriptCommand> decode(const QByteArray& line);
};

// The running instance's answer: whether the command did what it named, and what to show.
struct ScriptReply {
    bool ok = false;
    QString text;

    QByteArray encode() const;
    static std::optional<ScriptReply> decode(const QByteArray& line);
};

} // namespace corvane
