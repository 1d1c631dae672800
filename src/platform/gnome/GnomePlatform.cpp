// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomePlatform.h"

#include "logging/Logger.h"
#include "platform/ReportedVirtualDesktops.h"
#include "platform/gnome/GnomeDisplays.h"
#include "platform/gnome/GnomeExtension.h"
#include "platform/gnome/GnomeHotKeys.h"
#include "platform/gnome/GnomeSessionInfo.h"
#include "platform/gnome/GnomeShellBridge.h"
#include "platform/gnome/GnomeWindowSystem.h"
#include "platform/xdg/XdgLoginItems.h"
#include "platform/xdg/XdgWorkspace.h"

#include <QEventLoop>
#include <QTimer>

namespace corvane {
namespace {

// GNOME Shell composites every frame on Wayland.
class GnomeCompositing : public Compositing {
public:
    bool isActive() const override { return true; }
};

// The monitors and windows arrive with the extension's first reports; the application starts
// after them, so that its first look at the displays finds them.
constexpr int firstReportMs = 3000;

} // namespace

bool GnomePlatform::isAvailable()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    // A connection of its own, closed at once: the application's shared one is made later.
    const QString name = QStringLiteral("corvane-gnome-probe");
    bool running = false;
    {
        const QDBusConnection probe =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        running = GnomeShellBridge::isShellRunning(probe);
    }
    QDBusConnection::disconnectFromBus(name);
    return running;
}

GnomePlatform::GnomePlatform(QDBusConnection bus)
    : bridge_(std::make_unique<GnomeShellBridge>(bus)),
      displays_(std::make_unique<GnomeDisplays>(*bridge_)),
      windowSystem_(std::make_unique<GnomeWindowSystem>(*bridge_)),
      hotKeys_(std::make_unique<GnomeHotKeys>(*bridge_)),
      loginItems_(std::make_unique<XdgLoginItems>()), workspace_(std::make_unique<XdgWorkspace>()),
      compositing_(std::make_unique<GnomeCompositing>()),
      virtualDesktops_(
          ReportedVirtualDesktops::following(bridge_.get(), &GnomeShellBridge::desktopsReported))
{
    const GnomeExtension::Setup setup = GnomeExtension::prepare(bus);
    session_ = std::make_unique<GnomeSessionInfo>(*bridge_, setup);
    Logger::info(setup.detail, LogCategory::App);
    if (setup.state != GnomeExtension::State::Running || !bridge_->connectToExtension())
        return;
    QEventLoop loop;
    QObject::connect(displays_.get(), &Displays::screenParametersChanged, &loop, &QEventLoop::quit);
    QTimer::singleShot(firstReportMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (displays_->screens().isEmpty())
        Logger::warning(QStringLiteral("GNOME Shell's extension has not reported the monitors yet"),
                        LogCategory::App);
}

// Members go in reverse order; the bridge, last, tells the extension that Corvane leaves.
GnomePlatform::~GnomePlatform() = default;

Displays& GnomePlatform::displays()
{
    return *displays_;
}
WindowSystem& GnomePlatform::windowSystem()
{
    return *windowSystem_;
}
HotKeys& GnomePlatform::hotKeys()
{
    return *hotKeys_;
}
LoginItems& GnomePlatform::loginItems()
{
    return *loginItems_;
}
Workspace& GnomePlatform::workspace()
{
    return *workspace_;
}
Compositing& GnomePlatform::compositing()
{
    return *compositing_;
}
Session& GnomePlatform::session()
{
    return *session_;
}
VirtualDesktops& GnomePlatform::virtualDesktops()
{
    return *virtualDesktops_;
}

} // namespace corvane
