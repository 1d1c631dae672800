// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Compositing.h"

// The signals of the interface live here.
