// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace corvane {

// The file KWin loads Corvane's script from. KWin reads it by its path, so it lies where no
// one else can put or swap a file: in Corvane's private folder ("corvane" in the runtime
// folder, else /tmp/corvane-<uid>, mode 0700, refused when it is a link or another user's), and
// it is always created anew, never written through a path that was already there.
class KWinScriptFile {
public:
    // The private folder; empty, with a log line, when there is no safe one.
    static QString folder();
    // The folder for a given runtime folder (empty or relative: none).
    static QString folder(const QString& runtimeDirectory);
    // Writes this process's script file; its path, or empty with a log line.
    static QString write(const QString& folder, const QByteArray& text);
    // Removes the script files of processes that are gone (a run that was killed), here and
    // where earlier versions wrote them.
    static void removeStale(const QString& folder);
};

} // namespace corvane
