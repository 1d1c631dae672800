// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvane {

// Text from outside (a layout's name, a window's title) with every character that would act
// on a terminal or reorder what follows it (C0 and C1 controls such as ESC, the bidirectional
// overrides and isolates such as U+202E) replaced by U+FFFD, so that printed or logged it shows
// as what it is. Tabs and line breaks are left to the caller, which knows its own separators.
QString replaceControlCharacters(const QString& text);

} // namespace corvane
