// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinPlatform.h"

#include "logging/Logger.h"
#include "platform/ReportedVirtualDesktops.h"
#include "platform/kwin/KWinBridge.h"
#include "platform/kwin/KWinDisplays.h"
#include "platform/kwin/KWinHotKeys.h"
#include "platform/kwin/KWinOwnWindows.h"
#include "platform/kwin/KWinSessionInfo.h"
#include "platform/kwin/KWinWindowSystem.h"
#include "platform/xdg/XdgLoginItems.h"
#include "platform/xdg/XdgWorkspace.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace corvane {
namespace {

// KWin composites every frame on Wayland: translucent windows are always blended.
class KWinCompositing : public Compositing {
public:
    bool isActive() const override { return true; }
};

// The outputs and windows arrive with the script's first reports; the application starts
// after them, so that its first look at the displays finds them.
constexpr int firstReportMs = 3000;

} // namespace

bool KWinPlatform::isAvailable()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    // A connection of its own, closed at once: the application's shared one is made later,
    // with the application object.
    const QString name = QStringLiteral("corvane-kwin-probe");
    bool running = false;
    {
        const QDBusConnection probe =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        running = KWinBridge::isKWinRunning(probe);
    }
    QDBusConnection::disconnectFromBus(name);
    return running;
}

KWinPlatform::KWinPlatform(QDBusConnection bus)
    : bridge_(std::make_unique<KWinBridge>(bus)),
      displays_(std::make_unique<KWinDisplays>(*bridge_)),
      windowSystem_(std::make_unique<KWinWindowSystem>(*bridge_)),
      hotKeys_(std::make_unique<KWinHotKeys>(*bridge_)),
      loginItems_(std::make_unique<XdgLoginItems>()), workspace_(std::make_unique<XdgWorkspace>()),
      compositing_(std::make_unique<KWinCompositing>()),
      session_(std::make_unique<KWinSessionInfo>(*bridge_)),
      ownWindows_(std::make_unique<KWinOwnWindows>(*bridge_)),
      virtualDesktops_(
          ReportedVirtualDesktops::following(bridge_.get(), &KWinBridge::desktopsReported))
{
    if (!bridge_->loadScript())
        return;
    QEventLoop loop;
    QObject::connect(displays_.get(), &Displays::screenParametersChanged, &loop, &QEventLoop::quit);
    QTimer::singleShot(firstReportMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (displays_->screens().isEmpty())
        Logger::warning(QStringLiteral("KWin's script has not reported the outputs yet"),
                        LogCategory::App);
}

// Members go in reverse order; the script is unloaded with the bridge, last.
KWinPlatform::~KWinPlatform() = default;

Displays& KWinPlatform::displays()
{
    return *displays_;
}
WindowSystem& KWinPlatform::windowSystem()
{
    return *windowSystem_;
}
HotKeys& KWinPlatform::hotKeys()
{
    return *hotKeys_;
}
LoginItems& KWinPlatform::loginItems()
{
    return *loginItems_;
}
Workspace& KWinPlatform::workspace()
{
    return *workspace_;
}
Compositing& KWinPlatform::compositing()
{
    return *compositing_;
}
Session& KWinPlatform::session()
{
    return *session_;
}

VirtualDesktops& KWinPlatform::virtualDesktops()
{
    return *virtualDesktops_;
}

} // namespace corvane
