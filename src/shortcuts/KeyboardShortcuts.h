// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotKeys.h"
#include "shortcuts/HotKey.h"
#include "shortcuts/Shortcut.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace corvane {

// Named global keyboard shortcuts. Each name has an optional default; the user's choice is kept in
// the settings under "KeyboardShortcuts_" + name, and a pressed shortcut runs the handlers of its
// name even while another application is active. The registrations always follow the store:
// every change re-registers at once, and while a recorder records, the facility lets go of its
// hot keys so that the current combination can be pressed and recorded.
class KeyboardShortcuts : public QObject {
    Q_OBJECT
public:
    class Name {
    public:
        explicit Name(QString rawValue, std::optional<Shortcut> defaultShortcut = std::nullopt)
            : rawValue_(std::move(rawValue)), defaultShortcut_(defaultShortcut)
        {}

        const QString& rawValue() const { return rawValue_; }
        const std::optional<Shortcut>& defaultShortcut() const { return defaultShortcut_; }

        // Opens the preferences window; Control-Shift-Command-P unless the user chose another.
        static Name openPreferences();
        // Move the active window to the next or previous zone: Control-Command-Right and -Left.
        static Name moveWindowToNextZone();
        static Name moveWindowToPreviousZone();
        // Move the active window to the zone above or below: Control-Command-Up and -Down.
        static Name moveWindowUp();
        static Name moveWindowDown();
        // Activate the next or previous window snapped into the active window's zone:
        // Control-Command-Page Down and -Page Up.
        static Name activateNextWindowInZone();
        static Name activatePreviousWindowInZone();
        // Every window of the display under the pointer into its zones; no default.
        static Name snapAllWindows();
        // Move the active window to zone 1 to 9 of its display: Control-Command-1 to -9.
        static Name moveWindowToZone(int number);
        // Apply to the display under the pointer the layout holding layout key 1 to 9:
        // Control-Alt-Super-1 to -9; the next or previous layout: Control-Alt-Super-Right, -Left.
        static Name applyLayout(int key);
        static Name applyNextLayout();
        static Name applyPreviousLayout();
        // Opens the layout editor on the display under the pointer: Control-Shift-Super-E.
        static Name openLayoutEditor();
        // Every name of the application, in the order the preferences list them.
        static QList<Name> applicationNames();

        friend bool operator==(const Name& a, const Name& b) { return a.rawValue_ == b.rawValue_; }
        friend size_t qHash(const Name& name, size_t seed = 0) noexcept
        {
            return qHash(name.rawValue_, seed);
        }

    private:
        QString rawValue_;
        std::optional<Shortcut> defaultShortcut_;
    };

    using Action = std::function<void()>;

    // The text stored for a shortcut the user cleared: the JSON of "no shortcut". It is not a
    // missing key, so the name stays without a shortcut after a restart instead of falling back
    // to its default.
    static constexpr auto clearedText = QLatin1StringView("null");

    // The facility over the installed platform's hot keys, created on first use and knowing the
    // application's names. The platform must be installed before.
    static KeyboardShortcuts& shared();

    // Registers the stored (or default) shortcut of every name at once.
    explicit KeyboardShortcuts(HotKeys& hotKeys, QList<Name> names = {Name::openPreferences()},
                               QObject* parent = nullptr);
    ~KeyboardShortcuts() override;

    static QString settingsKey(const Name& name);
    // The stored shortcut, the default when nothing is stored, none when cleared or unreadable.
    static std::optional<Shortcut> shortcut(const Name& name);
    // Stores the shortcut (none: cleared), re-registers the name and posts the change.
    void setShortcut(const Name& name, std::optional<Shortcut> shortcut);

    // Adds a handler of the name; a name not known before becomes known and is registered.
    void onKeyDown(const Name& name, Action action);
    void onKeyUp(const Name& name, Action action);

    // Whether the combination could be registered now: registers it and lets it go again.
    // A combination this facility holds itself counts as available.
    HotKeyStatus checkAvailability(const Shortcut& shortcut);

    QList<Name> names() const { return names_; }
    // The combination held with the platform for the name, if its registration stands.
    std::optional<Shortcut> registeredShortcut(const Name& name) const;
    bool isSuspended() const { return activeRecorders_ > 0; }
    // Whether the name has a shortcut that could not be registered (another client holds it).
    bool isUnavailable(const Name& name) const;

signals:
    // The name's registration with the platform was made, changed or let go.
    void registrationChanged(const QString& rawValue);

private:
    void addName(const Name& name);
    void refresh(const Name& name);
    void refreshAll();
    void registerShortcut(const Name& name, const Shortcut& shortcut);
    void unregister(const Name& name);
    void dispatch(std::uint32_t id, bool down);
    void recorderActiveStatusChanged(bool active);
    static void run(const QList<Action>& handlers);

    QPointer<HotKeys> platform_;
    QList<Name> names_;
    std::map<std::uint32_t, HotKey> hotKeys_; // by HotKey::id
    QHash<Name, std::uint32_t> registrationIds_;
    QHash<Name, QList<Action>> keyDownHandlers_;
    QHash<Name, QList<Action>> keyUpHandlers_;
    int activeRecorders_ = 0;
};

} // namespace corvane
