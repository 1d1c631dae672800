// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Session.h"

// The interface's meta-object lives here.
