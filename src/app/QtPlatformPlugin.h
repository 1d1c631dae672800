// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace corvane {

// Why the toolkit's platform plugin of that name (for example "xcb") cannot be loaded, or
// nothing when it can. Asked before the application object is made, which would otherwise end
// the process with an abort over a missing or broken plugin.
std::optional<QString> qtPlatformPluginProblem(const QByteArray& name);

} // namespace corvane
