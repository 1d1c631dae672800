// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/AccessibilityElement.h"

#include "models/ZoneGeometry.h"
#include "platform/Platform.h"
#include "windows/WindowUtil.h"

namespace corvane {
namespace {

Accessibility& ax()
{
    return Platform::current().accessibility();
}

template <typename T> std::optional<T> attribute(ElementHandle element, const QString& name)
{
    const AXAttributeResult result = ax().copyAttribute(element, name);
    if (result.error != AXError::Success)
        return std::nullopt;
    if (const T* value = std::get_if<T>(&result.value))
        return *value;
    return std::nullopt;
}

} // namespace

std::optional<AccessibilityElement> AccessibilityElement::getElementValue(const QString& name) const
{
    const auto element = attribute<ElementHandle>(element_, name);
    if (!element || !element->isValid())
        return std::nullopt;
    return AccessibilityElement(*element);
}

std::optional<QString> AccessibilityElement::role() const
{
    return attribute<QString>(element_, AXAttribute::role);
}

std::optional<bool> AccessibilityElement::isApplication() const
{
    const auto r = role();
    if (!r)
        return std::nullopt;
    return *r == AXRole::application;
}

std::optional<bool> AccessibilityElement::isWindow() const
{
    const auto r = role();
    if (!r)
        return std::nullopt;
    return *r == AXRole::window;
}

std::optional<Size> AccessibilityElement::size() const
{
    return attribute<Size>(element_, AXAttribute::size);
}

std::optional<Point> AccessibilityElement::position() const
{
    return attribute<Point>(element_, AXAttribute::position);
}

std::optional<std::int32_t> AccessibilityElement::pid() const
{
    return ax().pid(element_);
}

std::optional<Rect> AccessibilityElement::frame() const
{
    const auto origin = position();
    const auto extent = size();
    if (!origin || !extent)
        return std::nullopt;
    return Rect(*origin, *extent);
}

std::optional<std::uint32_t> AccessibilityElement::windowId() const
{
    const auto processId = pid();
    if (!processId)
        return std::nullopt;
    const auto origin = position();
    const auto extent = size();
    if (!origin || !extent)
        return std::nullopt;
    const auto windows = Platform::current().windowServer().windowList(
        WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements);
    if (!windows || windows->isEmpty())
        return std::nullopt;
    const Rect bounds(*origin, *extent);
    for (const WindowDescription& d : *windows) {
        if (d.ownerPid && *d.ownerPid == *processId && d.number && d.bounds && *d.bounds == bounds)
            return *d.number;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> AccessibilityElement::getWindowId() const
{
    if (const auto id = windowId())
        return id;
    const auto ownFrame = frame();
    const auto processId = pid();
    if (!processId || !ownFrame)
        return std::nullopt;
    for (const WindowInfo& info : WindowUtil::getWindowInfos(std::nullopt, false)) {
        if (info.pid == *processId && info.frame == *ownFrame)
            return info.id;
    }
    return std::nullopt;
}

std::optional<AccessibilityElement> AccessibilityElement::application() const
{
    if (isApplication().value_or(false))
        return *this;
    const auto processId = pid();
    if (!processId)
        return std::nullopt;
    return AccessibilityElement(ax().applicationElement(*processId));
}

std::optional<bool> AccessibilityElement::enhancedUserInterface() const
{
    ElementHandle app = element_;
    if (!isApplication().value_or(false)) {
        const auto processId = pid();
        if (!processId)
            return std::nullopt;
        app = ax().applicationElement(*processId);
    }
    return attribute<bool>(app, AXAttribute::enhancedUserInterface);
}

void AccessibilityElement::setEnhancedUserInterface(std::optional<bool> enabled) const
{
    if (!enabled)
        return;
    ElementHandle app = element_;
    if (!isApplication().value_or(false)) {
        const auto processId = pid();
        if (!processId)
            return;
        app = ax().applicationElement(*processId);
    }
    (void)ax().setAttribute(app, AXAttribute::enhancedUserInterface, *enabled);
}

AXError AccessibilityElement::setSize(Size size) const
{
    return ax().setAttribute(element_, AXAttribute::size, size);
}

AXError AccessibilityElement::setPosition(Point position) const
{
    return ax().setAttribute(element_, AXAttribute::position, position);
}

AXError AccessibilityElement::setFrame(const Rect& frame) const
{
    return ax().setAttribute(element_, AXAttribute::frame, frame);
}

std::optional<AccessibilityElement> AccessibilityElement::elementAtPosition(Point position)
{
    Accessibility& a = ax();
    const auto element = a.elementAtPosition(a.systemWide(), position);
    if (!element || !element->isValid())
        return std::nullopt;
    return AccessibilityElement(*element);
}

std::optional<AccessibilityElement> AccessibilityElement::windowElementUnderCursor()
{
    Platform& platform = Platform::current();
    const DisplayList screens = platform.displays().screens();
    if (screens.isEmpty())
        return std::nullopt;
    // The pivot is the top edge of the first display's frame.
    const Point pointer =
        flipToTopLeft(platform.inputMonitor().mouseLocation(), screens.first().frame.maxY());
    const auto element = elementAtPosition(pointer);
    if (!element)
        return std::nullopt;
    if (element->isWindow().value_or(false))
        return element;
    return element->getElementValue(AXAttribute::window);
}

std::optional<AccessibilityElement> AccessibilityElement::focusedWindow()
{
    Accessibility& a = ax();
    const auto focused =
        AccessibilityElement(a.systemWide()).getElementValue(AXAttribute::focusedUIElement);
    if (!focused)
        return std::nullopt;
    if (focused->isWindow().value_or(false))
        return focused;
    return focused->getElementValue(AXAttribute::window);
}

} // namespace corvane
