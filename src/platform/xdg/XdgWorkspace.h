// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Workspace.h"

namespace corvane {

// Opens URLs with the desktop's handler (xdg-open behind QDesktopServices).
class XdgWorkspace : public Workspace {
public:
    // How long a handler's program that has not ended yet is waited for: xdg-open runs some
    // applications in the foreground and ends only with them, so one still running then has
    // handed the link on.
    static constexpr int handOverWaitMs = 5000;

    bool openUrl(const QUrl& url) override;
    // Runs xdg-email for mailto: links (else xdg-open) and reports its exit status.
    void openUrlAsync(const QUrl& url, QObject* context,
                      std::function<void(bool opened)> done) override;
};

} // namespace corvane
