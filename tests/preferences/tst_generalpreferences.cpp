// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "preferences/AccessibilityStatusView.h"
#include "preferences/ColorButton.h"
#include "preferences/ExcludedApplicationsView.h"
#include "preferences/FeedbackType.h"
#include "preferences/FeedbackView.h"
#include "preferences/GeneralPreferencesView.h"
#include "preferences/KeyCaptureButton.h"
#include "preferences/KeyCaptureView.h"
#include "preferences/ModernToggle.h"
#include "preferences/PreferencesRowView.h"
#include "preferences/PreferencesTab.h"
#include "preferences/PreferencesTabButton.h"
#include "preferences/PreferencesView.h"
#include "preferences/PreferencesWindow.h"
#include "preferences/SymbolIcons.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "windows/WindowPicker.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace corvane;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

// Answers the modal message boxes as they open, in order, with the given button texts, and
// remembers what each one said: its texts, then its buttons, the default one first.
class AlertResponder : public QObject {
public:
    QList<QStringList> seen;

    explicit AlertResponder(QStringList answers) : answers_(std::move(answers))
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            QStringList said{box->text(), box->informativeText(),
                             box->defaultButton() ? box->defaultButton()->text() : QString()};
            for (QAbstractButton* b : box->buttons())
                said.append(b->text());
            seen.append(said);
            const QString answer = answers_.isEmpty() ? QString() : answers_.takeFirst();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == answer)
                    return b->click();
            }
            box->reject();
        });
        timer_.start(10);
    }

private:
    QStringList answers_;
    QTimer timer_;
};

} // namespace

class GeneralPreferencesTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        fake = &test::freshDesktop({test::primaryDisplay()});
        page = std::make_unique<GeneralPreferencesView>();
        page->resize(600, 900);
    }

    void cleanup() { page.reset(); }

    // The page names the window manager and the key it moves windows with, and adopts that key
    // in one click where the chosen one cannot start a snap. A stored snap key that names no key
    // leaves drags on Shift, and the page says Shift.
    void theWindowManagersMoveKeyIsNamedAndAdopted()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, u"no such key"_s);
        fake->setWindowManager({u"Openbox"_s, u"option"_s, false});
        showPage();
        PreferencesRowView* row = page->windowManagerRow();
        QCOMPARE(row->title(), u"Window manager: Openbox"_s);
        QCOMPARE(page->modifierKeyButton()->displayText(), u"Shift"_s);
        QVERIFY(row->subtitle().contains(u"with Shift held does not snap"_s));
        QVERIFY(page->useMoveKeyButton()->isVisible());
        QCOMPARE(page->useMoveKeyButton()->text(), u"Use Alt"_s);

        QSignalSpy changed(&Notifications::shared(), &Notifications::dragModifierKeyChanged);
        page->useMoveKeyButton()->click();
        QCOMPARE(Settings::dragModifierKey(), u"option"_s);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(page->modifierKeyButton()->displayText(), u"Alt"_s);
        QVERIFY(!page->useMoveKeyButton()->isVisible());
        QVERIFY(row->subtitle().contains(u"hold Alt"_s));
    }

    // A setting that cannot be saved, from any page or thread, is said in the window.
    void aSettingThatCannotBeSavedIsSaid()
    {
        PreferencesWindow window(PreferencesTab::general);
        window.showAndActivate();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.saveFailureNotice()->isVisible());
        QVERIFY(test::blockSettingsFolder());
        std::unique_ptr<QThread> saver(
            QThread::create([] { Settings::setValue(SettingsKeys::showLayoutPreview, false); }));
        saver->start();
        QVERIFY(saver->wait());
        QTRY_VERIFY(window.saveFailureNotice()->isVisible());
        QVERIFY(window.saveFailureText()->text().contains(u"is a file, not a folder"_s));
        QVERIFY(test::unblockSettingsFolder());
    }

    void recordingTheModifierKey()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, u"command"_s);
        showPage();
        KeyCaptureButton* button = page->modifierKeyButton();

        // Escape goes back to Shift.
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isRecording());
        QCOMPARE(button->displayText(), u"Press any key..."_s);
        QTest::keyClick(button->captureView(), Qt::Key_Escape);
        QVERIFY(!button->isRecording());
        QCOMPARE(Settings::dragModifierKey(), u"shift"_s);
        QCOMPARE(button->currentKey(), u"shift"_s);

        // A modifier on its own.
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyPress(button->captureView(), Qt::Key_Alt);
        QCOMPARE(Settings::dragModifierKey(), u"option"_s);

        // Tab is recorded rather than moving the focus.
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button->captureView(), Qt::Key_Tab);
        QCOMPARE(Settings::dragModifierKey(), u"tab"_s);

        // A key the desktop cannot follow during a drag is refused, and the page says why; the
        // next key it can follow is taken and the message goes.
        QTest::mouseClick(button, Qt::LeftButton);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, u"\u00e9"_s);
        QApplication::sendEvent(button->captureView(), &accented);
        QCOMPARE(Settings::dragModifierKey(), u"tab"_s);
        QVERIFY(!page->modifierKeyRefusal()->isHidden());
        QVERIFY(page->modifierKeyRefusal()->text().contains(u"\u00c9"_s));
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button->captureView(), Qt::Key_F5);
        QCOMPARE(Settings::dragModifierKey(), u"f5"_s);
        QVERIFY(page->modifierKeyRefusal()->isHidden());

        // A second click cancels without storing anything.
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isRecording());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isRecording());
        QCOMPARE(Settings::dragModifierKey(), u"f5"_s);

        // Leaving the page ends recording, and a key pressed afterwards goes nowhere.
        QTest::mouseClick(button, Qt::LeftButton);
        QPointer<KeyCaptureView> capture = button->captureView();
        page->hide();
        QVERIFY(!button->isRecording());
        QTRY_VERIFY(!capture);
        QCOMPARE(Settings::dragModifierKey(), u"f5"_s);
    }

    void modifierRules_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        const int shift = Qt::ShiftModifier, control = Qt::ControlModifier,
                  option = Qt::AltModifier, command = Qt::MetaModifier;
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("shift") << shift << "shift";
        QTest::newRow("control") << control << "control";
        QTest::newRow("option") << option << "option";
        QTest::newRow("command") << command << "command";
        QTest::newRow("control+shift") << (control | shift) << "shift";
        QTest::newRow("option+command") << (option | command) << "option";
        QTest::newRow("three without shift") << (control | option | command) << "control";
        // With all four down every rule sees the other three down: nothing matches.
        QTest::newRow("all four") << (shift | control | option | command) << QString();
    }

    void modifierRules()
    {
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        const auto name = KeyCaptureView::modifierName(Qt::KeyboardModifiers(modifiers));
        QCOMPARE(name.value_or(QString()), expected);
    }

    void choosingAColourStoresItsComponents()
    {
        showPage();
        QSignalSpy applied(&Notifications::shared(), &Notifications::zoneColorsChanged);
        ColorButton* well = page->normalZoneColorButton();
        QTest::mouseClick(well, Qt::LeftButton);
        QVERIFY(well->dialog());
        QVERIFY(well->dialog()->testOption(QColorDialog::ShowAlphaChannel));
        well->dialog()->setCurrentColor(QColor::fromRgbF(1, 0, 0, 0.5f));
        well->dialog()->accept();
        QCOMPARE(Settings::zoneColors().normal.rgba(), QColor::fromRgbF(1, 0, 0, 0.5f).rgba());
        QCOMPARE(well->color().rgba(), QColor::fromRgbF(1, 0, 0, 0.5f).rgba());
        QVERIFY(qAbs(Settings::number(SettingsKeys::normalZoneColorAlpha) - 0.5) < 0.01);
        // The highlight colour is untouched.
        QVERIFY(!Settings::contains(SettingsKeys::highlightZoneColorRed));
        // Both colours go to the window manager, which passes them on.
        QCOMPARE(applied.size(), 1);
        QCOMPARE(applied.at(0).at(0).value<QColor>().rgba(),
                 QColor::fromRgbF(1, 0, 0, 0.5f).rgba());
        QCOMPARE(applied.at(0).at(1).value<QColor>(), Settings::defaultZoneColors().highlight);
    }

    // The space box and the restore switch store what they show; clicking a window of another
    // application adds it to the excluded ones (once, by its class), and Remove takes the
    // selected ones out.
    void windowBehaviourIsStoredAsItChanges()
    {
        showPage();
        // The span key is never the snap key, whichever of the two is set.
        KeyCaptureButton* span = page->spanKeyButton();
        QTest::mouseClick(span, Qt::LeftButton);
        QTest::keyPress(span->captureView(), Qt::Key_Shift);
        QVERIFY(page->spanKeyRefusal()->isVisibleTo(page.get()));
        QVERIFY(!Settings::contains(SettingsKeys::spanZonesKey));
        QTest::mouseClick(span, Qt::LeftButton);
        QTest::keyPress(span->captureView(), Qt::Key_Alt);
        QCOMPARE(Settings::string(QString(SettingsKeys::spanZonesKey)), u"option"_s);
        QVERIFY(!page->spanKeyRefusal()->isVisibleTo(page.get()));
        QTest::mouseClick(page->modifierKeyButton(), Qt::LeftButton);
        QTest::keyPress(page->modifierKeyButton()->captureView(), Qt::Key_Alt);
        QCOMPARE(Settings::dragModifierKey(), u"shift"_s);
        QVERIFY(page->modifierKeyRefusal()->isVisibleTo(page.get()));

        page->spaceAroundZonesBox()->setValue(24);
        QCOMPARE(Settings::spaceAroundZones(), 24.0);

        fake->addWindow(7, 70, Rect(100, 100, 400, 300));
        fake->window(70)->application = {u"xterm"_s, u"XTerm"_s};
        fake->addWindow(8, 71, Rect(900, 100, 400, 300));
        ExcludedApplicationsView* excluded = page->excludedApplications();
        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(excluded->addButton(), Qt::LeftButton);
            QVERIFY(excluded->picker()->isPicking());
            fake->setActiveWindow(70); // the click activates it
            QTRY_VERIFY(!excluded->picker()->isPicking());
        }
        QCOMPARE(Settings::excludedApplications(), QStringList{u"XTerm"_s});
        // A click on a window that names no application adds nothing and says so.
        QTest::mouseClick(excluded->addButton(), Qt::LeftButton);
        fake->setActiveWindow(71);
        QTRY_VERIFY(!excluded->picker()->isPicking());
        QVERIFY(!excluded->statusLabel()->text().isEmpty());
        QCOMPARE(excluded->list()->count(), 1);

        excluded->list()->setCurrentRow(0);
        QTest::mouseClick(excluded->removeButton(), Qt::LeftButton);
        QVERIFY(Settings::excludedApplications().isEmpty());
        QCOMPARE(excluded->list()->count(), 0);
    }

    // The switches write their settings; a login item the system refuses turns its switch back
    // without a new request.
    void theSwitchesWriteTheirSettingsUnlessRefused()
    {
        showPage();
        // One helper makes every switch that stores a setting: one of them stands for all.
        QTest::mouseClick(page->layoutPreviewToggle(), Qt::LeftButton);
        QVERIFY(!Settings::showLayoutPreview());
        ModernToggle* toggle = page->launchAtLoginToggle();
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::Enabled);
        QVERIFY(Settings::launchAtLogin());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::NotRegistered);
        QVERIFY(!Settings::launchAtLogin());

        fake->setLoginItemsRefuse(true);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->isChecked()); // until the event loop turns
        QTRY_VERIFY(!toggle->isChecked());
        QVERIFY(!Settings::launchAtLogin());
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::NotRegistered);
        // Turning it back is not a new request: the switch stays off, nothing else is tried.
        QTest::qWait(50);
        QVERIFY(!toggle->isChecked());

        // The same for a refused removal.
        fake->setLoginItemsRefuse(false);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::Enabled);
        fake->setLoginItemsRefuse(true);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QTRY_VERIFY(toggle->isChecked());
        QVERIFY(Settings::launchAtLogin());
    }

    // Stored values show when the page appears, the switch of the login item following the
    // system's registration. Cancelling the confirmation changes nothing; confirming restores
    // every default, in the store, in the login item and on the page, and hands the default
    // colours on.
    void resetAsksFirstThenRestoresEveryDefault()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, u"control"_s);
        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        Settings::setValue(SettingsKeys::moveBetweenDisplays, false);
        const QColor green = QColor::fromRgbF(0, 1, 0, 0.6f), red = QColor::fromRgbF(1, 0, 0, 0.3f);
        Settings::setNormalZoneColor(green);
        Settings::setHighlightZoneColor(red);
        Settings::setValue(SettingsKeys::spanZonesKey, u"command"_s);
        Settings::setValue(SettingsKeys::spaceAroundZones, 8);
        Settings::setValue(SettingsKeys::restoreSizeOnUnsnap, false);
        Settings::setValue(SettingsKeys::moveNewWindowsToLastZone, false);
        Settings::setValue(SettingsKeys::moveSnappedWindowsOnLayoutChange, false);
        Settings::setValue(SettingsKeys::resizeNeighbours, false);
        Settings::setExcludedApplications({u"XTerm"_s, u"Gimp"_s});
        fake->setLoginItemStatus(LoginItemStatus::Enabled);
        showPage();
        const QVariantList stored{u"control"_s, u"command"_s, 8,    false, false,
                                  false,        false,        true, 2,     green,
                                  red,          false,        false};
        QCOMPARE(shown(*page), stored);
        QVERIFY(Settings::launchAtLogin()); // the setting mirrors the registration

        QSignalSpy applied(&Notifications::shared(), &Notifications::zoneColorsChanged);
        AlertResponder responder({u"Cancel"_s, u"Reset"_s, u"OK"_s});
        QTest::mouseClick(page->resetButton(), Qt::LeftButton);
        QCOMPARE(responder.seen.size(), 1);
        // Enter is safe: Cancel is the default.
        QCOMPARE(responder.seen[0],
                 (QStringList{"Reset all preferences to their default values?",
                              "This cannot be undone.", "Cancel", "Cancel", "Reset"}));
        QCOMPARE(shown(*page), stored);
        QCOMPARE(Settings::dragModifierKey(), u"control"_s);
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::Enabled);
        QVERIFY(applied.isEmpty());

        QTest::mouseClick(page->resetButton(), Qt::LeftButton);
        QCOMPARE(responder.seen.size(), 3);
        QCOMPARE(responder.seen[2].mid(0, 2),
                 (QStringList{"All preferences are back to their default values.", ""}));
        QCOMPARE(responder.seen[2].size(), 4); // one button
        QCOMPARE(shown(*page), defaults());
        const ZoneColors colors = Settings::defaultZoneColors();
        QCOMPARE(applied.size(), 1);
        QCOMPARE(applied.at(0).at(0).value<QColor>(), colors.normal);
        QCOMPARE(applied.at(0).at(1).value<QColor>(), colors.highlight);
        // In the store and the login item too: a page opened afresh shows the defaults.
        QVERIFY(!Settings::launchAtLogin());
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::NotRegistered);
        GeneralPreferencesView fresh;
        fresh.show();
        QCOMPARE(shown(fresh), defaults());
    }

    void aTrustChangeShowsWithinOneRefresh()
    {
        fake->setTrusted(false);
        page->setPermissionRefreshInterval(50ms);
        showPage();
        AccessibilityStatusView* status = page->accessibilityStatus();
        QVERIFY(!status->isTrusted());
        // The session's own words: what cannot be done and what to do; no settings pane here.
        QCOMPARE(status->headline(), fake->session().access().headline);
        QCOMPARE(status->instructions(), fake->session().access().remedy);
        QVERIFY(!status->openSettingsButton());

        fake->setTrusted(true);
        QTRY_VERIFY_WITH_TIMEOUT(status->isTrusted(), 3000);
        QCOMPARE(status->headline(), fake->session().access().headline);
        QVERIFY(status->instructions().isEmpty());

        // While the page is hidden nobody asks.
        page->hide();
        fake->setTrusted(false);
        QTest::qWait(200);
        QVERIFY(status->isTrusted());
        page->show();
        QVERIFY(!status->isTrusted()); // asked again as the page appears
    }

    // The window around the pages.
    void aTabShowsItsPageAndAPageKeepsWhatWasTyped()
    {
        PreferencesWindow window(PreferencesTab::general);
        window.showAndActivate();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.view()->tabButton(PreferencesTab::general)->isSelected());
        QVERIFY(!window.view()->tabButton(PreferencesTab::feedback)->isSelected());

        // Pressing a tab shows its page.
        PreferencesView* view = window.view();
        QVERIFY(qobject_cast<GeneralPreferencesView*>(view->page(PreferencesTab::general)));
        QVERIFY(!view->page(PreferencesTab::feedback)); // built when first shown
        QSignalSpy changes(view, &PreferencesView::selectedTabChanged);

        QTest::mouseClick(view->tabButton(PreferencesTab::feedback), Qt::LeftButton);
        QCOMPARE(window.selectedTab(), PreferencesTab::feedback);
        QCOMPARE(changes.size(), 1);
        auto* feedback = qobject_cast<FeedbackView*>(view->page(PreferencesTab::feedback));
        QVERIFY(feedback);
        QVERIFY(feedback->isVisible());
        QVERIFY(!view->page(PreferencesTab::general)->isVisible());
        QVERIFY(view->tabButton(PreferencesTab::feedback)->isSelected());
        QVERIFY(!view->tabButton(PreferencesTab::general)->isSelected());

        // A page is kept while another tab is shown: what was typed is still there.
        feedback->setFeedbackText(u"half-written"_s);
        window.selectTab(PreferencesTab::general);
        window.selectTab(PreferencesTab::feedback);
        QCOMPARE(view->page(PreferencesTab::feedback), feedback);
        QCOMPARE(feedback->feedbackText(), u"half-written"_s);
        QCOMPARE(changes.size(), 3);
        window.selectTab(PreferencesTab::feedback);
        QCOMPARE(changes.size(), 3); // selecting the shown tab is no change
        // A hidden window coming back on its last tab is tst_trayapplication's.
    }

    // Without an icon theme the pages draw Corvane's own icons, in the colour each asks for.
    void withoutAnIconThemeEveryIconIsCorvanesOwnInItsColour()
    {
        const QStringList searchPaths = QIcon::themeSearchPaths();
        QIcon::setThemeSearchPaths({});
        QStringList names;
        for (const QString& file : QDir(u":/icons"_s).entryList({u"*.svg"_s}, QDir::Files))
            names.append(QFileInfo(file).completeBaseName());
        QVERIFY(names.size() >= 20);
        for (PreferencesTab tab : allPreferencesTabs)
            names.append(preferencesTabSymbol(tab));
        for (FeedbackType type : allFeedbackTypes)
            names.append(feedbackTypeSymbol(type));
        for (const QString& name : std::as_const(names)) {
            QVERIFY2(SymbolIcons::hasOwnDrawing(name), qPrintable(name));
            const QImage image = SymbolIcons::pixmap(name, 16, Qt::red, 2)
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(32, 32));
            int drawn = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel.alpha() < 128)
                        continue;
                    ++drawn;
                    QVERIFY2(pixel.red() == 255 && pixel.green() == 0 && pixel.blue() == 0,
                             qPrintable(name));
                }
            }
            QVERIFY2(drawn >= 40, qPrintable(name));
        }
        // A name Corvane does not carry leaves its place empty.
        QVERIFY(!SymbolIcons::hasOwnDrawing(u"no-such-icon"_s));
        QVERIFY(SymbolIcons::pixmap(u"no-such-icon"_s, 16, Qt::red)
                    .toImage()
                    .pixelColor(8, 8)
                    .alpha() == 0);
        QIcon::setThemeSearchPaths(searchPaths);
    }

private:
    void showPage()
    {
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    // What the page shows: the snap and span keys, the space around zones, the switches
    // (restore size, resize neighbours, preview, move between displays, launch at login), the
    // number of excluded applications, the two colours, and the switches of new windows and
    // layout changes.
    static QVariantList shown(const GeneralPreferencesView& page)
    {
        return {page.modifierKeyButton()->currentKey(),
                page.spanKeyButton()->currentKey(),
                page.spaceAroundZonesBox()->value(),
                page.restoreSizeToggle()->isChecked(),
                page.resizeNeighboursToggle()->isChecked(),
                page.layoutPreviewToggle()->isChecked(),
                page.moveBetweenDisplaysToggle()->isChecked(),
                page.launchAtLoginToggle()->isChecked(),
                page.excludedApplications()->list()->count(),
                page.normalZoneColorButton()->color(),
                page.highlightZoneColorButton()->color(),
                page.newWindowsToLastZoneToggle()->isChecked(),
                page.followLayoutChangeToggle()->isChecked()};
    }
    static QVariantList defaults()
    {
        const ZoneColors colors = Settings::defaultZoneColors();
        return {u"shift"_s,    u"control"_s,     0,    true, true, true, true, false, 0,
                colors.normal, colors.highlight, true, true};
    }

    FakePlatform* fake = nullptr;
    std::unique_ptr<GeneralPreferencesView> page;
};

QTEST_MAIN(GeneralPreferencesTest)
#include "tst_generalpreferences.moc"
