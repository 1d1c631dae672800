// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/ZoneFlash.h"

#include "overlay/OverlayView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ZoneManager.h"
#include "settings/Settings.h"

namespace corvane {

ZoneFlash::ZoneFlash(QObject* parent)
    : QObject(parent), showDelay_(ZoneManager::defaultPreviewShowDelay),
      hideDelay_(ZoneManager::defaultPreviewHideDelay)
{
    showTimer_.setSingleShot(true);
    hideTimer_.setSingleShot(true);
    connect(&showTimer_, &QTimer::timeout, this, [this] {
        if (!window_)
            return;
        window_->orderFront();
        hideTimer_.start(hideDelay_);
    });
    connect(&hideTimer_, &QTimer::timeout, this, &ZoneFlash::close);
}

ZoneFlash::~ZoneFlash() = default;

OverlayView* ZoneFlash::view() const
{
    return window_ ? qobject_cast<OverlayView*>(window_->contentView()) : nullptr;
}

bool ZoneFlash::isShown() const
{
    return window_ && window_->isVisible();
}

void ZoneFlash::flash(const Display& display, const ZoneList& zones, const Zone& highlighted)
{
    const bool shown =
        isShown() && window_->display() == display && window_->screenRect() == display.visibleFrame;
    if (!shown) {
        close();
        auto view = std::make_unique<OverlayView>();
        const Rect visible = display.visibleFrame;
        view->resize(static_cast<int>(visible.width), static_cast<int>(visible.height));
        window_ = std::make_unique<OverlayWindow>(display, visible, OverlayWindow::Level::Drag);
        window_->setIgnoresMouseEvents(true);
        window_->setContentView(std::move(view));
    }
    OverlayView* overlay = view();
    const ZoneColors colors = Settings::zoneColors();
    overlay->setNormalZoneColor(colors.normal);
    overlay->setHighlightZoneColor(colors.highlight);
    overlay->setCustomZones(zones);
    overlay->setHighlightedZone(highlighted);
    if (shown) {
        // Stepping on from zone to zone keeps the overlay up and moves the highlight.
        hideTimer_.start(hideDelay_);
        return;
    }
    hideTimer_.stop();
    showTimer_.start(showDelay_);
}

void ZoneFlash::close()
{
    showTimer_.stop();
    hideTimer_.stop();
    if (window_) {
        window_->orderOut();
        window_.reset();
    }
}

void ZoneFlash::setDelays(std::chrono::milliseconds show, std::chrono::milliseconds hide)
{
    showDelay_ = show;
    hideDelay_ = hide;
}

} // namespace corvane
