#include "settings/Notifications.h"

namespace corvane {

Notifications& Notifications::shared()
{
    static Notifications instance;
    return instance;
}

} // namespace corvane
