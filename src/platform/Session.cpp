#include "platform/Session.h"

// The interface's meta-object lives here.
