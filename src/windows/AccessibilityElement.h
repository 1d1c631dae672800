// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Accessibility.h"

#include <cstdint>
#include <optional>

namespace corvane {

// One element of another application's accessibility tree (an application, a window or a
// control). Every read that fails answers none; nothing here logs or throws.
class AccessibilityElement {
public:
    explicit AccessibilityElement(ElementHandle element) : element_(element) {}
    virtual ~AccessibilityElement() = default;
    AccessibilityElement(const AccessibilityElement&) = default;
    AccessibilityElement& operator=(const AccessibilityElement&) = default;

    ElementHandle wrappedElement() const { return element_; }

    // The attribute's value when it is an element, wrapped in a new base-class wrapper.
    std::optional<AccessibilityElement> getElementValue(const QString& attribute) const;
    std::optional<bool> isApplication() const;
    std::optional<bool> isWindow() const;
    std::optional<Size> size() const;
    // Position and size, accessibility space; none when either cannot be read.
    virtual std::optional<Rect> frame() const;
    // The number of the on-screen window whose owner and bounds match this element exactly.
    virtual std::optional<std::uint32_t> windowId() const;
    // windowId, else the first cached window record of this process with exactly this frame.
    std::optional<std::uint32_t> getWindowId() const;
    std::optional<AccessibilityElement> application() const;
    std::optional<bool> enhancedUserInterface() const;
    // None changes nothing; the write's result is ignored.
    void setEnhancedUserInterface(std::optional<bool> enabled) const;

    // Writes used by a snap; results are ignored by callers that only try.
    AXError setSize(Size size) const;
    AXError setPosition(Point position) const;
    // Both at once; AttributeUnsupported where the desktop cannot.
    AXError setFrame(const Rect& frame) const;

    static std::optional<AccessibilityElement> elementAtPosition(Point position);
    // The window under the pointer: the element there when it is a window, else its "AXWindow".
    static std::optional<AccessibilityElement> windowElementUnderCursor();
    // The window the user is working in: the one holding the focused element; none when no
    // window has the focus.
    static std::optional<AccessibilityElement> focusedWindow();

    friend bool operator==(const AccessibilityElement& a, const AccessibilityElement& b)
    {
        return a.element_ == b.element_;
    }

protected:
    std::optional<Point> position() const;
    std::optional<std::int32_t> pid() const;

private:
    std::optional<QString> role() const;

    ElementHandle element_;
};

inline size_t qHash(const AccessibilityElement& e, size_t seed = 0)
{
    return qHash(e.wrappedElement(), seed);
}

} // namespace corvane
