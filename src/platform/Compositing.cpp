#include "platform/Compositing.h"

// The signals of the interface live here.
