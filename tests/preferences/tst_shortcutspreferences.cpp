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
        facility = std::make_unique<KeyboardShortcuts>(platform->hotKeys());
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

    void oneRecorderHoldsTheDefaultCombinationAboveTheTips()
    {
        const QList<ShortcutRecorder*> recorders = page->findChildren<ShortcutRecorder*>();
        QCOMPARE(recorders.size(), 1);
        ShortcutRecorder* recorder = recorders.first();
        QCOMPARE(recorder->name(), Name::openPreferences());
        // Control-Shift-Command-P: P is key code 35.
        const Shortcut expected{35, 4096 | 512 | 256};
        QCOMPARE(recorder->text(), expected.displayText());

        auto* row = page->findChild<PreferencesRowView*>();
        QCOMPARE(row->title(), QStringLiteral("Open Preferences"));
        QCOMPARE(row->subtitle(), QStringLiteral("Quickly open the preferences window"));
        QCOMPARE(row->accessory(), recorder);

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

private:
    FakePlatform* platform = nullptr;
    std::unique_ptr<KeyboardShortcuts> facility;
    std::unique_ptr<KeyboardShortcutsPreferencesView> page;
};

QTEST_MAIN(ShortcutsPreferencesTest)
#include "tst_shortcutspreferences.moc"
