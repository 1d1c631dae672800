#pragma once

#include "platform/Workspace.h"

namespace corvane {

// Opens URLs with the desktop's handler (xdg-open behind QDesktopServices).
class XdgWorkspace : public Workspace {
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace corvane
