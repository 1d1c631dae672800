// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"
#include "platform/fake/FakeVirtualDesktops.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QUrl>
#include <map>
#include <memory>

namespace corvane {

// A scriptable in-memory desktop for tests: displays, applications, windows with element trees,
// injected mouse events, hot-key presses, a login-item store and a record of opened URLs, with
// counters of the calls made to it.
class FakePlatform : public Platform {
public:
    struct Counters {
        int windowList = 0;
        int describeWindows = 0;
        int copyAttribute = 0;
        int setAttribute = 0;
        int elementAtPosition = 0;
    };

    struct Window {
        std::uint32_t number = 0;
        std::int32_t pid = 0;
        std::int32_t layer = 0;
        std::optional<Rect> frame = Rect(); // accessibility space; none: the server gives no bounds
        std::optional<QString> ownerName;
        QStringList applicationIdentifiers; // what the window's application is known by
        bool onScreen = true;
        bool desktopElement = false;
        ElementHandle element; // its accessibility element
    };

    FakePlatform();
    ~FakePlatform() override;

    Displays& displays() override;
    Accessibility& accessibility() override;
    WindowServer& windowServer() override;
    InputMonitor& inputMonitor() override;
    HotKeys& hotKeys() override;
    LoginItems& loginItems() override;
    Workspace& workspace() override;
    Compositing& compositing() override;
    Session& session() override;
    VirtualDesktops& virtualDesktops() override { return virtualDesktops_; }
    FakeVirtualDesktops& fakeDesktops() { return virtualDesktops_; }

    // Displays. Keys default to "display-<index>" when left empty.
    void setDisplays(const DisplayList& displays);
    DisplayList displayList() const { return displays_; }
    void setMainDisplay(std::optional<QString> key);
    void emitScreenParametersChanged();
    void emitSleep();
    void emitWake();
    // A convenient display: frame and visible frame in screen space, a number and EDID values.
    static Display makeDisplay(const QString& key, Rect frame, Rect visibleFrame,
                               std::uint32_t number, std::uint32_t serial = 0);

    // Applications and windows. Windows are kept front-most first; a new window goes in front.
    ElementHandle addApplication(std::int32_t pid, const QString& name);
    ElementHandle addWindow(std::int32_t pid, std::uint32_t number, Rect frame,
                            std::optional<QString> ownerName = std::nullopt);
    Window* window(std::uint32_t number);
    // The window is destroyed: every call on it fails, and its destruction is reported.
    void removeWindow(std::uint32_t number);
    void raiseWindow(std::uint32_t number);
    // A control inside `parent`. With `linksWindow` false it has only "AXParent".
    ElementHandle addControl(ElementHandle parent, Rect frame, bool linksWindow = true);
    // Scripting of single attributes.
    void setRole(ElementHandle element, std::optional<QString> role);
    void setUnreadable(ElementHandle element, const QString& attribute, bool unreadable = true);
    void setReadOnly(ElementHandle element, const QString& attribute, bool readOnly = true);
    void setEnhancedUserInterface(std::int32_t pid, std::optional<bool> value);
    std::optional<bool> enhancedUserInterface(std::int32_t pid) const;
    // Every successful attribute write, in order: (element, attribute).
    QList<std::pair<ElementHandle, QString>> writes() const { return writes_; }
    void setTrusted(bool trusted) { trusted_ = trusted; }
    // The element with the keyboard focus (an empty handle: none).
    void setFocusedElement(ElementHandle element) { focused_ = element; }
    bool trusted() const { return trusted_; }
    void setReachesEveryWindow(bool reaches) { reachesEveryWindow_ = reaches; }
    // Applications move windows in whole points; a set frame is kept exactly unless this says
    // otherwise (for tests of windows that refuse a size).
    void setMinimumWindowSize(std::uint32_t number, Size minimum);

    // Input.
    void setMouseLocation(Point location) { mouseLocation_ = location; }
    void setModifierFlags(std::uint64_t flags) { modifierFlags_ = flags; }
    // The keys other than modifiers held down (macOS key codes); events report the followed ones.
    void setHeldKeys(const QList<int>& keyCodes) { heldKeys_ = keyCodes; }
    QList<int> followedKeys() const { return followedKeys_; }
    // Delivers to every monitor whose mask holds the event; the location becomes the pointer's.
    void injectMouseEvent(MouseEventType type, std::uint64_t flags,
                          std::optional<Point> location = std::nullopt);
    int monitorCount() const { return static_cast<int>(monitors_.size()); }

    // Hot keys.
    void pressHotKey(int keyCode, int carbonModifiers); // press then release, if registered
    void holdByAnotherClient(int keyCode, int carbonModifiers);
    QList<std::pair<int, int>> registeredHotKeys() const;

    // Login item and workspace.
    void setLoginItemStatus(LoginItemStatus status) { loginStatus_ = status; }
    void setLoginItemsRefuse(bool refuse) { loginRefuse_ = refuse; }
    void setRefuseUrls(bool refuse) { refuseUrls_ = refuse; }
    QList<QUrl> openedUrls() const { return openedUrls_; }

    // A compositing manager starts (true, the default) or stops.
    void setCompositingActive(bool active);
    // The window manager the session reports (none by default).
    void setWindowManager(const WindowManagerInfo& info) { windowManager_ = info; }

    Counters counters;

private:
    friend class FakeDisplays;
    friend class FakeAccessibility;
    friend class FakeWindowServer;
    friend class FakeInputMonitor;
    friend class FakeHotKeys;
    friend class FakeLoginItems;
    friend class FakeWorkspace;
    friend class FakeCompositing;
    friend class FakeSession;

    enum class Kind { SystemWide, Application, Window, Control };
    struct Element {
        Kind kind = Kind::Control;
        std::int32_t pid = 0;
        std::optional<QString> role;
        Rect frame;
        ElementHandle parent;
        ElementHandle window;
        std::uint32_t windowNumber = 0;
        QSet<QString> unreadable;
        QSet<QString> readOnly;
        bool destroyed = false;
    };
    struct HotKey {
        int keyCode;
        int modifiers;
    };

    ElementHandle newElement(Element element);
    QList<int> heldFollowedKeys() const;
    Element* element(ElementHandle handle);
    std::optional<ElementHandle> hitTest(Point position);
    AXAttributeResult read(ElementHandle handle, const QString& attribute);
    AXError write(ElementHandle handle, const QString& attribute, const AXValue& value);

    DisplayList displays_;
    std::optional<QString> mainKey_;
    std::map<std::uint64_t, Element> elements_;
    std::uint64_t nextElement_ = 1;
    QList<Window> windows_; // front-most first
    QHash<std::int32_t, ElementHandle> applications_;
    QHash<std::int32_t, std::optional<bool>> enhancedUserInterface_;
    QHash<std::uint32_t, Size> minimumSizes_;
    QList<std::pair<ElementHandle, QString>> writes_;
    QHash<ElementHandle, Accessibility::DestructionHandler> destructionHandlers_;
    ElementHandle systemWide_;
    ElementHandle focused_;
    bool trusted_ = true;
    bool reachesEveryWindow_ = true;

    Point mouseLocation_;
    std::uint64_t modifierFlags_ = 0;
    QList<int> heldKeys_;
    QList<int> followedKeys_;
    std::map<int, std::pair<std::uint64_t, InputMonitor::Handler>> monitors_;
    int nextMonitor_ = 1;

    std::map<std::uint32_t, HotKey> hotKeys_;
    QList<std::pair<int, int>> heldElsewhere_;

    LoginItemStatus loginStatus_ = LoginItemStatus::NotRegistered;
    bool loginRefuse_ = false;
    bool refuseUrls_ = false;
    QList<QUrl> openedUrls_;
    bool compositingActive_ = true;

    std::unique_ptr<Displays> displaysImpl_;
    std::unique_ptr<Accessibility> accessibilityImpl_;
    std::unique_ptr<WindowServer> windowServerImpl_;
    std::unique_ptr<InputMonitor> inputMonitorImpl_;
    std::unique_ptr<HotKeys> hotKeysImpl_;
    std::unique_ptr<LoginItems> loginItemsImpl_;
    std::unique_ptr<Workspace> workspaceImpl_;
    std::unique_ptr<Compositing> compositingImpl_;
    std::unique_ptr<Session> sessionImpl_;
    WindowManagerInfo windowManager_;
    FakeVirtualDesktops virtualDesktops_;
};

} // namespace corvane
