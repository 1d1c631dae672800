// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/DragDropHandler.h"

#include "logging/Logger.h"
#include "platform/Platform.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "windows/DragGesture.h"
#include "windows/ExcludedApplications.h"
#include "windows/NeighbourFollower.h"
#include "windows/SpanKey.h"

#include <QThread>
#include <cmath>

namespace corvane {
namespace {

WindowSystem& windowSystem()
{
    return Platform::current().windowSystem();
}

} // namespace

DragDropHandler::DragDropHandler(ZoneManager& zoneManager, QObject* parent)
    : QObject(parent), zoneManager_(zoneManager)
{
    // Resizes are the window manager's gestures too: snapped windows beside a resized one follow.
    new NeighbourFollower(this);
    WindowSystem& windows = windowSystem();
    connect(&windows, &WindowSystem::moveStarted, this,
            [this](const WindowMove& move) { queue([this, move] { started(move); }); });
    connect(&windows, &WindowSystem::moveStepped, this, [this](const WindowMove& move) {
        if (queued_ == 0 && QThread::currentThread() == thread())
            stepped(move);
        else
            queue([this, move] { stepped(move); });
    });
    connect(&windows, &WindowSystem::moveFinished, this,
            [this](const WindowMove& move) { queue([this, move] { finished(move); }); });
    connect(&windows, &WindowSystem::dragMovedNoWindow, this,
            [this](const WindowMove& press, const WindowMove& release) {
                queue([this, press, release] { movedNoWindow(press, release); });
            });
    const DragKey snap = snapKey();
    QList<DragKey> keys{snap};
    if (const auto span = SpanKey::forSnapKey(snap))
        keys.append(*span);
    followKeys(keys);
    connect(&Platform::current().displays(), &Displays::screenParametersChanged, this, [this] {
        if (gesture_)
            gesture_->dropOverlayOfChangedDisplay(Platform::current().displays().screens());
    });
    connect(&Notifications::shared(), &Notifications::zoneColorsChanged, this,
            [this](const QColor& normal, const QColor& highlight) {
                if (gesture_)
                    gesture_->setZoneColors(normal, highlight);
            });
}

DragDropHandler::~DragDropHandler() = default;

void DragDropHandler::queue(std::function<void()> handle)
{
    ++queued_;
    // The context object drops queued work once the handler is gone.
    QMetaObject::invokeMethod(
        this,
        [this, handle = std::move(handle)] {
            --queued_;
            handle();
        },
        Qt::QueuedConnection);
}

DragKey DragDropHandler::snapKey() const
{
    const QString stored = Settings::dragModifierKey();
    const auto key = DragKey::fromName(stored);
    if (key && key->canBeFollowed())
        return *key;
    // The preferences refuse such a key, but the settings file may hold one from elsewhere or a
    // keyboard that had it. Said once per value, not at every drag.
    if (stored != refusedKeyName_) {
        refusedKeyName_ = stored;
        Logger::warning(QStringLiteral("The snap key \"%1\" cannot be followed on this desktop; "
                                       "Shift is used instead")
                            .arg(stored),
                        LogCategory::Window);
    }
    return DragKey::shift();
}

bool DragDropHandler::followKeys(const QList<DragKey>& keys)
{
    QList<int> keyCodes;
    for (const DragKey& key : keys) {
        if (key.keyCode() && !keyCodes.contains(*key.keyCode()))
            keyCodes.append(*key.keyCode());
    }
    bool added = false;
    for (int keyCode : keyCodes)
        added = added || !followedKeys_.contains(keyCode);
    if (keyCodes != followedKeys_) {
        followedKeys_ = keyCodes;
        windowSystem().followKeys(keyCodes);
    }
    return added;
}

void DragDropHandler::started(WindowMove move)
{
    gesture_.reset();
    // A window of an excluded application is left alone: its move is not followed at all.
    if (ExcludedApplications::contains(move.window))
        return;
    DragGesture::Choices choices;
    choices.snapKey = snapKey();
    choices.spanKey = SpanKey::forSnapKey(choices.snapKey);
    choices.everyMove = Settings::snapTrigger() == Settings::SnapTrigger::EveryMove;
    choices.spaceAroundZones = Settings::spaceAroundZones();
    const ZoneColors colors = Settings::zoneColors();
    choices.normalColor = colors.normal;
    choices.highlightColor = colors.highlight;
    QList<DragKey> keys{choices.snapKey};
    if (choices.spanKey)
        keys.append(*choices.spanKey);
    // A key chosen since the last move is followed from now on; the move could not say whether
    // it was held, the desktop can.
    if (followKeys(keys) && move.keys)
        move.keys = windowSystem().heldKeys();
    gesture_ = std::make_unique<DragGesture>(zoneManager_, move, std::move(choices));
}

void DragDropHandler::stepped(const WindowMove& move)
{
    if (gesture_ && gesture_->start().window == move.window)
        gesture_->step(move);
}

void DragDropHandler::finished(const WindowMove& move)
{
    if (!gesture_ || !(gesture_->start().window == move.window))
        return;
    const std::unique_ptr<DragGesture> gesture = std::move(gesture_);
    gesture->finish(move);
}

void DragDropHandler::movedNoWindow(const WindowMove& press, const WindowMove& release)
{
    const DragKey key = snapKey();
    if (!press.keys || !release.keys || !key.isHeldIn(*press.keys) || !key.isHeldIn(*release.keys))
        return;
    const Rect& frame = press.startFrame;
    if (press.pointer.y < frame.y || press.pointer.y >= frame.y + titleBandDepth)
        return;
    if (std::hypot(release.pointer.x - press.pointer.x, release.pointer.y - press.pointer.y) <=
        noMoveDistance)
        return;
    Logger::info(QStringLiteral("A drag with the snap modifier held moved no window"),
                 LogCategory::Window);
    emit modifierDragMovedNoWindow();
}

} // namespace corvane
