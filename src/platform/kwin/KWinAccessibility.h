// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Accessibility.h"

#include <QHash>

namespace corvane {

class KWinBridge;
class KWinDisplays;

// KWin's windows as accessibility elements: a window element's position and size are its frame,
// decorations included, as KWin last reported it; setting them asks KWin's script to set the
// frame. Wayland windows have no controls to look into: the element at a point is the window
// there (the one being moved, during a move). The focused element is the window KWin has
// active. Corvane's own overlays are never found.
class KWinAccessibility : public Accessibility {
public:
    KWinAccessibility(KWinBridge& bridge, const KWinDisplays& displays);

    ElementHandle systemWide() override;
    std::optional<ElementHandle> elementAtPosition(ElementHandle systemWide,
                                                   Point position) override;
    AXAttributeResult copyAttribute(ElementHandle element, const QString& attribute) override;
    AXError setAttribute(ElementHandle element, const QString& attribute,
                         const AXValue& value) override;
    std::optional<std::int32_t> pid(ElementHandle element) override;
    ElementHandle applicationElement(std::int32_t pid) override;
    // Trusted while Corvane's script runs in KWin.
    bool isProcessTrusted(bool prompt) override;
    // The window's class (its Wayland app id or X11 class) and its process's name.
    QStringList applicationIdentifiers(ElementHandle element) override;
    // A window is gone once KWin's script no longer lists it.
    bool observeDestruction(ElementHandle element, DestructionHandler handler) override;
    void stopObservingDestruction(ElementHandle element) override;
    bool hasEnhancedUserInterface() const override { return false; }

    static ElementHandle windowElement(std::uint32_t number);

private:
    void checkDestroyed();

    KWinBridge& bridge_;
    QHash<std::uint64_t, DestructionHandler> watched_;
    const KWinDisplays& displays_;
};

} // namespace corvane
