#include "TestEnvironment.h"
#include "preferences/KeyboardShortcutsPreferencesView.h"
#include "preferences/PreferencesRowView.h"
#include "settings/Settings.h"
#include "shortcuts/KeyboardShortcuts.h"
#include "shortcuts/ShortcutRecorder.h"

#include <QLabel>
#include <QTest>

using namespace corvane;
using Name = KeyboardShortcuts::Name;

class ShortcutsPreferencesTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::resetStores();
        platform = &test::installFakePlatform();
        facility =
            std::make_unique<KeyboardShortcuts>(platform->hotKeys(), Name::applicationNames());
        page = std::make_unique<KeyboardShortcutsPreferencesView>(*facility);
        page->resize(600, 700);
        page->show();
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
    }

    void cleanup()
    {
        page.reset();
        facility.reset();
    }

    void oneRecorderPerShortcutHoldsItsDefaultAboveTheTips()
    {
        const QList<ShortcutRecorder*> recorders = page->findChildren<ShortcutRecorder*>();
        QCOMPARE(recorders, page->recorders());
        QList<Name> names;
        for (const ShortcutRecorder* recorder : recorders)
            names.append(recorder->name());
        QCOMPARE(names, Name::applicationNames());
        ShortcutRecorder* recorder = recorders.first();
        QCOMPARE(recorder, page->recorder());
        // Control-Shift-Command-P: P is key code 35.
        const Shortcut expected{35, 4096 | 512 | 256};
        QCOMPARE(recorder->text(), expected.displayText());
        // Control-Command-Right; Control-Command-9 (key code 25).
        QCOMPARE(recorders.at(1)->text(), (Shortcut{124, 4096 | 256}.displayText()));
        QCOMPARE(recorders.last()->text(), (Shortcut{25, 4096 | 256}.displayText()));

        const auto rows = page->findChildren<PreferencesRowView*>();
        QCOMPARE(rows.size(), recorders.size());
        QCOMPARE(rows.first()->title(), QStringLiteral("Open Preferences"));
        QCOMPARE(rows.first()->subtitle(), QStringLiteral("Quickly open the preferences window"));
        QCOMPARE(rows.first()->accessory(), recorder);
        QCOMPARE(rows.at(1)->title(), QStringLiteral("Move window to next zone"));
        QCOMPARE(rows.last()->title(), QStringLiteral("Move window to zone 9"));

        // The tips use this desktop's words.
        QStringList texts;
        for (const QLabel* label : page->findChildren<QLabel*>())
            texts.append(label->text());
        QVERIFY(texts.contains(QStringLiteral("Tips")));
        QVERIFY(texts.contains(
            QStringLiteral("Some key combinations may be reserved by the desktop or other "
                           "applications")));
        QVERIFY(texts.contains(QStringLiteral("Press Delete or Backspace to remove a shortcut")));
    }

    // A default that another client holds is not registered, and its field says so until
    // another combination is recorded for it.
    void aCombinationHeldElsewhereIsShownAsTaken()
    {
        page.reset();
        facility.reset();
        const Shortcut taken{124, 4096 | 256};
        platform->holdByAnotherClient(taken.carbonKeyCode, taken.carbonModifiers);
        facility =
            std::make_unique<KeyboardShortcuts>(platform->hotKeys(), Name::applicationNames());
        page = std::make_unique<KeyboardShortcutsPreferencesView>(*facility);
        page->show();
        ShortcutRecorder* next = page->recorders().at(1);
        QVERIFY(next->isUnavailable());
        QCOMPARE(next->text(), QStringLiteral("Taken: ") + taken.displayText());
        QVERIFY(!page->recorders().at(2)->isUnavailable());

        next->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        next->startRecording();
        QTest::keyClick(next, Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!next->isRecording());
        QVERIFY(!next->isUnavailable());
        QCOMPARE(facility->registeredShortcut(Name::moveWindowToNextZone()),
                 (Shortcut{45, 4096 | 2048}));
    }

private:
    FakePlatform* platform = nullptr;
    std::unique_ptr<KeyboardShortcuts> facility;
    std::unique_ptr<KeyboardShortcutsPreferencesView> page;
};

QTEST_MAIN(ShortcutsPreferencesTest)
#include "tst_shortcutspreferences.moc"
