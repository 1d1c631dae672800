// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace corvane {

// Sends the toolkit's own warnings and errors to Corvane's log as well as to standard error,
// and writes them out at once: some come just before the toolkit ends the process (a broken
// X connection makes Qt's xcb plugin call exit()), when the log's worker would not get to
// them otherwise. Debug and info messages of the toolkit are left to it.
void installQtMessageLog();

} // namespace corvane
