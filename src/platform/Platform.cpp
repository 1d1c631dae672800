#include "platform/Platform.h"

#include <QtGlobal>

namespace corvane {
namespace {

std::unique_ptr<Platform>& installed()
{
    static std::unique_ptr<Platform> platform;
    return platform;
}

} // namespace

Platform& Platform::current()
{
    auto& platform = installed();
    if (!platform)
        qFatal("corvane: no platform backend installed");
    return *platform;
}

bool Platform::isInstalled()
{
    return installed() != nullptr;
}

void Platform::install(std::unique_ptr<Platform> platform)
{
    installed() = std::move(platform);
}

} // namespace corvane
