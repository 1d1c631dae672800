// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/LayoutEditingSession.h"

#include "layouts/LayoutManager.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Notifications.h"

#include <QThread>
#include <algorithm>

namespace corvane {
namespace {

ZoneList defaultEditingZones()
{
    return {Zone(Rect(0.25, 0.25, 0.5, 0.5))};
}

} // namespace

LayoutEditingSession& LayoutEditingSession::of(LayoutManager& layouts)
{
    if (auto* session =
            layouts.findChild<LayoutEditingSession*>(QString(), Qt::FindDirectChildrenOnly))
        return *session;
    return *new LayoutEditingSession(layouts);
}

LayoutEditingSession::LayoutEditingSession(LayoutManager& layouts)
    : QObject(&layouts), layouts_(layouts), zoneManager_(layouts.zoneManager())
{
    // The editing overlay reports the zones the user dragged and resized.
    connect(&Notifications::shared(), &Notifications::zonesUpdated, this,
            [this](const ZoneList& zones) {
                QMetaObject::invokeMethod(
                    this, [this, zones] { setEditingZones(zones); }, Qt::QueuedConnection);
            });
}

bool LayoutEditingSession::runOnOwnThread(std::function<void()> call)
{
    if (QThread::currentThread() == thread())
        return false;
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    return true;
}

void LayoutEditingSession::setEditingZones(std::optional<ZoneList> zones)
{
    editingZones_ = std::move(zones);
    emit editingZonesChanged();
}

void LayoutEditingSession::setEditingLayout(std::optional<ScreenLayout> layout)
{
    editingLayout_ = std::move(layout);
    emit editingLayoutChanged();
}

void LayoutEditingSession::setIsEditing(bool editing)
{
    layouts_.setEditedDisplay(editing ? editingDisplayKey_ : QString());
    if (isEditing_ == editing)
        return;
    isEditing_ = editing;
    emit isEditingChanged();
}

void LayoutEditingSession::showEditingZones(const ZoneList& zones)
{
    if (const auto display = editingDisplay())
        zoneManager_.updateZones(zones, *display, true, true);
}

std::optional<Display> LayoutEditingSession::editingDisplay() const
{
    if (!isEditing_)
        return std::nullopt;
    for (const Display& display : Platform::current().displays().screens()) {
        if (display.key == editingDisplayKey_)
            return display;
    }
    return std::nullopt;
}

void LayoutEditingSession::refreshEditingOverlay()
{
    if (!isEditing_ || !editingZones_)
        return;
    // A new overlay: the one up covers the display as it was.
    zoneManager_.hideOverlay();
    showEditingZones(*editingZones_);
}

void LayoutEditingSession::showEditingDisplaysLayout()
{
    // The session shows its zones as the display's own; a draft discarded or a layout saved
    // without being chosen must not stay the display's live layout.
    const auto display = editingDisplay();
    if (!display)
        return;
    const auto stored = layouts_.layoutFor(*display);
    zoneManager_.updateZones(stored ? stored->zones : LayoutManager::fallbackLayout().zones,
                             *display, false, false);
}

void LayoutEditingSession::setDraft(std::optional<ScreenLayout> draft)
{
    draft_ = std::move(draft);
    emit draftChanged();
}

std::optional<ScreenLayout> LayoutEditingSession::takeDraft()
{
    std::optional<ScreenLayout> draft = std::exchange(draft_, std::nullopt);
    if (draft)
        emit draftChanged();
    return draft;
}

void LayoutEditingSession::startEditing(std::optional<ScreenLayout> layout)
{
    if (runOnOwnThread([this, layout] { startEditing(layout); }))
        return;
    const ZoneList zones = layout ? layout->zones : defaultEditingZones();
    originalZones_ = zones;
    // The main display, or the first one when none is main, as the editor's toolbar does.
    const DisplayList screens = Platform::current().displays().screens();
    const auto main = Platform::current().displays().mainScreen();
    editingDisplayKey_ = main ? main->key : screens.isEmpty() ? QString() : screens.first().key;
    setIsEditing(true);
    setEditingLayout(layout);
    setEditingZones(originalZones_);
    if (editingZones_->isEmpty())
        setEditingZones(defaultEditingZones());
    showEditingZones(*editingZones_);
}

void LayoutEditingSession::stopEditing()
{
    if (runOnOwnThread([this] { stopEditing(); }))
        return;
    zoneManager_.hideOverlay();
    showEditingDisplaysLayout();
    setIsEditing(false);
    setEditingZones(std::nullopt);
    setEditingLayout(std::nullopt);
    originalZones_.clear();
}

void LayoutEditingSession::cancelEditing()
{
    showEditingDisplaysLayout();
    setIsEditing(false);
    setEditingZones(std::nullopt);
    setEditingLayout(std::nullopt);
    originalZones_.clear();
    zoneManager_.hideOverlay();
}

void LayoutEditingSession::generateGrid(int rows, int columns)
{
    if (!isEditing_)
        return;
    ZoneList zones;
    if (rows > 0 && columns > 0) {
        constexpr double gap = 0.02;
        const double w = (1 - (columns + 1) * gap) / columns;
        const double h = (1 - (rows + 1) * gap) / rows;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c)
                zones.append(Zone(Rect(gap + c * (w + gap), gap + r * (h + gap), w, h)));
        }
    }
    setEditingZones(zones);
    showEditingZones(zones);
}

void LayoutEditingSession::addZone()
{
    if (!isEditing_)
        return;
    ZoneList zones = editingZones_.value_or(ZoneList{});
    const auto n = zones.size();
    constexpr double side = 0.3;
    double x = 0.05 + static_cast<double>(n % 3) * 0.35;
    double y = 0.05 + static_cast<double>(n / 3) * 0.35;
    if (x + side > 1.0) {
        x = 0.05;
        y += 0.35;
    }
    if (y + side > 1.0)
        y = 0.05;
    for (int round = 0; round < 10; ++round) {
        const Rect candidate(x, y, side, side);
        const bool overlaps = std::any_of(zones.begin(), zones.end(), [&](const Zone& z) {
            return z.frame.intersects(candidate);
        });
        if (!overlaps)
            break;
        x += 0.05;
        if (x + side > 1.0) {
            x = 0.05;
            y += 0.05;
        }
        if (y + side > 1.0)
            y = 0.05;
    }
    zones.append(Zone(Rect(x, y, side, side)));
    setEditingZones(zones);
    showEditingZones(zones);
}

void LayoutEditingSession::deleteZone(const QUuid& id)
{
    if (!isEditing_ || !editingZones_)
        return;
    ZoneList zones = *editingZones_;
    zones.removeIf([&](const Zone& z) { return z.id == id; });
    setEditingZones(zones);
    QMetaObject::invokeMethod(
        this,
        [this, zones, id] {
            showEditingZones(zones);
            emit Notifications::shared().zoneDeleted(id);
        },
        Qt::QueuedConnection);
}

void LayoutEditingSession::replaceEditingZones(const ZoneList& zones)
{
    if (!isEditing_)
        return;
    setEditingZones(zones);
    showEditingZones(zones);
}

bool LayoutEditingSession::saveEditedLayout(const QString& name)
{
    if (!editingZones_)
        return true;
    // The layout key goes with the layout to its new id.
    const ScreenLayout layout{QUuid::createUuid(), name, *editingZones_, std::nullopt,
                              editingLayout_ ? editingLayout_->quickKey : std::nullopt};
    // A layout edited from a draft, or deleted while it was edited, is no longer in the list:
    // replacing it would drop the user's work without a word, so it is added instead.
    const bool listed =
        editingLayout_ &&
        std::any_of(layouts_.customLayouts().begin(), layouts_.customLayouts().end(),
                    [&](const ScreenLayout& l) { return l.id == editingLayout_->id; });
    const bool saved = listed ? layouts_.updateCustomLayout(editingLayout_->id, layout)
                              : layouts_.addCustomLayout(layout);
    if (saved)
        stopEditing();
    return saved;
}

} // namespace corvane
