// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakePlatform.h"

#include "platform/KeyCodes.h"

#include <QCoreApplication>
#include <algorithm>

namespace corvane {

class FakeDisplays : public Displays {
public:
    explicit FakeDisplays(FakePlatform& p) : p_(p) {}
    DisplayList screens() const override { return p_.displays_; }
    std::optional<Display> mainScreen() const override
    {
        if (!p_.mainKey_)
            return std::nullopt;
        for (const Display& d : p_.displays_) {
            if (d.key == *p_.mainKey_)
                return d;
        }
        return std::nullopt;
    }

private:
    FakePlatform& p_;
};

class FakeWindowSystem : public WindowSystem {
public:
    explicit FakeWindowSystem(FakePlatform& p) : p_(p) {}
    bool canMoveWindows() override { return p_.trusted_; }
    bool reachesEveryWindow() const override { return p_.reachesEveryWindow_; }
    std::optional<WindowHandle> windowAt(Point point) override
    {
        if (!p_.trusted_)
            return std::nullopt;
        for (const auto& w : p_.windows_) {
            if (w.frame && w.frame->contains(point))
                return FakePlatform::handle(w.number);
        }
        return std::nullopt;
    }
    std::optional<Rect> frame(WindowHandle window) override
    {
        const auto* w = p_.trusted_ ? find(window) : nullptr;
        return w ? w->frame : std::nullopt;
    }
    WindowResult setFrame(WindowHandle window, const Rect& frame) override
    {
        if (!p_.trusted_)
            return WindowResult::Unavailable;
        auto* w = find(window);
        if (!w)
            return WindowResult::Gone;
        // Like a window manager, which keeps the frame's corner where it was asked.
        w->frame = w->limits ? Rect(frame.origin(), w->limits->accepted(frame.size())) : frame;
        p_.writes_.append({window, frame});
        return WindowResult::Done;
    }
    std::optional<SizeLimits> sizeLimits(WindowHandle window) override
    {
        const auto* w = p_.trusted_ ? find(window) : nullptr;
        return w ? w->limits : std::nullopt;
    }
    std::optional<WindowHandle> activeWindow() override
    {
        if (!p_.trusted_ || !p_.active_ || !p_.window(*p_.active_))
            return std::nullopt;
        return FakePlatform::handle(*p_.active_);
    }
    QStringList application(WindowHandle window) override
    {
        const auto* w = find(window);
        return w ? w->application : QStringList();
    }
    QList<WindowHandle> windows() override
    {
        QList<WindowHandle> result;
        for (const auto& w : p_.windows_) {
            if (w.normal)
                result.append(FakePlatform::handle(w.number));
        }
        return result;
    }
    bool isNormalWindow(WindowHandle window) override
    {
        const auto* w = find(window);
        return w && w->normal &&
               w->pid != static_cast<std::int32_t>(QCoreApplication::applicationPid());
    }
    WindowResult activate(WindowHandle window) override
    {
        if (!p_.trusted_)
            return WindowResult::Unavailable;
        if (!find(window))
            return WindowResult::Gone;
        p_.setActiveWindow(static_cast<std::uint32_t>(window.value));
        return WindowResult::Done;
    }
    Point pointer() const override { return p_.pointer_; }
    void followKeys(const QList<int>& keyCodes) override { p_.followedKeys_ = keyCodes; }
    // The fake keyboard has every key a shortcut can be made of.
    bool canFollowKey(int keyCode) const override
    {
        return qtKeyForMacKeyCode(keyCode).has_value();
    }
    std::optional<HeldKeys> heldKeys() const override { return p_.followedHeldKeys(); }

private:
    FakePlatform::Window* find(WindowHandle window)
    {
        return window.value <= 0xffffffffu ? p_.window(static_cast<std::uint32_t>(window.value))
                                           : nullptr;
    }
    FakePlatform& p_;
};

class FakeHotKeys : public HotKeys {
public:
    explicit FakeHotKeys(FakePlatform& p) : p_(p) {}
    HotKeyStatus registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id) override
    {
        if (p_.heldElsewhere_.contains(std::pair{keyCode, carbonModifiers}))
            return HotKeyStatus::AlreadyTaken;
        p_.hotKeys_[id] = {keyCode, carbonModifiers};
        return HotKeyStatus::Success;
    }
    void unregisterHotKey(std::uint32_t id) override { p_.hotKeys_.erase(id); }
    void press(std::uint32_t id)
    {
        emit pressed(id);
        emit released(id);
    }

private:
    FakePlatform& p_;
};

class FakeLoginItems : public LoginItems {
public:
    explicit FakeLoginItems(FakePlatform& p) : p_(p) {}
    LoginItemStatus status() const override { return p_.loginStatus_; }
    bool registerItem(QString* error) override { return change(LoginItemStatus::Enabled, error); }
    bool unregisterItem(QString* error) override
    {
        return change(LoginItemStatus::NotRegistered, error);
    }

private:
    bool change(LoginItemStatus status, QString* error)
    {
        if (p_.loginRefuse_) {
            if (error)
                *error = QStringLiteral("refused by the test");
            return false;
        }
        p_.loginStatus_ = status;
        return true;
    }
    FakePlatform& p_;
};

class FakeWorkspace : public Workspace {
public:
    explicit FakeWorkspace(FakePlatform& p) : p_(p) {}
    bool openUrl(const QUrl& url) override
    {
        if (p_.refuseUrls_)
            return false;
        p_.openedUrls_.append(url);
        return true;
    }

private:
    FakePlatform& p_;
};

class FakeCompositing : public Compositing {
public:
    explicit FakeCompositing(FakePlatform& p) : p_(p) {}
    bool isActive() const override { return p_.compositingActive_; }

private:
    FakePlatform& p_;
};

class FakeSession : public Session {
public:
    explicit FakeSession(FakePlatform& p) : p_(p) {}
    SessionAccess access() const override
    {
        if (p_.trusted_)
            return {true,
                    QStringLiteral("Corvane can see and move windows"),
                    QStringLiteral("The test desktop lets Corvane move its windows."),
                    {}};
        return {false, QStringLiteral("Corvane cannot see or move windows"),
                QStringLiteral("The test desktop refuses."),
                QStringLiteral("Trust Corvane in the test desktop.")};
    }
    WindowManagerInfo windowManager() const override { return p_.windowManager_; }

private:
    FakePlatform& p_;
};

FakePlatform::FakePlatform()
    : displaysImpl_(std::make_unique<FakeDisplays>(*this)),
      windowSystemImpl_(std::make_unique<FakeWindowSystem>(*this)),
      hotKeysImpl_(std::make_unique<FakeHotKeys>(*this)),
      loginItemsImpl_(std::make_unique<FakeLoginItems>(*this)),
      workspaceImpl_(std::make_unique<FakeWorkspace>(*this)),
      compositingImpl_(std::make_unique<FakeCompositing>(*this)),
      sessionImpl_(std::make_unique<FakeSession>(*this))
{}

FakePlatform::~FakePlatform() = default;

Displays& FakePlatform::displays()
{
    return *displaysImpl_;
}
WindowSystem& FakePlatform::windowSystem()
{
    return *windowSystemImpl_;
}
HotKeys& FakePlatform::hotKeys()
{
    return *hotKeysImpl_;
}
LoginItems& FakePlatform::loginItems()
{
    return *loginItemsImpl_;
}
Workspace& FakePlatform::workspace()
{
    return *workspaceImpl_;
}
Compositing& FakePlatform::compositing()
{
    return *compositingImpl_;
}
Session& FakePlatform::session()
{
    return *sessionImpl_;
}

void FakePlatform::setCompositingActive(bool active)
{
    if (active == compositingActive_)
        return;
    compositingActive_ = active;
    emit compositingImpl_->activeChanged(active);
}

void FakePlatform::setDisplays(const DisplayList& displays)
{
    displays_ = displays;
    for (qsizetype i = 0; i < displays_.size(); ++i) {
        if (displays_[i].key.isEmpty())
            displays_[i].key = QStringLiteral("display-%1").arg(i);
    }
    setIdentityFrames(displays_);
    markIdenticalDisplays(displays_);
    if (!mainKey_ && !displays_.isEmpty())
        mainKey_ = displays_.first().key;
}

void FakePlatform::emitScreenParametersChanged()
{
    emit displaysImpl_->screenParametersChanged();
}

void FakePlatform::emitSleep()
{
    emit displaysImpl_->screensDidSleep();
}

void FakePlatform::emitWake()
{
    emit displaysImpl_->screensDidWake();
}

Display FakePlatform::makeDisplay(const QString& key, Rect frame, Rect visibleFrame,
                                  std::uint32_t number, std::uint32_t serial)
{
    Display d;
    d.key = key;
    d.number = number;
    d.frame = frame;
    d.visibleFrame = visibleFrame;
    d.localizedName = key;
    d.vendor = 0x10ac;
    d.model = 0x4000 + number;
    d.serial = serial;
    return d;
}

WindowHandle FakePlatform::addWindow(std::int32_t pid, std::uint32_t number, Rect frame,
                                     QStringList application)
{
    Window w;
    w.number = number;
    w.pid = pid;
    w.frame = frame;
    w.application = std::move(application);
    windows_.prepend(w);
    emit windowSystemImpl_->windowOpened(handle(number));
    return handle(number);
}

FakePlatform::Window* FakePlatform::window(std::uint32_t number)
{
    for (auto& w : windows_) {
        if (w.number == number)
            return &w;
    }
    return nullptr;
}

void FakePlatform::removeWindow(std::uint32_t number)
{
    for (qsizetype i = 0; i < windows_.size(); ++i) {
        if (windows_[i].number != number)
            continue;
        windows_.removeAt(i);
        emit windowSystemImpl_->windowClosed(handle(number));
        return;
    }
}

void FakePlatform::setActiveWindow(std::optional<std::uint32_t> number)
{
    active_ = number;
    emit windowSystemImpl_->activeWindowChanged();
}

HeldKeys FakePlatform::followedHeldKeys() const
{
    HeldKeys keys{heldKeys_.modifiers, {}};
    for (int key : heldKeys_.keys) {
        if (followedKeys_.contains(key))
            keys.keys.append(key);
    }
    return keys;
}

WindowMove FakePlatform::moveOf(std::uint32_t number) const
{
    WindowMove move;
    move.window = handle(number);
    move.pointer = pointer_;
    move.keys = followedHeldKeys();
    return move;
}

void FakePlatform::move(MoveStage stage, std::uint32_t number, std::optional<Point> pointer)
{
    if (pointer)
        pointer_ = *pointer;
    auto& windows = static_cast<FakeWindowSystem&>(*windowSystemImpl_);
    WindowMove m = moveOf(number);
    if (stage == MoveStage::Started) {
        const Window* w = window(number);
        moveStartFrame_ = w && w->frame ? *w->frame : Rect();
    }
    m.startFrame = moveStartFrame_.value_or(Rect());
    switch (stage) {
    case MoveStage::Started:
        emit windows.moveStarted(m);
        break;
    case MoveStage::Stepped:
        emit windows.moveStepped(m);
        break;
    case MoveStage::Finished:
        moveStartFrame_.reset();
        emit windows.moveFinished(m);
        break;
    }
}

void FakePlatform::resize(std::uint32_t number, Rect frame)
{
    Window* w = window(number);
    if (!w)
        return;
    w->frame = frame;
    emit static_cast<FakeWindowSystem&>(*windowSystemImpl_).windowResized(handle(number), frame);
}

void FakePlatform::finishResize(std::uint32_t number)
{
    const Window* w = window(number);
    if (w && w->frame)
        emit static_cast<FakeWindowSystem&>(*windowSystemImpl_)
            .resizeFinished(handle(number), *w->frame);
}

void FakePlatform::dragWithoutMove(std::uint32_t number, Point from, Point to)
{
    auto& windows = static_cast<FakeWindowSystem&>(*windowSystemImpl_);
    pointer_ = from;
    WindowMove press = moveOf(number);
    const Window* w = window(number);
    press.startFrame = w && w->frame ? *w->frame : Rect();
    pointer_ = to;
    WindowMove release = moveOf(number);
    release.startFrame = press.startFrame;
    emit windows.dragMovedNoWindow(press, release);
}

void FakePlatform::pressHotKey(int keyCode, int carbonModifiers)
{
    for (const auto& [id, key] : hotKeys_) {
        if (key.keyCode == keyCode && key.modifiers == carbonModifiers) {
            static_cast<FakeHotKeys&>(*hotKeysImpl_).press(id);
            return;
        }
    }
}

void FakePlatform::holdByAnotherClient(int keyCode, int carbonModifiers)
{
    heldElsewhere_.append({keyCode, carbonModifiers});
}

QList<std::pair<int, int>> FakePlatform::registeredHotKeys() const
{
    QList<std::pair<int, int>> result;
    for (const auto& [id, key] : hotKeys_)
        result.append({key.keyCode, key.modifiers});
    return result;
}

} // namespace corvane
