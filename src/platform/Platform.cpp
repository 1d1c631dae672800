// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

#include <QtGlobal>

namespace corvane {
namespace {

std::unique_ptr<Platform>& installed()
{
    static std::unique_ptr<Platform> platform;
    return platform;
}

unsigned& installations()
{
    static unsigned count = 0;
    return count;
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
    ++installations();
}

unsigned Platform::installation()
{
    return installations();
}

} // namespace corvane
