// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Notifications.h"

namespace corvane {

Notifications& Notifications::shared()
{
    static Notifications instance;
    return instance;
}

} // namespace corvane
