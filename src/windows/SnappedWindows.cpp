// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/SnappedWindows.h"

#include "logging/Logger.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

namespace corvane {
namespace {

std::unique_ptr<SnappedWindows>& sharedInstance()
{
    static std::unique_ptr<SnappedWindows> instance;
    return instance;
}

void destroySharedInstance()
{
    sharedInstance().reset();
}

// Sizes from the window system are whole points; anything closer than one is the same size.
bool sameSize(Size a, Size b)
{
    return std::abs(a.width - b.width) < 1 && std::abs(a.height - b.height) < 1;
}

WindowSystem& windowSystem()
{
    return Platform::current().windowSystem();
}

} // namespace

SnappedWindows& SnappedWindows::shared()
{
    auto& instance = sharedInstance();
    // What is remembered names windows of the backend installed when it was remembered.
    if (instance && instance->installation_ != Platform::installation())
        instance.reset();
    if (!instance) {
        instance = std::make_unique<SnappedWindows>();
        if (auto* app = QCoreApplication::instance()) {
            if (instance->thread() != app->thread())
                instance->moveToThread(app->thread());
            qAddPostRoutine(destroySharedInstance);
        }
    }
    return *instance;
}

SnappedWindows::SnappedWindows(QObject* parent)
    : QObject(parent), installation_(Platform::installation())
{
    // A window that closes is forgotten at once: its identity may be given to a new window.
    connect(&windowSystem(), &WindowSystem::windowClosed, this,
            [this](WindowHandle closed) { windows_.remove(closed); });
}

SnappedWindows::~SnappedWindows() = default;

bool SnappedWindows::isRemembered(WindowHandle window) const
{
    return windows_.contains(window);
}

void SnappedWindows::snapped(WindowHandle window, std::optional<Size> sizeBefore, Size size)
{
    auto it = windows_.find(window);
    if (it == windows_.end()) {
        if (!sizeBefore)
            return;
        it = windows_.insert(window, Entry{*sizeBefore, size});
    } else {
        it->snapped = size;
    }
    settle(window);
}

void SnappedWindows::resizedInZone(WindowHandle window, Size size)
{
    const auto it = windows_.find(window);
    if (it == windows_.end())
        return;
    it->snapped = size;
    settle(window);
}

void SnappedWindows::settle(WindowHandle window)
{
    // The size the window keeps is known once the window manager has placed it.
    QTimer::singleShot(settleDelay, this, [this, window] {
        const auto entry = windows_.find(window);
        if (entry == windows_.end())
            return;
        if (const auto settled = windowSystem().frame(window))
            entry->snapped = settled->size();
    });
}

bool SnappedWindows::droppedOutsideZones(WindowHandle window, Size sizeAtPress, Point pointer)
{
    const auto entry = windows_.constFind(window);
    if (entry == windows_.cend())
        return false;
    const Entry remembered = *entry;
    forget(window);
    const auto frame = windowSystem().frame(window);
    if (!frame)
        return false;
    // A size the user changed after the snap is theirs to keep, whether they changed it before
    // this drag or during it (dragging an edge moves a window too).
    if (!sameSize(sizeAtPress, remembered.snapped) || !sameSize(frame->size(), sizeAtPress))
        return false;
    // The pointer stays on the same point of the title bar: at the same fraction of the width,
    // and as far below the top edge as it was, so the top edge stays where it is.
    const double across =
        frame->width > 0 ? std::clamp((pointer.x - frame->x) / frame->width, 0.0, 1.0) : 0.5;
    const Rect restored(pointer.x - across * remembered.original.width, frame->y,
                        remembered.original.width, remembered.original.height);
    Logger::info(
        QStringLiteral("Restoring the window's size from before its snap: (%1, %2, %3, %4)")
            .arg(restored.x)
            .arg(restored.y)
            .arg(restored.width)
            .arg(restored.height),
        LogCategory::Window);
    return windowSystem().setFrame(window, restored) == WindowResult::Done;
}

void SnappedWindows::forget(WindowHandle window)
{
    windows_.remove(window);
}

} // namespace corvane
