// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinWindowServer.h"

#include "platform/kwin/KWinBridge.h"
#include "platform/kwin/KWinDisplays.h"

#include <QFile>

namespace corvane {
namespace {

QString processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (pid <= 0 || !comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(comm.readAll()).trimmed();
}

} // namespace

KWinWindowServer::KWinWindowServer(KWinBridge& bridge, const KWinDisplays& displays)
    : bridge_(bridge), displays_(displays)
{}

std::optional<QList<WindowDescription>> KWinWindowServer::windowList(unsigned options)
{
    if (!bridge_.isScriptRunning())
        return std::nullopt;
    QList<std::uint32_t> numbers;
    for (const KWinWindow& w : bridge_.windows()) {
        if ((options & WindowListOption::onScreenOnly) && w.minimized)
            continue;
        if ((options & WindowListOption::excludeDesktopElements) && (w.desktop || w.dock))
            continue;
        numbers.append(bridge_.numberOf(w.id));
    }
    return describeWindows(numbers);
}

std::optional<QList<WindowDescription>>
KWinWindowServer::describeWindows(const QList<std::uint32_t>& numbers)
{
    if (!bridge_.isScriptRunning())
        return std::nullopt;
    QList<WindowDescription> list;
    for (std::uint32_t number : numbers) {
        const auto w = bridge_.windowByNumber(number);
        if (!w)
            continue;
        WindowDescription d;
        d.number = number;
        d.layer = w->desktop     ? desktopLayer
                  : w->dock      ? dockLayer
                  : w->keepAbove ? floatingLayer
                                 : normalLayer;
        const Point origin = displays_.toAccessibility(w->frame.topLeft());
        d.bounds = Rect(origin, Size(w->frame.width(), w->frame.height()));
        if (w->pid > 0) {
            d.ownerPid = static_cast<std::int32_t>(w->pid);
            d.ownerName = processName(w->pid);
        } else {
            d.ownerName = w->resourceClass;
        }
        list.append(d);
    }
    return list;
}

} // namespace corvane
