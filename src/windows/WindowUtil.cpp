// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WindowUtil.h"

#include "platform/Platform.h"

#include <QHashFunctions>

namespace corvane {
namespace {

std::unique_ptr<WindowUtil::Cache>& sharedCache()
{
    static std::unique_ptr<WindowUtil::Cache> cache;
    return cache;
}

QList<WindowInfo> convert(const QList<WindowDescription>& descriptions)
{
    QList<WindowInfo> infos;
    infos.reserve(descriptions.size());
    for (const WindowDescription& d : descriptions) {
        if (!d.bounds)
            continue;
        infos.append(WindowInfo{d.number.value_or(0), d.layer.value_or(0), *d.bounds,
                                d.ownerPid.value_or(0), d.ownerName});
    }
    return infos;
}

} // namespace

std::size_t WindowUtil::NumbersHash::operator()(const WindowNumbers& numbers) const
{
    if (!numbers)
        return 0x9e3779b97f4a7c15ull;
    return qHashRange(numbers->begin(), numbers->end());
}

WindowUtil::Cache& WindowUtil::cache()
{
    auto& cache = sharedCache();
    if (!cache)
        cache = std::make_unique<Cache>();
    return *cache;
}

void WindowUtil::resetCache(MillisecondClock clock)
{
    sharedCache() = std::make_unique<Cache>(std::move(clock));
}

QList<WindowInfo> WindowUtil::getWindowInfos(const WindowNumbers& numbers, bool includeOffscreen)
{
    Cache& shared = cache();
    if (auto cached = shared.value(numbers))
        return *cached;
    shared.remove(numbers);

    WindowServer& server = Platform::current().windowServer();
    std::optional<QList<WindowDescription>> descriptions;
    if (numbers) {
        descriptions = server.describeWindows(*numbers);
    } else {
        const unsigned options = includeOffscreen ? WindowListOption::excludeDesktopElements
                                                  : WindowListOption::onScreenOnly |
                                                        WindowListOption::excludeDesktopElements;
        descriptions = server.windowList(options);
    }
    const QList<WindowInfo> infos = descriptions ? convert(*descriptions) : QList<WindowInfo>{};
    shared.set(numbers, infos);
    return infos;
}

} // namespace corvane
