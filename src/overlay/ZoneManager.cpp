// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/ZoneManager.h"

#include "logging/Logger.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "overlay/GridView.h"
#include "overlay/OverlayWindow.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace corvane {
namespace {

std::unique_ptr<ZoneManager>& sharedInstance()
{
    static std::unique_ptr<ZoneManager> instance;
    return instance;
}

// Overlay windows must go before the application's widget machinery does.
void destroySharedInstance()
{
    sharedInstance().reset();
}

} // namespace

ZoneManager& ZoneManager::shared()
{
    auto& instance = sharedInstance();
    if (!instance) {
        instance = std::make_unique<ZoneManager>();
        if (auto* app = QCoreApplication::instance()) {
            if (instance->thread() != app->thread())
                instance->moveToThread(app->thread());
            qAddPostRoutine(destroySharedInstance);
        }
    }
    return *instance;
}

ZoneManager::ZoneManager(QObject* parent) : QObject(parent)
{
    loadCurrentLayout();
}

ZoneManager::~ZoneManager() = default;

bool ZoneManager::hopToOwnThread(std::function<void()> operation)
{
    if (QThread::currentThread() == thread())
        return false;
    // Queued with this manager as context: dropped if the manager is gone by then.
    QMetaObject::invokeMethod(this, std::move(operation), Qt::QueuedConnection);
    return true;
}

void ZoneManager::loadCurrentLayout()
{
    if (const auto stored = Settings::data(SettingsKeys::currentLayout)) {
        if (const auto layout = json::decodeLayout(*stored)) {
            customZones_ = layout->zones;
            return;
        }
        // The stored record is left as it is: it may be readable by another version.
        Logger::warning(QStringLiteral("The stored current layout cannot be read; using the "
                                       "default layout without replacing it"),
                        LogCategory::Layout);
        const ScreenLayout fallback = templateNamed(QStringLiteral("Grid")).value_or(focusLayout());
        customZones_ = fallback.zones;
        return;
    }
    const ScreenLayout layout = templateNamed(QStringLiteral("Grid")).value_or(focusLayout());
    customZones_ = layout.zones;
    Settings::setData(SettingsKeys::currentLayout, json::encodeLayout(layout));
}

GridView* ZoneManager::overlayGridView() const
{
    return overlayWindow_ ? qobject_cast<GridView*>(overlayWindow_->contentView()) : nullptr;
}

void ZoneManager::installEditingHandlers(GridView& view)
{
    const QPointer<ZoneManager> self(this);
    view.zoneClickedHandler = [](const Zone& zone) {
        emit Notifications::shared().zoneSelected(zone.id);
    };
    view.zoneUpdatedHandler = [self](const ZoneList& zones) {
        if (self)
            self->customZones_ = zones;
        emit Notifications::shared().zonesUpdated(zones);
    };
}

void ZoneManager::updateZones(const ZoneList& zones, const Display& display, bool showOverlay,
                              bool isEditing)
{
    if (hopToOwnThread([this, zones, display, showOverlay, isEditing] {
            updateZones(zones, display, showOverlay, isEditing);
        }))
        return;

    monitorZones_.insert(monitorID(display), zones);
    customZones_ = zones;
    if (!isEditing)
        emit zonesSet(display, zones);
    if (!showOverlay) {
        // Zones recorded in the background (saved layouts applied again after a display change,
        // a layout chosen in the gallery) leave an editing session's surface where it is.
        if (const GridView* view = overlayGridView(); view && view->isEditing())
            return;
        hideOverlay();
        return;
    }
    if (GridView* view = overlayGridView()) {
        // Taken over: no longer a preview's to hide.
        previewOverlay_.clear();
        // The overlay stays where it is, even when the zones belong to another display.
        view->setCustomZones(zones);
        view->setShowStrokes(true);
        view->setEditing(isEditing);
        // A preview turned into an editing surface must report its edits like one built for it.
        if (isEditing) {
            installEditingHandlers(*view);
            applyEditingFocus(*view);
        } else {
            view->zoneClickedHandler = nullptr;
            view->zoneUpdatedHandler = nullptr;
        }
        overlayWindow_->setIgnoresMouseEvents(!isEditing);
        return;
    }
    this->showOverlay(display, true, isEditing);
}

void ZoneManager::showOverlay(const Display& display, bool showStrokes, bool isEditing)
{
    if (hopToOwnThread([this, display, showStrokes, isEditing] {
            showOverlay(display, showStrokes, isEditing);
        }))
        return;

    hideOverlay();
    previewOverlay_.clear();
    auto window = std::make_unique<OverlayWindow>(display, display.frame,
                                                  isEditing ? OverlayWindow::Level::ModalPanel
                                                            : OverlayWindow::Level::Floating);
    window->setIgnoresMouseEvents(!isEditing);

    auto view = std::make_unique<GridView>();
    const auto entry = monitorZones_.constFind(monitorID(display));
    view->setCustomZones(entry != monitorZones_.constEnd() ? std::optional<ZoneList>(*entry)
                                                           : customZones_);
    view->setShowStrokes(showStrokes);
    view->setEditing(isEditing);
    view->setSpaceAroundZones(Settings::spaceAroundZones());
    if (isEditing) {
        installEditingHandlers(*view);
        applyEditingFocus(*view);
    }
    window->setContentView(std::move(view));

    window->orderFront();
    overlayWindow_ = std::move(window);
}

void ZoneManager::hideOverlay()
{
    if (hopToOwnThread([this] { hideOverlay(); }))
        return;
    if (!overlayWindow_)
        return;
    // Deleted once control is back in the event loop: this may run inside one of the grid
    // view's own handlers.
    OverlayWindow* window = overlayWindow_.release();
    window->orderOut();
    window->deleteLater();
}

void ZoneManager::showLayoutPreview(const ScreenLayout& layout, const Display& display)
{
    if (hopToOwnThread([this, layout, display] { showLayoutPreview(layout, display); }))
        return;

    hideOverlay();
    monitorZones_.insert(monitorID(display), layout.zones);
    customZones_ = layout.zones;
    emit zonesSet(display, layout.zones);
    const auto hideDelay = previewHideDelay_;
    QTimer::singleShot(previewShowDelay_, this, [this, display, hideDelay] {
        showOverlay(display, true, false);
        previewOverlay_ = overlayWindow_.get();
        // The hide closes only the overlay this preview showed, and only while it is still a
        // preview: a later preview's overlay, or the editor's surface opened meanwhile, is not
        // this preview's to close.
        const QPointer<OverlayWindow> shown = previewOverlay_;
        QTimer::singleShot(hideDelay, this, [this, shown] {
            if (shown && shown == previewOverlay_ && shown == overlayWindow_.get())
                hideOverlay();
        });
    });
}

void ZoneManager::updateZoneColors(const QColor& normal, const QColor& highlight)
{
    if (hopToOwnThread([this, normal, highlight] { updateZoneColors(normal, highlight); }))
        return;
    if (GridView* view = overlayGridView())
        view->setOverlayColor(highlight);
    emit Notifications::shared().zoneColorsChanged(normal, highlight);
}

void ZoneManager::setEditingFocus(const std::optional<QUuid>& zoneId, bool focusRing)
{
    if (hopToOwnThread([this, zoneId, focusRing] { setEditingFocus(zoneId, focusRing); }))
        return;
    editingFocus_ = zoneId;
    editingFocusRing_ = focusRing;
    if (GridView* view = overlayGridView(); view && view->isEditing())
        view->setFocusedZone(zoneId, focusRing);
}

void ZoneManager::applyEditingFocus(GridView& view) const
{
    // Without a zone named here the view keeps the selection its own presses made.
    if (editingFocus_)
        view.setFocusedZone(editingFocus_, editingFocusRing_);
}

void ZoneManager::setPreviewDelays(std::chrono::milliseconds show, std::chrono::milliseconds hide)
{
    previewShowDelay_ = show;
    previewHideDelay_ = hide;
}

} // namespace corvane
