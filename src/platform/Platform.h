// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Compositing.h"
#include "platform/Displays.h"
#include "platform/HotKeys.h"
#include "platform/LoginItems.h"
#include "platform/Session.h"
#include "platform/VirtualDesktops.h"
#include "platform/WindowSystem.h"
#include "platform/Workspace.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace corvane {

// Everything the system reaches the desktop through. One backend is installed per process:
// the real one by main, the in-memory one by tests.
class Platform {
public:
    virtual ~Platform() = default;

    virtual Displays& displays() = 0;
    virtual WindowSystem& windowSystem() = 0;
    virtual HotKeys& hotKeys() = 0;
    virtual LoginItems& loginItems() = 0;
    virtual Workspace& workspace() = 0;
    virtual Compositing& compositing() = 0;
    virtual Session& session() = 0;
    virtual VirtualDesktops& virtualDesktops() = 0;

    // The installed backend. Using it before one is installed is a programming error.
    static Platform& current();
    static bool isInstalled();
    // Takes ownership; replaces (and destroys) any backend installed before.
    static void install(std::unique_ptr<Platform> platform);
    // Counts the installations: window handles of one backend mean nothing to the next.
    static unsigned installation();
};

// The backend a process runs on, chosen once at start-up before the toolkit's application
// object exists: the backend decides which of the toolkit's platform plugins its own windows
// need, and what it lacks is said before the toolkit would abort over it.
struct PlatformChoice {
    // Empty when the backend can run; otherwise the one line that says what is missing.
    QString problem;
    // The toolkit's platform plugin that the application's own windows must run on.
    QByteArray qtPlatform;
    // Makes the backend once the application object exists.
    std::function<std::unique_ptr<Platform>()> create;
};

// The backend for the running system (defined next to the real backends, not in the library).
PlatformChoice choosePlatform();

} // namespace corvane
