// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>

namespace corvane {

// Corvane's GNOME Shell extension as the running shell knows it, and what Corvane can do about
// it. GNOME Shell on Wayland knows only the extensions that were there when the user logged in:
// one installed later runs after the next login. One that was there but is disabled can be
// turned on at once (org.gnome.Shell.Extensions.EnableExtension).
class GnomeExtension {
public:
    static constexpr char uuid[] = "corvane@corvane.app";

    enum class State {
        // Enabled in the running shell (Corvane may just have enabled it).
        Running,
        // Its files are there (Corvane may just have installed them for the user), but the
        // shell started without them: it runs after the next login.
        NeedsLogin,
        // The shell knows it and would not run it (an error, an unsupported shell version,
        // extensions turned off), or Corvane could not install it.
        Failed,
    };

    struct Setup {
        State state = State::Failed;
        // For the log and for the user: what was found and done.
        QString detail;
    };

    // Looks the extension up in the running shell; installs it for the user where no copy
    // exists, and enables one that is installed but off.
    static Setup prepare(QDBusConnection bus);

    // The folder the user's own copy goes to ($XDG_DATA_HOME/gnome-shell/extensions/<uuid>).
    static QString userFolder();
    // Installs the form the shell of that version loads (a legacy script up to 44, an ES module
    // from 45) into `folder`, replacing what was there; false with a log line when it could not.
    static bool install(const QString& folder, int shellMajorVersion);
    // The form's folder among Corvane's shared files ("legacy" or "module").
    static QString formFor(int shellMajorVersion);
};

} // namespace corvane
