#pragma once

#include "platform/Workspace.h"

namespace corvane {

// Opens URLs with the desktop's handler (xdg-open behind QDesktopServices).
class X11Workspace : public Workspace {
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace corvane
