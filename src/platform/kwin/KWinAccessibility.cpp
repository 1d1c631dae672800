// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinAccessibility.h"

#include "platform/kwin/KWinBridge.h"
#include "platform/kwin/KWinDisplays.h"
#include "platform/kwin/KWinOwnWindows.h"

#include <QFile>

namespace corvane {
namespace {

// A handle holds its kind in the high word and the window number or pid in the low word.
constexpr std::uint64_t windowKind = 1ull << 32;
constexpr std::uint64_t applicationKind = 2ull << 32;
constexpr std::uint64_t systemWideKind = 3ull << 32;
constexpr std::uint64_t kindMask = ~0ull << 32;

std::uint64_t kindOf(ElementHandle e)
{
    return e.value & kindMask;
}

std::uint32_t payloadOf(ElementHandle e)
{
    return static_cast<std::uint32_t>(e.value);
}

} // namespace

KWinAccessibility::KWinAccessibility(KWinBridge& bridge, const KWinDisplays& displays)
    : bridge_(bridge), displays_(displays)
{
    QObject::connect(&bridge_, &KWinBridge::windowsChanged, &bridge_, [this] { checkDestroyed(); });
}

QStringList KWinAccessibility::applicationIdentifiers(ElementHandle element)
{
    const auto window =
        kindOf(element) == windowKind ? bridge_.windowByNumber(payloadOf(element)) : std::nullopt;
    if (!window)
        return {};
    QStringList names;
    if (!window->resourceClass.isEmpty())
        names << window->resourceClass;
    QFile comm(QStringLiteral("/proc/%1/comm").arg(window->pid));
    if (window->pid > 0 && comm.open(QIODevice::ReadOnly)) {
        const QString process = QString::fromUtf8(comm.readAll()).trimmed();
        if (!process.isEmpty() && !names.contains(process))
            names << process;
    }
    return names;
}

bool KWinAccessibility::observeDestruction(ElementHandle element, DestructionHandler handler)
{
    if (kindOf(element) != windowKind || !bridge_.windowByNumber(payloadOf(element)))
        return false;
    watched_.insert(element.value, std::move(handler));
    return true;
}

void KWinAccessibility::stopObservingDestruction(ElementHandle element)
{
    watched_.remove(element.value);
}

void KWinAccessibility::checkDestroyed()
{
    const auto watched = watched_;
    for (auto it = watched.begin(); it != watched.end(); ++it) {
        if (bridge_.windowByNumber(payloadOf({it.key()})))
            continue;
        watched_.remove(it.key());
        it.value()(ElementHandle{it.key()});
    }
}

ElementHandle KWinAccessibility::windowElement(std::uint32_t number)
{
    return {windowKind | number};
}

ElementHandle KWinAccessibility::systemWide()
{
    return {systemWideKind};
}

std::optional<ElementHandle> KWinAccessibility::elementAtPosition(ElementHandle, Point position)
{
    const QPointF point = displays_.fromAccessibility(position);
    // A window being moved is under the pointer, even when the pointer has run ahead of it:
    // KWin reports the start of a move once the pointer has gone some way, before the window
    // has followed.
    if (const auto moving = bridge_.movingWindow())
        return windowElement(bridge_.numberOf(*moving));
    for (const KWinWindow& w : bridge_.windows()) {
        if (w.minimized || KWinOwnWindows::isOverlay(w) || !w.frame.contains(point))
            continue;
        return windowElement(bridge_.numberOf(w.id));
    }
    return std::nullopt;
}

AXAttributeResult KWinAccessibility::copyAttribute(ElementHandle element, const QString& attribute)
{
    if (!bridge_.isScriptRunning())
        return {AXError::APIDisabled, {}};
    const std::uint64_t kind = kindOf(element);
    if (kind == systemWideKind) {
        if (attribute != AXAttribute::focusedUIElement)
            return {AXError::AttributeUnsupported, {}};
        // KWin's active window: a Wayland client cannot ask which window has the keyboard.
        const auto active = bridge_.activeWindow();
        const auto window = active ? bridge_.window(*active) : std::nullopt;
        if (!window || KWinOwnWindows::isOverlay(*window))
            return {AXError::NoValue, {}};
        return {AXError::Success, windowElement(bridge_.numberOf(window->id))};
    }
    if (kind == applicationKind) {
        if (attribute == AXAttribute::role)
            return {AXError::Success, AXRole::application};
        return {AXError::AttributeUnsupported, {}};
    }
    if (kind != windowKind)
        return {AXError::IllegalArgument, {}};
    const auto window = bridge_.windowByNumber(payloadOf(element));
    if (!window)
        return {AXError::InvalidElement, {}};
    if (attribute == AXAttribute::role)
        return {AXError::Success, AXRole::window};
    if (attribute == AXAttribute::window)
        return {AXError::Success, element};
    if (attribute == AXAttribute::parent)
        return {AXError::Success, applicationElement(static_cast<std::int32_t>(window->pid))};
    if (attribute == AXAttribute::position)
        return {AXError::Success, displays_.toAccessibility(window->frame.topLeft())};
    if (attribute == AXAttribute::size)
        return {AXError::Success, Size(window->frame.width(), window->frame.height())};
    return {AXError::AttributeUnsupported, {}};
}

AXError KWinAccessibility::setAttribute(ElementHandle element, const QString& attribute,
                                        const AXValue& value)
{
    if (!bridge_.isScriptRunning())
        return AXError::APIDisabled;
    if (kindOf(element) != windowKind)
        return AXError::AttributeUnsupported;
    const auto window = bridge_.windowByNumber(payloadOf(element));
    if (!window)
        return AXError::InvalidElement;
    QRectF frame = window->frame;
    if (attribute == AXAttribute::position) {
        const auto* p = std::get_if<Point>(&value);
        if (!p)
            return AXError::IllegalArgument;
        frame.moveTopLeft(displays_.fromAccessibility(*p));
    } else if (attribute == AXAttribute::size) {
        const auto* s = std::get_if<Size>(&value);
        if (!s || s->width < 1 || s->height < 1)
            return AXError::IllegalArgument;
        frame.setSize(QSizeF(s->width, s->height));
    } else if (attribute == AXAttribute::frame) {
        // Both at once: KWin places the window once.
        const auto* r = std::get_if<Rect>(&value);
        if (!r || r->width < 1 || r->height < 1)
            return AXError::IllegalArgument;
        frame = QRectF(displays_.fromAccessibility(r->origin()), QSizeF(r->width, r->height));
    } else {
        return AXError::AttributeUnsupported;
    }
    bridge_.setFrame(window->id, frame);
    return AXError::Success;
}

std::optional<std::int32_t> KWinAccessibility::pid(ElementHandle element)
{
    if (kindOf(element) == applicationKind)
        return static_cast<std::int32_t>(payloadOf(element));
    if (kindOf(element) != windowKind)
        return std::nullopt;
    const auto window = bridge_.windowByNumber(payloadOf(element));
    if (!window || window->pid <= 0)
        return std::nullopt;
    return static_cast<std::int32_t>(window->pid);
}

ElementHandle KWinAccessibility::applicationElement(std::int32_t pid)
{
    return {applicationKind | static_cast<std::uint32_t>(pid)};
}

bool KWinAccessibility::isProcessTrusted(bool)
{
    return bridge_.isScriptRunning();
}

} // namespace corvane
