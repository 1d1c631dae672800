// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "preferences/KeyboardShortcutsPreferencesView.h"
#include "preferences/PreferencesRowView.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "shortcuts/ShortcutRecorder.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace corvane;
using namespace Qt::StringLiterals;
using Name = KeyboardShortcuts::Name;
using HotKeyList = QList<std::pair<int, int>>;

namespace {

constexpr int controlOption = 4096 | 2048;
const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
const Shortcut preferencesDefault = *Name::openPreferences().defaultShortcut();
const HotKeyList defaultHotKey{
    {preferencesDefault.carbonKeyCode, preferencesDefault.carbonModifiers}};

std::optional<QString> stored()
{
    return Settings::string(KeyboardShortcuts::settingsKey(Name::openPreferences()));
}

} // namespace

// The recorder field, alone beside another field and on the preferences page.
class ShortcutRecorderTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* platform = nullptr;
    std::unique_ptr<KeyboardShortcuts> facility;
    std::unique_ptr<QWidget> window;
    ShortcutRecorder* recorder = nullptr;
    QLineEdit* neighbour = nullptr;

    void startRecording()
    {
        QTest::mouseClick(recorder, Qt::LeftButton, {}, QPoint(10, recorder->height() / 2));
        QVERIFY(recorder->isRecording());
    }

    // The preferences page in place of the lone field, over a facility of every name.
    KeyboardShortcutsPreferencesView* showPage()
    {
        window.reset();
        facility.reset();
        facility =
            std::make_unique<KeyboardShortcuts>(platform->hotKeys(), Name::applicationNames());
        auto page = std::make_unique<KeyboardShortcutsPreferencesView>(*facility);
        KeyboardShortcutsPreferencesView* raw = page.get();
        window = std::move(page);
        window->resize(600, 700);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get()) ? raw : nullptr;
    }

private slots:
    void init()
    {
        test::resetStores();
        platform = &test::installFakePlatform();
        facility = std::make_unique<KeyboardShortcuts>(platform->hotKeys());
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        recorder = new ShortcutRecorder(*facility, Name::openPreferences());
        neighbour = new QLineEdit;
        layout->addWidget(recorder);
        layout->addWidget(neighbour);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup()
    {
        window.reset();
        facility.reset();
    }

    void recordingStoresTheNewCombination()
    {
        QCOMPARE(recorder->text(), preferencesDefault.displayText());
        QSignalSpy status(&Notifications::shared(), &Notifications::recorderActiveStatusDidChange);

        startRecording();
        QCOMPARE(recorder->text(), u"Press shortcut…"_s);
        QVERIFY(recorder->hasFocus());
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).at(0).toBool(), true);
        QVERIFY(platform->registeredHotKeys().isEmpty()); // let go while recording

        QTest::keyClick(recorder, Qt::Key_K, ctrlAlt);
        QVERIFY(!recorder->isRecording());
        QCOMPARE(status.count(), 2);
        QCOMPARE(status.at(1).at(0).toBool(), false);
        QCOMPARE(KeyboardShortcuts::shortcut(Name::openPreferences()),
                 (Shortcut{40, controlOption}));
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{40, controlOption}}));
        QCOMPARE(recorder->text(), Shortcut({40, controlOption}).displayText());
    }

    // Escape cancels and keeps the old combination; the facility's own hot key must not count
    // as taken by another application, so the current combination can be recorded again.
    void escapeCancelsAndTheCurrentCombinationCanBeRecordedAgain()
    {
        startRecording();
        QTest::keyClick(recorder, Qt::Key_Shift, Qt::ShiftModifier); // a modifier alone waits
        QVERIFY(recorder->isRecording());
        QTest::keyClick(recorder, Qt::Key_Escape);
        QVERIFY(!recorder->isRecording());
        QVERIFY(!stored());
        QCOMPARE(platform->registeredHotKeys(), defaultHotKey);

        startRecording();
        QTest::keyClick(recorder, *preferencesDefault.qtKey(), preferencesDefault.qtModifiers());
        QVERIFY(!recorder->isRecording());
        QVERIFY(recorder->message().isEmpty());
        QCOMPARE(stored(), QString::fromUtf8(preferencesDefault.toJson()));
        QCOMPARE(platform->registeredHotKeys(), defaultHotKey);
    }

    // Backspace while recording, Delete while focused, and the clear button at the field's end.
    void deleteAndBackspaceClear()
    {
        startRecording();
        QTest::keyClick(recorder, Qt::Key_Backspace);
        QVERIFY(!recorder->isRecording());
        QCOMPARE(stored(), u"null"_s);
        QCOMPARE(recorder->text(), u"Record Shortcut"_s);
        QVERIFY(platform->registeredHotKeys().isEmpty());

        facility->setShortcut(Name::openPreferences(), Shortcut{40, controlOption});
        QVERIFY(recorder->hasFocus());
        QTest::keyClick(recorder, Qt::Key_Delete);
        QVERIFY(!recorder->isRecording());
        QCOMPARE(stored(), u"null"_s);

        facility->setShortcut(Name::openPreferences(), Shortcut{40, controlOption});
        const int side = recorder->height() - 10;
        QTest::mouseClick(recorder, Qt::LeftButton, {},
                          QPoint(recorder->width() - 6 - side / 2, recorder->height() / 2));
        QVERIFY(!recorder->isRecording());
        QCOMPARE(stored(), u"null"_s);
    }

    void combinationsWithoutARealModifierOrHeldElsewhereAreRefused()
    {
        startRecording();
        QTest::keyClick(recorder, Qt::Key_A);
        QVERIFY(recorder->isRecording());
        QVERIFY(!recorder->message().isEmpty());
        QCOMPARE(recorder->text(), recorder->message());
        QTest::keyClick(recorder, Qt::Key_A, Qt::ShiftModifier);
        QVERIFY(recorder->isRecording());
        QVERIFY(!stored());

        // A function key needs no modifier.
        QTest::keyClick(recorder, Qt::Key_F5);
        QVERIFY(!recorder->isRecording());
        QVERIFY(recorder->message().isEmpty());
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{96, 0}}));

        // A combination held by another application is refused, and recording goes on.
        platform->holdByAnotherClient(40, controlOption);
        startRecording();
        QTest::keyClick(recorder, Qt::Key_K, ctrlAlt);
        QVERIFY(recorder->isRecording());
        QCOMPARE(recorder->text(), u"Used by another application"_s);
        QCOMPARE(KeyboardShortcuts::shortcut(Name::openPreferences()), (Shortcut{96, 0}));
        QTest::keyClick(recorder, Qt::Key_J, ctrlAlt);
        QVERIFY(!recorder->isRecording());
        QCOMPARE(KeyboardShortcuts::shortcut(Name::openPreferences()),
                 (Shortcut{38, controlOption}));
    }

    void recordingEndsWhenTheFieldLosesFocusOrGoesAway()
    {
        QSignalSpy status(&Notifications::shared(), &Notifications::recorderActiveStatusDidChange);
        startRecording();
        neighbour->setFocus();
        QVERIFY(!recorder->isRecording());
        QCOMPARE(status.count(), 2);
        QCOMPARE(platform->registeredHotKeys(), defaultHotKey);

        // Tab is a key to record, not a way out of the field.
        startRecording();
        QTest::keyClick(recorder, Qt::Key_Backtab, Qt::MetaModifier | Qt::ShiftModifier);
        QVERIFY(recorder->hasFocus());
        QCOMPARE(KeyboardShortcuts::shortcut(Name::openPreferences()), (Shortcut{48, 256 | 512}));

        // A recorder destroyed mid-recording gives the facility its hot keys back.
        startRecording();
        QVERIFY(platform->registeredHotKeys().isEmpty());
        delete recorder;
        recorder = nullptr;
        QVERIFY(!facility->isSuspended());
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{48, 256 | 512}}));
    }

    // A default that another client holds is not registered, and its field says so until
    // another combination is recorded for it.
    void aCombinationHeldElsewhereIsShownAsTaken()
    {
        const Shortcut taken = *Name::moveWindowToNextZone().defaultShortcut();
        platform->holdByAnotherClient(taken.carbonKeyCode, taken.carbonModifiers);
        KeyboardShortcutsPreferencesView* page = showPage();
        QVERIFY(page);
        ShortcutRecorder* next = page->recorders().at(1);
        QVERIFY(next->isUnavailable());
        QCOMPARE(next->text(), u"Taken: "_s + taken.displayText());
        QVERIFY(!page->recorders().at(2)->isUnavailable());

        next->startRecording();
        QTest::keyClick(next, Qt::Key_N, ctrlAlt);
        QVERIFY(!next->isRecording());
        QVERIFY(!next->isUnavailable());
        QCOMPARE(facility->registeredShortcut(Name::moveWindowToNextZone()),
                 (Shortcut{45, controlOption}));
    }
};

QTEST_MAIN(ShortcutRecorderTest)
#include "tst_shortcutrecorder.moc"
