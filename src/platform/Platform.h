#pragma once

#include "platform/Accessibility.h"
#include "platform/Compositing.h"
#include "platform/Displays.h"
#include "platform/HotKeys.h"
#include "platform/InputMonitor.h"
#include "platform/LoginItems.h"
#include "platform/WindowServer.h"
#include "platform/Workspace.h"

#include <memory>

namespace corvane {

// Everything the system reaches the desktop through. One backend is installed per process:
// the real one by main, the in-memory one by tests.
class Platform {
public:
    virtual ~Platform() = default;

    virtual Displays& displays() = 0;
    virtual Accessibility& accessibility() = 0;
    virtual WindowServer& windowServer() = 0;
    virtual InputMonitor& inputMonitor() = 0;
    virtual HotKeys& hotKeys() = 0;
    virtual LoginItems& loginItems() = 0;
    virtual Workspace& workspace() = 0;
    virtual Compositing& compositing() = 0;

    // The installed backend. Using it before one is installed is a programming error.
    static Platform& current();
    static bool isInstalled();
    // Takes ownership; replaces (and destroys) any backend installed before.
    static void install(std::unique_ptr<Platform> platform);
    // Counts the installations: element handles of one backend mean nothing to the next.
    static unsigned installation();
};

// The backend for the running system (defined next to the real backends, not in the library).
std::unique_ptr<Platform> createPlatform();

} // namespace corvane
