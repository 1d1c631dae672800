// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

namespace corvane {

// Puts the running application object into the user's language: Corvane's own messages, built
// into the binary, and Qt's (standard buttons, the command line's help) where the system has
// them. Each translator belongs to the application object and goes with it. English, the
// language of the sources, needs none; a language without a translation stays English.
void installTranslations(const QLocale& locale = QLocale::system());

} // namespace corvane
