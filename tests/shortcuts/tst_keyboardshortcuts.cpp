// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "logging/LogManager.h"
#include "logging/Logger.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "shortcuts/KeyboardShortcuts.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace corvane;
using namespace Qt::StringLiterals;
using Name = KeyboardShortcuts::Name;
using HotKeyList = QList<std::pair<int, int>>;

namespace {

constexpr int controlShiftCommand = 4096 | 512 | 256;
constexpr int controlOption = 4096 | 2048;

QString storedText(const Name& name)
{
    return Settings::string(KeyboardShortcuts::settingsKey(name)).value_or(u"<none>"_s);
}

// The log lines recorded since the last clearLogs().
QStringList loggedMessages()
{
    LogManager::shared().flush();
    QCoreApplication::processEvents();
    QStringList messages;
    for (const LogEntry& entry : LogManager::shared().recentLogs())
        messages.append(entry.message);
    return messages;
}

bool logged(const QString& start)
{
    const QStringList messages = loggedMessages();
    return std::any_of(messages.cbegin(), messages.cend(),
                       [&](const QString& m) { return m.startsWith(start); });
}

} // namespace

class KeyboardShortcutsTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* platform = nullptr;
    const Name preferences = Name::openPreferences();

    std::unique_ptr<KeyboardShortcuts> start()
    {
        return std::make_unique<KeyboardShortcuts>(platform->hotKeys());
    }

private slots:
    void init()
    {
        test::resetStores();
        platform = &test::installFakePlatform();
        Logger::isEnabled = true;
        Logger::isLoggingActive = true;
        Logger::minimumLogLevel = LogLevel::Warning;
        LogManager::shared().clearLogs();
    }

    void aFreshInstallationRegistersTheDefault()
    {
        QCOMPARE(KeyboardShortcuts::settingsKey(preferences),
                 u"KeyboardShortcuts_openPreferences"_s);
        auto facility = start();
        const Shortcut byDefault = *preferences.defaultShortcut();
        QCOMPARE(KeyboardShortcuts::shortcut(preferences), byDefault);
        QCOMPARE(platform->registeredHotKeys(),
                 (HotKeyList{{byDefault.carbonKeyCode, byDefault.carbonModifiers}}));
        QCOMPARE(facility->registeredShortcut(preferences), byDefault);
        // Answering with the default writes nothing.
        QCOMPARE(storedText(preferences), u"<none>"_s);
    }

    void anUnreadableStoredValueLeavesTheNameUnregistered_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("not JSON") << "P with control";
        QTest::newRow("a number as text") << R"({"carbonKeyCode":"35","carbonModifiers":4864})";
        QTest::newRow("empty") << "";
    }

    void anUnreadableStoredValueLeavesTheNameUnregistered()
    {
        QFETCH(QString, text);
        Settings::setString(KeyboardShortcuts::settingsKey(preferences), text);
        auto facility = start();
        QVERIFY(platform->registeredHotKeys().isEmpty());
        QVERIFY(!KeyboardShortcuts::shortcut(preferences));
        QVERIFY(logged(u"The stored shortcut of openPreferences cannot be read"_s));
        // The value is the user's; reading it never replaces it.
        QCOMPARE(storedText(preferences), text);
    }

    void aClearedShortcutStaysClearedAfterARestart()
    {
        auto facility = start();
        QSignalSpy changed(&Notifications::shared(), &Notifications::shortcutByNameDidChange);
        facility->setShortcut(preferences, std::nullopt);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), u"openPreferences"_s);
        QCOMPARE(storedText(preferences), u"null"_s);
        QVERIFY(platform->registeredHotKeys().isEmpty());

        facility.reset();
        facility = start();
        QVERIFY(platform->registeredHotKeys().isEmpty());
        QVERIFY(!KeyboardShortcuts::shortcut(preferences));
        QVERIFY(!logged(u"The stored shortcut"_s));
    }

    void aChangedShortcutIsRegisteredAtOnce()
    {
        auto facility = start();
        int presses = 0;
        facility->onKeyDown(preferences, [&] { ++presses; });

        facility->setShortcut(preferences, Shortcut{40, controlOption});
        QCOMPARE(storedText(preferences), uR"({"carbonKeyCode":40,"carbonModifiers":6144})"_s);
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{40, controlOption}}));
        platform->pressHotKey(35, controlShiftCommand);
        QCOMPARE(presses, 0);
        platform->pressHotKey(40, controlOption);
        QCOMPARE(presses, 1);

        // And the next start registers the stored choice, not the default.
        facility.reset();
        QVERIFY(platform->registeredHotKeys().isEmpty());
        facility = start();
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{40, controlOption}}));

        // A change stored by another writer is followed.
        Settings::setString(KeyboardShortcuts::settingsKey(preferences),
                            QString::fromUtf8(Shortcut{41, controlOption}.toJson()));
        emit Notifications::shared().shortcutByNameDidChange(preferences.rawValue());
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{41, controlOption}}));
    }

    void aPressedShortcutRunsTheHandlersOfItsNameWhichMayChangeIt()
    {
        auto facility = start();
        QStringList calls;
        facility->onKeyDown(preferences, [&] { calls << u"down 1"_s; });
        facility->onKeyDown(preferences, [&] { calls << u"down 2"_s; });
        facility->onKeyUp(preferences, [&] { calls << u"up"_s; });
        // A name first seen through a handler becomes known and is registered.
        const Name other(u"other"_s, Shortcut{0, controlOption});
        facility->onKeyDown(other, [&] { calls << u"other"_s; });
        QCOMPARE(platform->registeredHotKeys().size(), 2);

        platform->pressHotKey(35, controlShiftCommand);
        QCOMPARE(calls, (QStringList{"down 1", "down 2", "up"}));
        calls.clear();
        platform->pressHotKey(0, controlOption);
        QCOMPARE(calls, (QStringList{"other"}));
        calls.clear();
        platform->pressHotKey(35, controlOption);
        QVERIFY(calls.isEmpty());

        // A handler may change the shortcut it runs for.
        facility->onKeyDown(other, [&] {
            facility->setShortcut(other, Shortcut{40, controlOption});
        });
        platform->pressHotKey(0, controlOption);
        QCOMPARE(calls, (QStringList{"other"}));
        QVERIFY(platform->registeredHotKeys().contains({40, controlOption}));
        QVERIFY(!platform->registeredHotKeys().contains({0, controlOption}));
    }

    void aCombinationHeldElsewhereIsLeftUnregistered()
    {
        platform->holdByAnotherClient(35, controlShiftCommand);
        auto facility = start();
        QVERIFY(platform->registeredHotKeys().isEmpty());
        QVERIFY(!facility->registeredShortcut(preferences));
        // The choice itself is kept; only the registration failed.
        QCOMPARE(KeyboardShortcuts::shortcut(preferences), (Shortcut{35, controlShiftCommand}));
        QCOMPARE(facility->checkAvailability({35, controlShiftCommand}),
                 HotKeyStatus::AlreadyTaken);
        QCOMPARE(facility->checkAvailability({40, controlOption}), HotKeyStatus::Success);
        // Checking does not leave anything registered.
        QVERIFY(platform->registeredHotKeys().isEmpty());
    }

    void hotKeysAreLetGoWhileARecorderRecords()
    {
        auto facility = start();
        // A combination the facility holds itself is available, and checking keeps it held.
        QCOMPARE(facility->checkAvailability({35, controlShiftCommand}), HotKeyStatus::Success);
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{35, controlShiftCommand}}));

        emit Notifications::shared().recorderActiveStatusDidChange(true);
        QVERIFY(facility->isSuspended());
        QVERIFY(platform->registeredHotKeys().isEmpty());
        facility->setShortcut(preferences, Shortcut{40, controlOption});
        QVERIFY(platform->registeredHotKeys().isEmpty());
        emit Notifications::shared().recorderActiveStatusDidChange(false);
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{40, controlOption}}));
        // An unmatched stop does not suspend anything.
        emit Notifications::shared().recorderActiveStatusDidChange(false);
        QVERIFY(!facility->isSuspended());
        QCOMPARE(platform->registeredHotKeys().size(), 1);
    }

    void qtKeysConvertBothWays()
    {
        const auto ctrlShiftMeta = Qt::ControlModifier | Qt::ShiftModifier | Qt::MetaModifier;
        QCOMPARE(Shortcut::fromQtKey(Qt::Key_P, ctrlShiftMeta),
                 (Shortcut{35, controlShiftCommand}));
        const Shortcut p{35, controlShiftCommand};
        QCOMPARE(p.qtKey(), Qt::Key_P);
        QCOMPARE(p.qtModifiers(), ctrlShiftMeta);
        // A shifted symbol is the key it is typed on; on the keypad the keypad's own code.
        QCOMPARE(Shortcut::fromQtKey(Qt::Key_Exclam, Qt::ShiftModifier | Qt::ControlModifier),
                 (Shortcut{18, 512 | 4096}));
        QCOMPARE(Shortcut::fromQtKey(Qt::Key_Plus, Qt::ShiftModifier | Qt::AltModifier),
                 (Shortcut{24, 512 | 2048}));
        QCOMPARE(Shortcut::fromQtKey(Qt::Key_Plus, Qt::KeypadModifier | Qt::AltModifier),
                 (Shortcut{69, 2048}));
        QVERIFY(!Shortcut::fromQtKey(Qt::Key_Eacute, Qt::ControlModifier));
        QVERIFY((Shortcut{96, 0}).isFunctionKey());
        QVERIFY(!(Shortcut{0, 0}).isFunctionKey());
        QVERIFY(!(Shortcut{0, 512}).hasNonShiftModifier());
        QVERIFY((Shortcut{0, 512 | 2048}).hasNonShiftModifier());
    }

    void theDisplayTextUsesTheDesktopsKeyNamesAndOrder()
    {
        QCOMPARE((Shortcut{35, controlShiftCommand}).displayText(), u"Ctrl+Shift+Super+P"_s);
        QCOMPARE((Shortcut{40, controlOption}).displayText(), u"Ctrl+Alt+K"_s);
        // A key without a name still shows its modifiers and its code.
        QCOMPARE(Shortcut({10, 4096}).displayText(), u"Ctrl+Key 10"_s);
    }
};

QTEST_MAIN(KeyboardShortcutsTest)
#include "tst_keyboardshortcuts.moc"
