#include "platform/HotKeys.h"

// The signals of the interface live here.
