#pragma once

#include <QUrl>

namespace corvane {

class Workspace {
public:
    virtual ~Workspace() = default;

    // Hands the URL to the desktop's handler; false when it was refused.
    virtual bool openUrl(const QUrl& url) = 0;
};

} // namespace corvane
