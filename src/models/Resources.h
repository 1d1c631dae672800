// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvane {

// The folder of shipped resources: share/corvane/ beside the executable's bin/, in the build
// tree as in an installed tree. CORVANE_SHARE_DIR overrides it (tests and relocated runs).
QString resourceDirectory();
QString resourcePath(const QString& name);

} // namespace corvane
