// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/FakePlatform.h"

#include "platform/KeyCodes.h"

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
    QPointF primaryOriginInGlobal() const override { return {0, 0}; }

private:
    FakePlatform& p_;
};

class FakeAccessibility : public Accessibility {
public:
    explicit FakeAccessibility(FakePlatform& p) : p_(p) {}
    ElementHandle systemWide() override { return p_.systemWide_; }
    std::optional<ElementHandle> elementAtPosition(ElementHandle systemWide,
                                                   Point position) override
    {
        ++p_.counters.elementAtPosition;
        if (!p_.trusted_ || systemWide != p_.systemWide_)
            return std::nullopt;
        return p_.hitTest(position);
    }
    AXAttributeResult copyAttribute(ElementHandle element, const QString& attribute) override
    {
        ++p_.counters.copyAttribute;
        return p_.read(element, attribute);
    }
    AXError setAttribute(ElementHandle element, const QString& attribute,
                         const AXValue& value) override
    {
        ++p_.counters.setAttribute;
        return p_.write(element, attribute, value);
    }
    std::optional<std::int32_t> pid(ElementHandle element) override
    {
        const auto* e = p_.element(element);
        if (!e || e->kind == FakePlatform::Kind::SystemWide)
            return std::nullopt;
        return e->pid;
    }
    ElementHandle applicationElement(std::int32_t pid) override
    {
        if (auto it = p_.applications_.find(pid); it != p_.applications_.end())
            return *it;
        // Like the real call, an application element can be made for any pid.
        return p_.addApplication(pid, QString());
    }
    bool isProcessTrusted(bool) override { return p_.trusted_; }
    QStringList applicationIdentifiers(ElementHandle element) override
    {
        const auto* e = p_.element(element);
        if (!e || e->destroyed)
            return {};
        const auto* w = p_.window(e->windowNumber);
        return w ? w->applicationIdentifiers : QStringList();
    }
    bool observeDestruction(ElementHandle element, DestructionHandler handler) override
    {
        const auto* e = p_.element(element);
        if (!e || e->destroyed || e->kind != FakePlatform::Kind::Window)
            return false;
        p_.destructionHandlers_.insert(element, std::move(handler));
        return true;
    }
    void stopObservingDestruction(ElementHandle element) override
    {
        p_.destructionHandlers_.remove(element);
    }
    bool reachesEveryWindow() const override { return p_.reachesEveryWindow_; }

private:
    FakePlatform& p_;
};

class FakeWindowServer : public WindowServer {
public:
    explicit FakeWindowServer(FakePlatform& p) : p_(p) {}
    std::optional<QList<WindowDescription>> windowList(unsigned options) override
    {
        ++p_.counters.windowList;
        QList<WindowDescription> result;
        for (const auto& w : p_.windows_) {
            if ((options & WindowListOption::onScreenOnly) && !w.onScreen)
                continue;
            if ((options & WindowListOption::excludeDesktopElements) && w.desktopElement)
                continue;
            result.append(describe(w));
        }
        return result;
    }
    std::optional<QList<WindowDescription>>
    describeWindows(const QList<std::uint32_t>& numbers) override
    {
        ++p_.counters.describeWindows;
        QList<WindowDescription> result;
        for (std::uint32_t n : numbers) {
            if (const auto* w = p_.window(n))
                result.append(describe(*w));
        }
        return result;
    }

private:
    static WindowDescription describe(const FakePlatform::Window& w)
    {
        return {w.number, w.layer, w.frame, w.pid, w.ownerName};
    }
    FakePlatform& p_;
};

class FakeInputMonitor : public InputMonitor {
public:
    explicit FakeInputMonitor(FakePlatform& p) : p_(p) {}
    MonitorId addGlobalMonitor(std::uint64_t eventMask, Handler handler) override
    {
        const int id = p_.nextMonitor_++;
        p_.monitors_[id] = {eventMask, std::move(handler)};
        return id;
    }
    void removeMonitor(MonitorId id) override { p_.monitors_.erase(id); }
    Point mouseLocation() const override { return p_.mouseLocation_; }
    std::uint64_t modifierFlags() const override { return p_.modifierFlags_; }
    void followKeys(const QList<int>& keyCodes) override { p_.followedKeys_ = keyCodes; }
    // The fake keyboard has every key a shortcut can be made of.
    bool canFollowKey(int keyCode) const override
    {
        return qtKeyForMacKeyCode(keyCode).has_value();
    }
    QList<int> heldKeys() const override { return p_.heldFollowedKeys(); }

private:
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
      accessibilityImpl_(std::make_unique<FakeAccessibility>(*this)),
      windowServerImpl_(std::make_unique<FakeWindowServer>(*this)),
      inputMonitorImpl_(std::make_unique<FakeInputMonitor>(*this)),
      hotKeysImpl_(std::make_unique<FakeHotKeys>(*this)),
      loginItemsImpl_(std::make_unique<FakeLoginItems>(*this)),
      workspaceImpl_(std::make_unique<FakeWorkspace>(*this)),
      compositingImpl_(std::make_unique<FakeCompositing>(*this)),
      sessionImpl_(std::make_unique<FakeSession>(*this))
{
    Element system;
    system.kind = Kind::SystemWide;
    systemWide_ = newElement(system);
}

FakePlatform::~FakePlatform() = default;

Displays& FakePlatform::displays()
{
    return *displaysImpl_;
}
Accessibility& FakePlatform::accessibility()
{
    return *accessibilityImpl_;
}
WindowServer& FakePlatform::windowServer()
{
    return *windowServerImpl_;
}
InputMonitor& FakePlatform::inputMonitor()
{
    return *inputMonitorImpl_;
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
    markIdenticalDisplays(displays_);
    if (!mainKey_ && !displays_.isEmpty())
        mainKey_ = displays_.first().key;
}

void FakePlatform::setMainDisplay(std::optional<QString> key)
{
    mainKey_ = std::move(key);
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

ElementHandle FakePlatform::newElement(Element element)
{
    const ElementHandle handle{nextElement_++};
    elements_[handle.value] = std::move(element);
    return handle;
}

FakePlatform::Element* FakePlatform::element(ElementHandle handle)
{
    auto it = elements_.find(handle.value);
    if (it == elements_.end() || it->second.destroyed)
        return nullptr;
    return &it->second;
}

ElementHandle FakePlatform::addApplication(std::int32_t pid, const QString&)
{
    if (auto it = applications_.find(pid); it != applications_.end())
        return *it;
    Element app;
    app.kind = Kind::Application;
    app.pid = pid;
    app.role = AXRole::application;
    const ElementHandle handle = newElement(app);
    applications_.insert(pid, handle);
    return handle;
}

ElementHandle FakePlatform::addWindow(std::int32_t pid, std::uint32_t number, Rect frame,
                                      std::optional<QString> ownerName)
{
    const ElementHandle app = addApplication(pid, ownerName.value_or(QString()));
    Element e;
    e.kind = Kind::Window;
    e.pid = pid;
    e.role = AXRole::window;
    e.frame = frame;
    e.parent = app;
    e.windowNumber = number;
    const ElementHandle handle = newElement(e);
    element(handle)->window = handle;
    Window w;
    w.number = number;
    w.pid = pid;
    w.frame = frame;
    w.ownerName = std::move(ownerName);
    w.element = handle;
    windows_.prepend(w);
    return handle;
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
        const ElementHandle handle = windows_[i].element;
        for (auto& [id, e] : elements_) {
            if (id == handle.value || e.window == handle)
                e.destroyed = true;
        }
        windows_.removeAt(i);
        if (const auto handler = destructionHandlers_.take(handle))
            handler(handle);
        return;
    }
}

void FakePlatform::raiseWindow(std::uint32_t number)
{
    for (qsizetype i = 0; i < windows_.size(); ++i) {
        if (windows_[i].number == number) {
            windows_.move(i, 0);
            return;
        }
    }
}

ElementHandle FakePlatform::addControl(ElementHandle parent, Rect frame, bool linksWindow)
{
    const Element* p = element(parent);
    Element e;
    e.kind = Kind::Control;
    e.pid = p ? p->pid : 0;
    e.role = AXRole::group;
    e.frame = frame;
    e.parent = parent;
    if (linksWindow && p)
        e.window = p->window;
    e.windowNumber = p ? p->windowNumber : 0;
    return newElement(e);
}

void FakePlatform::setRole(ElementHandle handle, std::optional<QString> role)
{
    if (auto* e = element(handle))
        e->role = std::move(role);
}

void FakePlatform::setUnreadable(ElementHandle handle, const QString& attribute, bool unreadable)
{
    if (auto* e = element(handle)) {
        if (unreadable)
            e->unreadable.insert(attribute);
        else
            e->unreadable.remove(attribute);
    }
}

void FakePlatform::setReadOnly(ElementHandle handle, const QString& attribute, bool readOnly)
{
    if (auto* e = element(handle)) {
        if (readOnly)
            e->readOnly.insert(attribute);
        else
            e->readOnly.remove(attribute);
    }
}

void FakePlatform::setEnhancedUserInterface(std::int32_t pid, std::optional<bool> value)
{
    enhancedUserInterface_[pid] = value;
}

std::optional<bool> FakePlatform::enhancedUserInterface(std::int32_t pid) const
{
    return enhancedUserInterface_.value(pid);
}

void FakePlatform::setMinimumWindowSize(std::uint32_t number, Size minimum)
{
    minimumSizes_[number] = minimum;
}

std::optional<ElementHandle> FakePlatform::hitTest(Point position)
{
    for (const Window& w : windows_) {
        if (!w.onScreen || !w.frame || !w.frame->contains(position))
            continue;
        // The smallest control of this window under the point is the deepest one.
        std::optional<ElementHandle> best;
        double bestArea = 0;
        for (const auto& [id, e] : elements_) {
            if (e.destroyed || e.kind != Kind::Control || e.windowNumber != w.number ||
                !e.frame.contains(position))
                continue;
            const double area = e.frame.width * e.frame.height;
            if (!best || area < bestArea) {
                best = ElementHandle{id};
                bestArea = area;
            }
        }
        return best ? *best : w.element;
    }
    return std::nullopt;
}

AXAttributeResult FakePlatform::read(ElementHandle handle, const QString& attribute)
{
    if (!trusted_)
        return {AXError::APIDisabled, {}};
    const Element* e = element(handle);
    if (!e)
        return {AXError::InvalidElement, {}};
    if (e->unreadable.contains(attribute))
        return {AXError::CannotComplete, {}};

    if (e->kind == Kind::SystemWide && attribute == AXAttribute::focusedUIElement) {
        if (!focused_.isValid())
            return {AXError::NoValue, {}};
        return {AXError::Success, focused_};
    }
    if (attribute == AXAttribute::role) {
        if (!e->role)
            return {AXError::AttributeUnsupported, {}};
        return {AXError::Success, *e->role};
    }
    if (attribute == AXAttribute::position || attribute == AXAttribute::size) {
        Rect frame = e->frame;
        if (e->kind == Kind::Window) {
            const Window* w = window(e->windowNumber);
            if (!w || !w->frame)
                return {AXError::NoValue, {}};
            frame = *w->frame;
        } else if (e->kind != Kind::Control) {
            return {AXError::AttributeUnsupported, {}};
        }
        if (attribute == AXAttribute::position)
            return {AXError::Success, frame.origin()};
        return {AXError::Success, frame.size()};
    }
    if (attribute == AXAttribute::window) {
        if (!e->window.isValid())
            return {AXError::AttributeUnsupported, {}};
        return {AXError::Success, e->window};
    }
    if (attribute == AXAttribute::parent) {
        if (!e->parent.isValid())
            return {AXError::NoValue, {}};
        return {AXError::Success, e->parent};
    }
    if (attribute == AXAttribute::enhancedUserInterface && e->kind == Kind::Application) {
        const auto value = enhancedUserInterface_.value(e->pid);
        if (!value)
            return {AXError::AttributeUnsupported, {}};
        return {AXError::Success, *value};
    }
    return {AXError::AttributeUnsupported, {}};
}

AXError FakePlatform::write(ElementHandle handle, const QString& attribute, const AXValue& value)
{
    if (!trusted_)
        return AXError::APIDisabled;
    Element* e = element(handle);
    if (!e)
        return AXError::InvalidElement;
    if (e->readOnly.contains(attribute))
        return AXError::CannotComplete;

    if (e->kind == Kind::Window &&
        (attribute == AXAttribute::position || attribute == AXAttribute::size)) {
        Window* w = window(e->windowNumber);
        if (!w)
            return AXError::InvalidElement;
        Rect frame = w->frame.value_or(Rect());
        if (const auto* p = std::get_if<Point>(&value); p && attribute == AXAttribute::position) {
            frame.x = p->x;
            frame.y = p->y;
        } else if (const auto* s = std::get_if<Size>(&value); s && attribute == AXAttribute::size) {
            const Size minimum = minimumSizes_.value(w->number);
            frame.width = std::max(s->width, minimum.width);
            frame.height = std::max(s->height, minimum.height);
        } else {
            return AXError::IllegalArgument;
        }
        w->frame = frame;
        writes_.append({handle, attribute});
        return AXError::Success;
    }
    if (e->kind == Kind::Application && attribute == AXAttribute::enhancedUserInterface) {
        const auto* b = std::get_if<bool>(&value);
        if (!b)
            return AXError::IllegalArgument;
        enhancedUserInterface_[e->pid] = *b;
        writes_.append({handle, attribute});
        return AXError::Success;
    }
    return AXError::AttributeUnsupported;
}

void FakePlatform::injectMouseEvent(MouseEventType type, std::uint64_t flags,
                                    std::optional<Point> location)
{
    if (location)
        mouseLocation_ = *location;
    modifierFlags_ = flags;
    MouseEvent event{type, flags, std::nullopt, mouseLocation_, heldFollowedKeys()};
    const std::uint64_t bit = std::uint64_t{1} << static_cast<int>(type);
    // Copy first: a handler may remove its monitor.
    const auto monitors = monitors_;
    for (const auto& [id, monitor] : monitors) {
        if (monitor.first & bit)
            monitor.second(event);
    }
}

QList<int> FakePlatform::heldFollowedKeys() const
{
    QList<int> held;
    for (int key : heldKeys_) {
        if (followedKeys_.contains(key))
            held.append(key);
    }
    return held;
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
