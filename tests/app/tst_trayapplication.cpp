// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "app/StatusMenu.h"
#include "app/TrayApplication.h"
#include "editor/LayoutEditingSession.h"
#include "editor/LayoutEditorView.h"
#include "layouts/LayoutManager.h"
#include "models/Layouts.h"
#include "overlay/ZoneManager.h"
#include "preferences/GeneralPreferencesView.h"
#include "preferences/KeyCaptureButton.h"
#include "preferences/PreferencesView.h"
#include "preferences/PreferencesWindow.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// The delegate against the in-memory desktop, with its delays shortened; the order of events is
// checked, never their wall-clock duration.
class TrayApplicationTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<TrayApplication> delegate_;

    static TrayApplication::Timing fastTiming()
    {
        TrayApplication::Timing t;
        t.servicesDelay = 10;
        t.firstLaunchDelay = 100;
        t.permissionInterval = 50;
        t.displayChangeDelay = 50;
        t.wakeDelay = 100;
        return t;
    }
    void launch()
    {
        delegate_ = std::make_unique<TrayApplication>(std::nullopt, fastTiming());
        delegate_->applicationDidFinishLaunching();
        QSignalSpy ready(delegate_.get(), &TrayApplication::servicesReady);
        QVERIFY(ready.wait(2000));
    }
    // A launch after the first one, once the status menu is up.
    void launchAgain()
    {
        Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
        launch();
        QTRY_VERIFY(delegate_->statusMenu().menu());
    }

private slots:
    // One desktop for the whole run: the shared facilities bind to it on first use.
    void initTestCase() { fake_ = &test::installFakePlatform(); }
    void init()
    {
        test::resetStores();
        fake_->setDisplays({test::primaryDisplay(), test::secondDisplay()});
        fake_->setTrusted(true);
    }
    void cleanup() { delegate_.reset(); }

    void startUpBringsEverythingUp()
    {
        launch();
        QVERIFY(delegate_->statusItem());
        QTRY_VERIFY(delegate_->statusMenu().menu());
        QVERIFY(delegate_->dragDropHandler());
        // Every display got its zones.
        QTRY_VERIFY(
            ZoneManager::shared().monitorZones().contains(monitorID(test::secondDisplay())));
    }

    void theFirstLaunchOpensThePreferencesOnce()
    {
        launch();
        QVERIFY(Settings::hasLaunchedBefore());
        QVERIFY(!delegate_->preferencesWindow()); // not at once
        QTRY_VERIFY(delegate_->preferencesWindow() && delegate_->preferencesWindow()->isVisible());
        QCOMPARE(delegate_->preferencesWindow()->selectedTab(), PreferencesTab::general);
        delegate_.reset();

        launch(); // a later launch
        QTest::qWait(300);
        QVERIFY(!delegate_->preferencesWindow());
    }

    // Under a window manager where Shift cannot start a snap, the first launch starts with the
    // key it moves windows with, and the menu says so; a key the user chose is never replaced.
    void theFirstLaunchStartsWithAKeyThatSnapsUnderThisWindowManager()
    {
        fake_->setWindowManager({u"Openbox"_s, u"option"_s, false});
        launch();
        QCOMPARE(Settings::dragModifierKey(), u"option"_s);
        QTRY_COMPARE(delegate_->statusMenu().menu()->actions().first()->text(),
                     u"Hold Alt and drag window to snap"_s);
        delegate_.reset();

        test::resetStores();
        Settings::setValue(SettingsKeys::dragModifierKey, u"control"_s);
        fake_->setWindowManager({u"Openbox"_s, u"option"_s, false});
        launch();
        QCOMPARE(Settings::dragModifierKey(), u"control"_s);
        delegate_.reset();

        // GNOME Shell moves a window dragged with Shift, but snaps it to edges on its own.
        test::resetStores();
        fake_->setWindowManager({u"GNOME Shell"_s, u"command"_s, true, true, u"shift"_s});
        launch();
        QCOMPARE(Settings::dragModifierKey(), u"command"_s);
        fake_->setWindowManager({});
    }

    void thePreferencesKeepTheirTabButOpeningAPageBuildsAFreshWindow()
    {
        launchAgain();
        delegate_->openPreferences();
        PreferencesWindow* first = delegate_->preferencesWindow();
        first->selectTab(PreferencesTab::feedback);
        first->close();
        delegate_->openPreferences();
        QCOMPARE(delegate_->preferencesWindow(), first);
        QCOMPARE(first->selectedTab(), PreferencesTab::feedback);
        // The Layout Editor item opens the editor itself, over the gallery.
        delegate_->openLayoutEditor();
        QCOMPARE(delegate_->preferencesWindow()->selectedTab(), PreferencesTab::layoutEditor);
        auto* gallery = qobject_cast<LayoutEditorView*>(
            delegate_->preferencesWindow()->view()->page(PreferencesTab::layoutEditor));
        QVERIFY(gallery && gallery->editor());
        QTRY_VERIFY(LayoutEditingSession::of(LayoutManager::shared()).editingDisplay());
        delegate_->openFeedback();
        QCOMPARE(delegate_->preferencesWindow()->selectedTab(), PreferencesTab::feedback);
        // The hot key opens the preferences too.
        delegate_->preferencesWindow()->close();
        fake_->pressHotKey(35, 4864);
        QTRY_VERIFY(delegate_->preferencesWindow()->isVisible());
    }

    // The warning follows the trust; display changes, wake and custom layout changes rebuild
    // the menu later, sleep does not.
    void theMenuFollowsTheDesktop()
    {
        launchAgain();
        const QString warning = u"\u26A0\uFE0F Corvane cannot see or move windows"_s;
        fake_->setTrusted(false);
        QTRY_COMPARE(delegate_->statusMenu().menu()->actions().at(2)->text(), warning);
        fake_->setTrusted(true);
        QTRY_VERIFY(delegate_->statusMenu().menu()->actions().at(2)->text() != warning);

        QSignalSpy rebuilt(&delegate_->statusMenu(), &StatusMenu::menuReplaced);

        fake_->emitSleep();
        QTest::qWait(250);
        QCOMPARE(rebuilt.count(), 0);

        fake_->setDisplays({test::primaryDisplay()});
        fake_->emitScreenParametersChanged();
        QCOMPARE(rebuilt.count(), 0); // not at once
        QTRY_COMPARE(rebuilt.count(), 1);

        fake_->emitWake();
        QCOMPARE(rebuilt.count(), 1);
        QTRY_COMPARE(rebuilt.count(), 2);

        LayoutManager::shared().addCustomLayout({QUuid::createUuid(), u"Mine"_s, {}, {}});
        QTRY_COMPARE(rebuilt.count(), 3);

        // A modifier set on the General page is named by the hint at once.
        delegate_->openPreferences();
        auto* page = delegate_->preferencesWindow()->findChild<GeneralPreferencesView*>();
        QVERIFY(page);
        emit page->modifierKeyButton()->keyChanged(u"option"_s);
        QCOMPARE(rebuilt.count(), 4);
        QCOMPARE(delegate_->statusMenu().menu()->actions().first()->text(),
                 u"Hold Alt and drag window to snap"_s);
    }

    // Scripts get plain text back: a huge argument is refused without being echoed, and a
    // layout's name prints without control characters.
    void scriptArgumentsAndNamesAreKeptInBounds()
    {
        launchAgain();
        ScriptReply answer;
        ScriptCommand command;
        command.kind = ScriptCommand::Kind::ApplyLayout;
        command.layout = QString(1'000'000, u'x');
        command.display = 1;
        delegate_->runCommand(command, [&](const ScriptReply& reply) { answer = reply; });
        QVERIFY(!answer.ok && answer.text.size() < 200);

        LayoutManager::shared().addCustomLayout(
            {QUuid::createUuid(), u"a\x1b[2Jb\u202Ec"_s, {}, {}});
        command.kind = ScriptCommand::Kind::List;
        delegate_->runCommand(command, [&](const ScriptReply& reply) { answer = reply; });
        QVERIFY(answer.ok && answer.text.contains(u"a\uFFFD[2Jb\uFFFDc"_s));
    }

    // The first window the window manager keeps out of its zone is explained from the tray,
    // with the reason; the next ones are not, so as not to nag.
    void aWindowKeptOutOfItsZoneIsExplainedOnce()
    {
        launchAgain();
        emit Notifications::shared().windowKeptOutOfZone(u"A panel reserves it."_s);
        QVERIFY2(delegate_->lastNotice().contains(u"A panel reserves it."_s),
                 qPrintable(delegate_->lastNotice()));
        emit Notifications::shared().windowKeptOutOfZone(u"Another reason."_s);
        QVERIFY(!delegate_->lastNotice().contains(u"Another reason."_s));
    }

    // A layout choice that cannot be saved changes nothing and is said on every path: the
    // command line and D-Bus get an error naming the file, a choice from the menu a notice.
    void aChoiceThatCannotBeSavedIsSaidOnEveryPath()
    {
        launchAgain();
        const QString primary = monitorID(test::primaryDisplay());
        QTRY_VERIFY(ZoneManager::shared().monitorZones().contains(primary));
        const auto before = test::zoneIds(ZoneManager::shared().monitorZones().value(primary));
        QVERIFY(test::blockSettingsFolder());
        delegate_->statusMenu().selectLayoutForDisplay(test::primaryDisplay(), focusLayout());
        const QString notice = delegate_->lastNotice();
        ScriptReply answer{true, QString()};
        ScriptCommand command;
        command.kind = ScriptCommand::Kind::ApplyLayout;
        command.layout = u"Focus"_s;
        command.display = 1;
        delegate_->runCommand(command, [&](const ScriptReply& reply) { answer = reply; });
        QVERIFY(test::unblockSettingsFolder());
        QVERIFY2(notice.contains(test::settingsFilePath()), qPrintable(notice));
        QVERIFY(!answer.ok);
        QVERIFY2(answer.text.contains(test::settingsFilePath()), qPrintable(answer.text));
        QCOMPARE(test::zoneIds(ZoneManager::shared().monitorZones().value(primary)), before);
    }
};

QTEST_MAIN(TrayApplicationTest)
#include "tst_trayapplication.moc"
