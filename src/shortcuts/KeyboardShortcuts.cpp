// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcuts/KeyboardShortcuts.h"

#include "logging/Logger.h"
#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

namespace corvane {
namespace {

// What the store holds for a name.
struct Stored {
    enum class State { Absent, Cleared, Valid, Unreadable };
    State state = State::Absent;
    std::optional<Shortcut> shortcut;
};

// The key codes of the digit keys 1 to 9 (they are not in order).
constexpr int digitKeyCodes[] = {18, 19, 20, 21, 23, 22, 26, 28, 25};

Stored readStored(const KeyboardShortcuts::Name& name)
{
    const auto text = Settings::string(KeyboardShortcuts::settingsKey(name));
    if (!text)
        return {};
    if (text->trimmed() == KeyboardShortcuts::clearedText)
        return {Stored::State::Cleared, std::nullopt};
    if (const auto shortcut = Shortcut::fromJson(text->toUtf8()))
        return {Stored::State::Valid, shortcut};
    return {Stored::State::Unreadable, std::nullopt};
}

// Ids are unique across every facility of the process, so that a facility created after another
// (tests do this) never takes over a registration that is still being let go.
std::uint32_t nextHotKeyId()
{
    static std::uint32_t last = 0;
    return ++last;
}

QString statusText(HotKeyStatus status)
{
    switch (status) {
    case HotKeyStatus::Success:
        return QStringLiteral("success");
    case HotKeyStatus::AlreadyTaken:
        return QStringLiteral("held by another application");
    case HotKeyStatus::InvalidKey:
        return QStringLiteral("invalid key");
    case HotKeyStatus::Failed:
        break;
    }
    return QStringLiteral("failed");
}

} // namespace

KeyboardShortcuts::Name KeyboardShortcuts::Name::openPreferences()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("openPreferences"), Shortcut{35, control | shift | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::moveWindowToNextZone()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("moveWindowToNextZone"), Shortcut{124, control | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::moveWindowToPreviousZone()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("moveWindowToPreviousZone"), Shortcut{123, control | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::moveWindowUp()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("moveWindowUp"), Shortcut{126, control | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::moveWindowDown()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("moveWindowDown"), Shortcut{125, control | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::activateNextWindowInZone()
{
    using namespace CarbonModifier;
    // Page Down is key code 121, Page Up 116.
    return Name(QStringLiteral("activateNextWindowInZone"), Shortcut{121, control | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::activatePreviousWindowInZone()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("activatePreviousWindowInZone"), Shortcut{116, control | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::snapAllWindows()
{
    return Name(QStringLiteral("snapAllWindows"));
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::moveWindowToZone(int number)
{
    using namespace CarbonModifier;
    const bool hasDefault = number >= 1 && number <= 9;
    return Name(QStringLiteral("moveWindowToZone%1").arg(number),
                hasDefault ? std::optional(Shortcut{digitKeyCodes[number - 1], control | command})
                           : std::nullopt);
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::applyLayout(int key)
{
    using namespace CarbonModifier;
    const bool hasDefault = key >= 1 && key <= 9;
    return Name(QStringLiteral("applyLayout%1").arg(key),
                hasDefault
                    ? std::optional(Shortcut{digitKeyCodes[key - 1], control | option | command})
                    : std::nullopt);
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::applyNextLayout()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("applyNextLayout"), Shortcut{124, control | option | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::applyPreviousLayout()
{
    using namespace CarbonModifier;
    return Name(QStringLiteral("applyPreviousLayout"), Shortcut{123, control | option | command});
}

KeyboardShortcuts::Name KeyboardShortcuts::Name::openLayoutEditor()
{
    using namespace CarbonModifier;
    // E is key code 14.
    return Name(QStringLiteral("openLayoutEditor"), Shortcut{14, control | shift | command});
}

QList<KeyboardShortcuts::Name> KeyboardShortcuts::Name::applicationNames()
{
    QList<Name> names{openPreferences(), moveWindowToNextZone(), moveWindowToPreviousZone(),
                      moveWindowUp(), moveWindowDown()};
    for (int number = 1; number <= 9; ++number)
        names.append(moveWindowToZone(number));
    names.append({activateNextWindowInZone(), activatePreviousWindowInZone(), snapAllWindows()});
    names.append({applyNextLayout(), applyPreviousLayout()});
    for (int key = 1; key <= 9; ++key)
        names.append(applyLayout(key));
    names.append(openLayoutEditor());
    return names;
}

KeyboardShortcuts& KeyboardShortcuts::shared()
{
    static KeyboardShortcuts instance(Platform::current().hotKeys(), Name::applicationNames());
    return instance;
}

KeyboardShortcuts::KeyboardShortcuts(HotKeys& hotKeys, QList<Name> names, QObject* parent)
    : QObject(parent), platform_(&hotKeys)
{
    connect(&hotKeys, &HotKeys::pressed, this, [this](std::uint32_t id) { dispatch(id, true); });
    connect(&hotKeys, &HotKeys::released, this, [this](std::uint32_t id) { dispatch(id, false); });
    Notifications& notifications = Notifications::shared();
    connect(&notifications, &Notifications::shortcutByNameDidChange, this,
            [this](const QString& rawValue) {
                // Another writer (another facility, or the store edited elsewhere) may have
                // changed it; refresh() does nothing when the registration already matches.
                for (const Name& name : std::as_const(names_)) {
                    if (name.rawValue() == rawValue)
                        refresh(name);
                }
            });
    connect(&notifications, &Notifications::recorderActiveStatusDidChange, this,
            &KeyboardShortcuts::recorderActiveStatusChanged);
    for (const Name& name : names)
        addName(name);
}

KeyboardShortcuts::~KeyboardShortcuts()
{
    if (!platform_)
        return;
    for (const auto& [id, hotKey] : hotKeys_)
        platform_->unregisterHotKey(id);
}

QString KeyboardShortcuts::settingsKey(const Name& name)
{
    return QString(SettingsKeys::keyboardShortcutPrefix) + name.rawValue();
}

std::optional<Shortcut> KeyboardShortcuts::shortcut(const Name& name)
{
    const Stored stored = readStored(name);
    return stored.state == Stored::State::Absent ? name.defaultShortcut() : stored.shortcut;
}

void KeyboardShortcuts::setShortcut(const Name& name, std::optional<Shortcut> shortcut)
{
    Settings::setString(settingsKey(name),
                        shortcut ? QString::fromUtf8(shortcut->toJson()) : QString(clearedText));
    addName(name);
    refresh(name);
    emit Notifications::shared().shortcutByNameDidChange(name.rawValue());
}

void KeyboardShortcuts::onKeyDown(const Name& name, Action action)
{
    keyDownHandlers_[name].append(std::move(action));
    addName(name);
}

void KeyboardShortcuts::onKeyUp(const Name& name, Action action)
{
    keyUpHandlers_[name].append(std::move(action));
    addName(name);
}

HotKeyStatus KeyboardShortcuts::checkAvailability(const Shortcut& shortcut)
{
    // Registering a combination a second time and letting it go would, on some systems, also
    // end the registration this facility already holds.
    for (const auto& [id, hotKey] : hotKeys_) {
        if (hotKey.shortcut == shortcut)
            return HotKeyStatus::Success;
    }
    if (!platform_)
        return HotKeyStatus::Failed;
    const std::uint32_t id = nextHotKeyId();
    const HotKeyStatus status =
        platform_->registerHotKey(shortcut.carbonKeyCode, shortcut.carbonModifiers, id);
    if (status == HotKeyStatus::Success)
        platform_->unregisterHotKey(id);
    return status;
}

std::optional<Shortcut> KeyboardShortcuts::registeredShortcut(const Name& name) const
{
    const auto id = registrationIds_.constFind(name);
    if (id == registrationIds_.cend())
        return std::nullopt;
    return hotKeys_.at(*id).shortcut;
}

bool KeyboardShortcuts::isUnavailable(const Name& name) const
{
    if (isSuspended() || !names_.contains(name))
        return false;
    const auto wanted = shortcut(name);
    return wanted && registeredShortcut(name) != wanted;
}

void KeyboardShortcuts::addName(const Name& name)
{
    if (names_.contains(name))
        return;
    names_.append(name);
    refresh(name);
}

void KeyboardShortcuts::refresh(const Name& name)
{
    std::optional<Shortcut> wanted;
    if (!isSuspended()) {
        const Stored stored = readStored(name);
        switch (stored.state) {
        case Stored::State::Absent:
            wanted = name.defaultShortcut();
            break;
        case Stored::State::Unreadable:
            Logger::warning(QStringLiteral("The stored shortcut of %1 cannot be read; it stays "
                                           "without a shortcut")
                                .arg(name.rawValue()),
                            LogCategory::App);
            break;
        case Stored::State::Cleared:
        case Stored::State::Valid:
            wanted = stored.shortcut;
            break;
        }
    }
    if (registeredShortcut(name) == wanted)
        return;
    unregister(name);
    if (wanted)
        registerShortcut(name, *wanted);
    emit registrationChanged(name.rawValue());
}

void KeyboardShortcuts::refreshAll()
{
    for (const Name& name : std::as_const(names_))
        refresh(name);
}

void KeyboardShortcuts::registerShortcut(const Name& name, const Shortcut& shortcut)
{
    if (!platform_)
        return;
    const std::uint32_t id = nextHotKeyId();
    const HotKeyStatus status =
        platform_->registerHotKey(shortcut.carbonKeyCode, shortcut.carbonModifiers, id);
    if (status != HotKeyStatus::Success) {
        Logger::error(QStringLiteral("Error registering hotkey %1 for %2: %3 (%4)")
                          .arg(shortcut.description(), name.rawValue(), statusText(status))
                          .arg(static_cast<int>(status)),
                      LogCategory::App);
        return;
    }
    hotKeys_[id] =
        HotKey{shortcut, id, [this, name](const Shortcut&) { run(keyDownHandlers_.value(name)); },
               [this, name](const Shortcut&) { run(keyUpHandlers_.value(name)); }};
    registrationIds_.insert(name, id);
}

void KeyboardShortcuts::unregister(const Name& name)
{
    const auto id = registrationIds_.constFind(name);
    if (id == registrationIds_.cend())
        return;
    const std::uint32_t hotKeyId = *id;
    registrationIds_.erase(id);
    hotKeys_.erase(hotKeyId);
    if (platform_)
        platform_->unregisterHotKey(hotKeyId);
}

void KeyboardShortcuts::dispatch(std::uint32_t id, bool down)
{
    const auto found = hotKeys_.find(id);
    if (found == hotKeys_.end())
        return;
    // A handler may change the shortcut, which ends this registration: work on a copy.
    const HotKey hotKey = found->second;
    const HotKey::Callback& callback = down ? hotKey.onKeyDown : hotKey.onKeyUp;
    if (callback)
        callback(hotKey.shortcut);
}

void KeyboardShortcuts::recorderActiveStatusChanged(bool active)
{
    const bool wasSuspended = isSuspended();
    if (active)
        ++activeRecorders_;
    else if (activeRecorders_ > 0)
        --activeRecorders_;
    if (wasSuspended != isSuspended())
        refreshAll();
}

void KeyboardShortcuts::run(const QList<Action>& handlers)
{
    // The list is a copy: a handler may add handlers while it runs.
    for (const Action& action : handlers) {
        if (action)
            action();
    }
}

} // namespace corvane
