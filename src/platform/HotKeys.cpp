// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HotKeys.h"

// The signals of the interface live here.
