#include "TestEnvironment.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "shortcuts/ShortcutRecorder.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace corvane;
using Name = KeyboardShortcuts::Name;
using HotKeyList = QList<std::pair<int, int>>;

namespace {

constexpr int controlShiftCommand = 4096 | 512 | 256;
constexpr int controlOption = 4096 | 2048;
const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier;

std::optional<QString> stored()
{
    return Settings::string(KeyboardShortcuts::settingsKey(Name::openPreferences()));
}

} // namespace

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
        QCOMPARE(recorder->text(), Shortcut({35, controlShiftCommand}).displayText());
        QSignalSpy status(&Notifications::shared(), &Notifications::recorderActiveStatusDidChange);

        startRecording();
        QCOMPARE(recorder->text(), QStringLiteral("Press shortcut…"));
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
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{35, controlShiftCommand}}));

        startRecording();
        QTest::keyClick(recorder, Qt::Key_P,
                        Qt::ControlModifier | Qt::ShiftModifier | Qt::MetaModifier);
        QVERIFY(!recorder->isRecording());
        QVERIFY(recorder->message().isEmpty());
        QCOMPARE(stored(), QStringLiteral(R"({"carbonKeyCode":35,"carbonModifiers":4864})"));
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{35, controlShiftCommand}}));
    }

    void deleteAndBackspaceClear()
    {
        startRecording();
        QTest::keyClick(recorder, Qt::Key_Backspace);
        QVERIFY(!recorder->isRecording());
        QCOMPARE(stored(), QStringLiteral("null"));
        QCOMPARE(recorder->text(), QStringLiteral("Record Shortcut"));
        QVERIFY(platform->registeredHotKeys().isEmpty());

        // Focused without recording, too.
        facility->setShortcut(Name::openPreferences(), Shortcut{40, controlOption});
        QVERIFY(recorder->hasFocus());
        QTest::keyClick(recorder, Qt::Key_Delete);
        QVERIFY(!recorder->isRecording());
        QCOMPARE(stored(), QStringLiteral("null"));
        QVERIFY(platform->registeredHotKeys().isEmpty());

        // And with the clear button at the field's end, without starting to record.
        facility->setShortcut(Name::openPreferences(), Shortcut{40, controlOption});
        const int side = recorder->height() - 10;
        QTest::mouseClick(recorder, Qt::LeftButton, {},
                          QPoint(recorder->width() - 6 - side / 2, recorder->height() / 2));
        QVERIFY(!recorder->isRecording());
        QCOMPARE(stored(), QStringLiteral("null"));
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
        QCOMPARE(KeyboardShortcuts::shortcut(Name::openPreferences()), (Shortcut{96, 0}));
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{96, 0}}));

        // A combination held by another application is refused, and recording goes on.
        platform->holdByAnotherClient(40, controlOption);
        startRecording();
        QTest::keyClick(recorder, Qt::Key_K, ctrlAlt);
        QVERIFY(recorder->isRecording());
        QCOMPARE(recorder->text(), QStringLiteral("Used by another application"));
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
        QCOMPARE(platform->registeredHotKeys(), (HotKeyList{{35, controlShiftCommand}}));

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
};

QTEST_MAIN(ShortcutRecorderTest)
#include "tst_shortcutrecorder.moc"
