// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Displays.h"

namespace corvane {

void Displays::placeExactly(QWindow&, const Rect&) const {}

} // namespace corvane
