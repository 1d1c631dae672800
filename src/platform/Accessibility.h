// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QHashFunctions>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <variant>

namespace corvane {

// A copyable handle on one element of another application's accessibility tree (an
// application, a window or a control). What the value means is the backend's business; 0 is
// no element.
struct ElementHandle {
    std::uint64_t value = 0;

    bool isValid() const { return value != 0; }
    friend bool operator==(const ElementHandle&, const ElementHandle&) = default;
};

inline size_t qHash(const ElementHandle& e, size_t seed = 0)
{
    return ::qHash(static_cast<quint64>(e.value), seed);
}

enum class AXError {
    Success = 0,
    Failure,
    IllegalArgument,
    InvalidElement,
    AttributeUnsupported,
    NoValue,
    CannotComplete,
    APIDisabled, // the process is not trusted
};

// What an attribute can hold: nothing, an element, a boxed point, size or rectangle, text or a
// bool.
using AXValue = std::variant<std::monostate, ElementHandle, Point, Size, QString, bool, Rect>;

struct AXAttributeResult {
    AXError error = AXError::Success;
    AXValue value;
};

namespace AXAttribute {
inline const QString role = QStringLiteral("AXRole");
inline const QString position = QStringLiteral("AXPosition");
inline const QString size = QStringLiteral("AXSize");
// Position and size at once, where the desktop can set both in one step; a backend that cannot
// answers AttributeUnsupported and the caller sets the size and the position.
inline const QString frame = QStringLiteral("AXFrame");
inline const QString window = QStringLiteral("AXWindow");
inline const QString parent = QStringLiteral("AXParent");
inline const QString enhancedUserInterface = QStringLiteral("AXEnhancedUserInterface");
// Of the system-wide element: the element with the keyboard focus; its "AXWindow" is the window
// the user is working in.
inline const QString focusedUIElement = QStringLiteral("AXFocusedUIElement");
} // namespace AXAttribute

namespace AXRole {
inline const QString application = QStringLiteral("AXApplication");
inline const QString window = QStringLiteral("AXWindow");
inline const QString group = QStringLiteral("AXGroup");
} // namespace AXRole

// Reading and moving other applications' windows. Positions are in accessibility space.
class Accessibility {
public:
    virtual ~Accessibility() = default;

    virtual ElementHandle systemWide() = 0;
    // The deepest element at the point; an error gives none.
    virtual std::optional<ElementHandle> elementAtPosition(ElementHandle systemWide,
                                                           Point position) = 0;
    virtual AXAttributeResult copyAttribute(ElementHandle element, const QString& attribute) = 0;
    virtual AXError setAttribute(ElementHandle element, const QString& attribute,
                                 const AXValue& value) = 0;
    virtual std::optional<std::int32_t> pid(ElementHandle element) = 0;
    virtual ElementHandle applicationElement(std::int32_t pid) = 0;
    virtual bool isProcessTrusted(bool prompt) = 0;

    // The names the desktop gives the application of a window element, as the system's own
    // tools show them to the user, the most specific first and the one all the application's
    // windows share last; empty when it has none or the window is gone.
    virtual QStringList applicationIdentifiers(ElementHandle) { return {}; }

    // Calls `handler` once, on the GUI thread, when the element's window is destroyed, as the
    // system's element-destroyed notification would. False when it cannot be watched: it is no
    // window, it is gone already, or the backend cannot tell. Watching an element again replaces
    // its handler.
    using DestructionHandler = std::function<void(ElementHandle)>;
    virtual bool observeDestruction(ElementHandle, DestructionHandler) { return false; }
    virtual void stopObservingDestruction(ElementHandle) {}
    // Whether every window of the session can be read and moved once trusted; false where the
    // backend sees only some of them (X11 windows inside a Wayland session).
    virtual bool reachesEveryWindow() const { return true; }
    // Whether an application here can have the enhanced interface ("AXEnhancedUserInterface")
    // that a snap switches off for the move. Where none can, a snap does not look the window's
    // application up: on X that lookup is three round trips to the server on every release.
    virtual bool hasEnhancedUserInterface() const { return true; }
};

} // namespace corvane
