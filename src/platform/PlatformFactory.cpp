#include "platform/Platform.h"
#include "platform/x11/X11Platform.h"

namespace corvane {

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<X11Platform>();
}

} // namespace corvane
