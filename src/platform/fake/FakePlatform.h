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

// A scriptable in-memory desktop for tests: displays, windows, the pointer and the keys, window
// moves and other window events, hot-key presses, a login-item store and a record of opened
// URLs.
class FakePlatform : public Platform {
public:
    struct Window {
        std::uint32_t number = 0;
        std::int32_t pid = 0;
        std::optional<Rect> frame = Rect(); // none: the window cannot be read
        QStringList application;            // what the window's application is known by
        bool normal = true;                 // not a dialog, a panel or the desktop
        std::optional<SizeLimits> limits;   // the sizes it takes when a frame is set
    };

    FakePlatform();
    ~FakePlatform() override;

    Displays& displays() override;
    WindowSystem& windowSystem() override;
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
    void emitScreenParametersChanged();
    void emitSleep();
    void emitWake();
    // A convenient display: frame and visible frame, a number and EDID values.
    static Display makeDisplay(const QString& key, Rect frame, Rect visibleFrame,
                               std::uint32_t number, std::uint32_t serial = 0);

    // Windows, front-most first; a new window goes in front and is reported opened.
    WindowHandle addWindow(std::int32_t pid, std::uint32_t number, Rect frame,
                           QStringList application = {});
    Window* window(std::uint32_t number);
    static WindowHandle handle(std::uint32_t number) { return {number}; }
    // The window is destroyed: every call on it fails, and it is reported closed.
    void removeWindow(std::uint32_t number);
    // The window the user works in (none: no window is active); the change is reported.
    void setActiveWindow(std::optional<std::uint32_t> number);
    // Every frame set, in order.
    QList<std::pair<WindowHandle, Rect>> writes() const { return writes_; }
    void setTrusted(bool trusted) { trusted_ = trusted; }
    void setReachesEveryWindow(bool reaches) { reachesEveryWindow_ = reaches; }

    // The pointer and the keys.
    void setHeldKeys(const HeldKeys& keys) { heldKeys_ = keys; }
    QList<int> followedKeys() const { return followedKeys_; }
    // Reports a window move: its start at the pointer (which moves there first), its steps and
    // its end. The window's frame at the start is its start frame.
    enum class MoveStage { Started, Stepped, Finished };
    void move(MoveStage stage, std::uint32_t number, std::optional<Point> pointer = std::nullopt);
    // The user resizes the window with the window manager: a step to `frame`, and the release.
    void resize(std::uint32_t number, Rect frame);
    void finishResize(std::uint32_t number);
    // A drag on the window that the window manager did not move, from `from` to `to`.
    void dragWithoutMove(std::uint32_t number, Point from, Point to);

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

private:
    friend class FakeDisplays;
    friend class FakeWindowSystem;
    friend class FakeHotKeys;
    friend class FakeLoginItems;
    friend class FakeWorkspace;
    friend class FakeCompositing;
    friend class FakeSession;

    struct HotKey {
        int keyCode;
        int modifiers;
    };

    HeldKeys followedHeldKeys() const;
    // What a move reports now: the pointer and the held keys (the followed ones only).
    WindowMove moveOf(std::uint32_t number) const;

    DisplayList displays_;
    std::optional<QString> mainKey_;
    QList<Window> windows_; // front-most first
    std::optional<std::uint32_t> active_;
    QList<std::pair<WindowHandle, Rect>> writes_;
    bool trusted_ = true;
    bool reachesEveryWindow_ = true;
    std::optional<Rect> moveStartFrame_;

    Point pointer_;
    HeldKeys heldKeys_;
    QList<int> followedKeys_;

    std::map<std::uint32_t, HotKey> hotKeys_;
    QList<std::pair<int, int>> heldElsewhere_;

    LoginItemStatus loginStatus_ = LoginItemStatus::NotRegistered;
    bool loginRefuse_ = false;
    bool refuseUrls_ = false;
    QList<QUrl> openedUrls_;
    bool compositingActive_ = true;

    std::unique_ptr<Displays> displaysImpl_;
    std::unique_ptr<WindowSystem> windowSystemImpl_;
    std::unique_ptr<HotKeys> hotKeysImpl_;
    std::unique_ptr<LoginItems> loginItemsImpl_;
    std::unique_ptr<Workspace> workspaceImpl_;
    std::unique_ptr<Compositing> compositingImpl_;
    std::unique_ptr<Session> sessionImpl_;
    WindowManagerInfo windowManager_;
    FakeVirtualDesktops virtualDesktops_;
};

} // namespace corvane
