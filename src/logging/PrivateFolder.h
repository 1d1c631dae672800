// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvane {

// Makes `path` a folder that only its owner can enter: created with mode 0700 where it is
// missing (its parents as the umask gives them), and an existing one stripped of any access by
// group and others, unless its owner has made it read-only: that one is left as it is. False
// when it is not a folder and cannot be made one.
bool ensurePrivateFolder(const QString& path);

} // namespace corvane
