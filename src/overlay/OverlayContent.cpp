// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/OverlayContent.h"

namespace corvane {

void OverlayContent::setShaped(bool shaped)
{
    if (shaped == shaped_)
        return;
    shaped_ = shaped;
    shapedChanged();
    update();
    notifyShapeChanged();
}

void OverlayContent::notifyShapeChanged()
{
    if (shaped_)
        emit shapeChanged();
}

} // namespace corvane
