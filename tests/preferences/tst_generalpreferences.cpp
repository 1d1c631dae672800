#include "TestEnvironment.h"
#include "preferences/AccessibilityStatusView.h"
#include "preferences/ColorWell.h"
#include "preferences/ExcludedApplicationsView.h"
#include "preferences/GeneralPreferencesView.h"
#include "preferences/KeyCaptureButton.h"
#include "preferences/KeyCaptureView.h"
#include "preferences/ModernToggle.h"
#include "preferences/PreferencesRowView.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "windows/WindowPicker.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace corvane;
using namespace std::chrono_literals;

namespace {

// Answers the modal message boxes as they open, in order, with the given button texts, and
// remembers what each one said.
class AlertResponder : public QObject {
public:
    struct Seen {
        QString text;
        QString informativeText;
        QStringList buttons;
        QString defaultButton;
    };
    QList<Seen> seen;

    explicit AlertResponder(QStringList answers) : answers_(std::move(answers))
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            seen.append({box->text(),
                         box->informativeText(),
                         {},
                         box->defaultButton() ? box->defaultButton()->text() : QString()});
            for (QAbstractButton* b : box->buttons())
                seen.last().buttons.append(b->text());
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
        test::resetStores();
        fake = &test::installFakePlatform();
        fake->setDisplays({test::primaryDisplay()});
        page = std::make_unique<GeneralPreferencesView>();
        page->resize(600, 900);
    }

    void cleanup() { page.reset(); }

    void aFreshInstallationShowsTheDefaults()
    {
        showPage();
        QCOMPARE(page->normalZoneColorWell()->color(), QColor::fromRgbF(1, 1, 1, 0.2f));
        QCOMPARE(page->highlightZoneColorWell()->color(), QColor::fromRgbF(0, 0.48f, 1, 0.1f));
        QCOMPARE(page->modifierKeyButton()->currentKey(), QStringLiteral("shift"));
        QCOMPARE(page->modifierKeyButton()->displayText(), QStringLiteral("Shift"));
        QVERIFY(page->layoutPreviewToggle()->isChecked());
        QVERIFY(page->moveBetweenDisplaysToggle()->isChecked());
        QVERIFY(!page->launchAtLoginToggle()->isChecked());
        // Looking is not writing: readers go on using the register's defaults.
        const QStringList written = Settings::allKeys();
        for (QLatin1StringView key :
             {SettingsKeys::launchAtLogin, SettingsKeys::dragModifierKey,
              SettingsKeys::showLayoutPreview, SettingsKeys::moveBetweenDisplays,
              SettingsKeys::normalZoneColorRed, SettingsKeys::normalZoneColorAlpha,
              SettingsKeys::highlightZoneColorGreen, SettingsKeys::spanZonesKey,
              SettingsKeys::spaceAroundZones, SettingsKeys::restoreSizeOnUnsnap,
              SettingsKeys::excludedApplications})
            QVERIFY2(!written.contains(key), key.data());

        const auto rows = page->findChildren<PreferencesRowView*>();
        QStringList titles;
        for (const PreferencesRowView* row : rows)
            titles.append(row->title());
        QCOMPARE(titles, (QStringList{
                             "Launch at login", "Window snap modifier key",
                             "Window manager: not announced", "Span zones key",
                             "Space around zones", "Restore window size when dragged out of a zone",
                             "Move between displays", "Excluded applications", "Normal zone color",
                             "Highlight zone color", "Show layout preview", "Reset to Defaults"}));
        QCOMPARE(page->spanKeyButton()->currentKey(), QStringLiteral("control"));
        QCOMPARE(page->spaceAroundZonesBox()->value(), 0);
        QVERIFY(page->restoreSizeToggle()->isChecked());
        QCOMPARE(page->excludedApplications()->list()->count(), 0);
        QCOMPARE(rows.first()->subtitle(),
                 QStringLiteral("Automatically start Corvane when you log in"));
    }

    // The page names the window manager and the key it moves windows with, and adopts that key
    // in one click where the chosen one cannot start a snap.
    void theWindowManagersMoveKeyIsNamedAndAdopted()
    {
        fake->setWindowManager({QStringLiteral("Openbox"), QStringLiteral("option"), false});
        showPage();
        PreferencesRowView* row = page->windowManagerRow();
        QCOMPARE(row->title(), QStringLiteral("Window manager: Openbox"));
        QVERIFY(row->subtitle().contains(QStringLiteral("with Shift held does not snap")));
        QVERIFY(page->useMoveKeyButton()->isVisible());
        QCOMPARE(page->useMoveKeyButton()->text(), QStringLiteral("Use Alt"));

        QSignalSpy changed(&Notifications::shared(), &Notifications::dragModifierKeyChanged);
        page->useMoveKeyButton()->click();
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("option"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(page->modifierKeyButton()->displayText(), QStringLiteral("Alt"));
        QVERIFY(!page->useMoveKeyButton()->isVisible());
        QVERIFY(row->subtitle().contains(QStringLiteral("hold Alt")));
    }

    void storedValuesAreShownWhenThePageAppears()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, QStringLiteral("option"));
        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        Settings::setHighlightZoneColor(QColor::fromRgbF(1, 0, 0, 0.5f));
        Settings::setValue(SettingsKeys::spanZonesKey, QStringLiteral("command"));
        Settings::setValue(SettingsKeys::spaceAroundZones, 16);
        Settings::setValue(SettingsKeys::restoreSizeOnUnsnap, false);
        Settings::setExcludedApplications({QStringLiteral("XTerm"), QStringLiteral("Gimp")});
        fake->setLoginItemStatus(LoginItemStatus::Enabled);
        showPage();
        QCOMPARE(page->spanKeyButton()->currentKey(), QStringLiteral("command"));
        QCOMPARE(page->spaceAroundZonesBox()->value(), 16);
        QVERIFY(!page->restoreSizeToggle()->isChecked());
        QCOMPARE(page->excludedApplications()->list()->count(), 2);
        QCOMPARE(page->modifierKeyButton()->currentKey(), QStringLiteral("option"));
        QCOMPARE(page->modifierKeyButton()->displayText(), QStringLiteral("Alt"));
        QVERIFY(!page->layoutPreviewToggle()->isChecked());
        QCOMPARE(page->highlightZoneColorWell()->color(), QColor::fromRgbF(1, 0, 0, 0.5f));
        // The switch follows the system's registration and the setting mirrors it.
        QVERIFY(page->launchAtLoginToggle()->isChecked());
        QVERIFY(Settings::launchAtLogin());
    }

    void recordingTheModifierKey()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, QStringLiteral("command"));
        showPage();
        KeyCaptureButton* button = page->modifierKeyButton();

        // Escape goes back to Shift.
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isRecording());
        QCOMPARE(button->displayText(), QStringLiteral("Press any key..."));
        QTest::keyClick(button->captureView(), Qt::Key_Escape);
        QVERIFY(!button->isRecording());
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("shift"));
        QCOMPARE(button->currentKey(), QStringLiteral("shift"));

        // Control and Shift held together: Shift's rule comes first. (QTest would press the
        // modifiers one by one, so the event is built by hand.)
        QTest::mouseClick(button, Qt::LeftButton);
        QKeyEvent both(QEvent::KeyPress, Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier);
        QApplication::sendEvent(button->captureView(), &both);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("shift"));

        // A modifier on its own.
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyPress(button->captureView(), Qt::Key_Alt);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("option"));

        // Tab is recorded rather than moving the focus.
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button->captureView(), Qt::Key_Tab);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("tab"));

        // A key the desktop cannot follow during a drag is refused, and the page says why; the
        // next key it can follow is taken and the message goes.
        QTest::mouseClick(button, Qt::LeftButton);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier,
                           QStringLiteral("\u00e9"));
        QApplication::sendEvent(button->captureView(), &accented);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("tab"));
        QVERIFY(!page->modifierKeyRefusal()->isHidden());
        QVERIFY(page->modifierKeyRefusal()->text().contains(QStringLiteral("\u00c9")));
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button->captureView(), Qt::Key_F5);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("f5"));
        QVERIFY(page->modifierKeyRefusal()->isHidden());
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button->captureView(), Qt::Key_Tab);

        // A second click cancels without storing anything.
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isRecording());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isRecording());
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("tab"));

        // Leaving the page ends recording, and a key pressed afterwards goes nowhere.
        QTest::mouseClick(button, Qt::LeftButton);
        QPointer<KeyCaptureView> capture = button->captureView();
        page->hide();
        QVERIFY(!button->isRecording());
        QTRY_VERIFY(!capture);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("tab"));
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
        QTest::newRow("three, shift among them") << (shift | control | option) << "shift";
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

    void keyPressNames()
    {
        auto name = [](int key, Qt::KeyboardModifiers mods, const QString& text) {
            return KeyCaptureView::nameForKeyPress(key, mods, text).value_or(QString());
        };
        QCOMPARE(name(Qt::Key_Escape, Qt::ControlModifier, {}), QStringLiteral("shift"));
        QCOMPARE(name(Qt::Key_Space, {}, QStringLiteral(" ")), QStringLiteral("space"));
        QCOMPARE(name(Qt::Key_Tab, {}, QStringLiteral("\t")), QStringLiteral("tab"));
        QCOMPARE(name(Qt::Key_A, {}, QStringLiteral("A")), QStringLiteral("a"));
        QCOMPARE(name(Qt::Key_F5, {}, {}), QStringLiteral("f5"));
        // A modifier held with a key names the modifier.
        QCOMPARE(name(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01")),
                 QStringLiteral("control"));
        // Letting go of Control while Shift stays down reports Shift; letting go of the last
        // modifier reports nothing.
        QCOMPARE(KeyCaptureView::nameForModifierChange(
                     Qt::Key_Control, Qt::ControlModifier | Qt::ShiftModifier, false)
                     .value_or(QString()),
                 QStringLiteral("shift"));
        QVERIFY(!KeyCaptureView::nameForModifierChange(Qt::Key_Shift, Qt::ShiftModifier, false));
    }

    void choosingAColourStoresItsComponents()
    {
        showPage();
        QSignalSpy applied(&Notifications::shared(), &Notifications::zoneColorsChanged);
        ColorWell* well = page->normalZoneColorWell();
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
        QCOMPARE(Settings::string(QString(SettingsKeys::spanZonesKey)), QStringLiteral("option"));
        QVERIFY(!page->spanKeyRefusal()->isVisibleTo(page.get()));
        QTest::mouseClick(page->modifierKeyButton(), Qt::LeftButton);
        QTest::keyPress(page->modifierKeyButton()->captureView(), Qt::Key_Alt);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("shift"));
        QVERIFY(page->modifierKeyRefusal()->isVisibleTo(page.get()));

        page->spaceAroundZonesBox()->setValue(24);
        QCOMPARE(Settings::spaceAroundZones(), 24.0);
        QTest::mouseClick(page->restoreSizeToggle(), Qt::LeftButton);
        QVERIFY(!Settings::restoreSizeOnUnsnap());

        fake->addWindow(7, 70, Rect(100, 100, 400, 300));
        fake->window(70)->applicationIdentifiers = {QStringLiteral("xterm"),
                                                    QStringLiteral("XTerm")};
        ExcludedApplicationsView* excluded = page->excludedApplications();
        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(excluded->addButton(), Qt::LeftButton);
            QVERIFY(excluded->picker()->isPicking());
            fake->injectMouseEvent(MouseEventType::LeftMouseDown, 0, Point{200, 700});
            QTRY_VERIFY(!excluded->picker()->isPicking());
        }
        QCOMPARE(Settings::excludedApplications(), QStringList{QStringLiteral("XTerm")});
        // A click where no window names its application adds nothing and says so.
        QTest::mouseClick(excluded->addButton(), Qt::LeftButton);
        fake->injectMouseEvent(MouseEventType::LeftMouseDown, 0, Point{1300, 50});
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
        QTest::mouseClick(page->layoutPreviewToggle(), Qt::LeftButton);
        QVERIFY(!Settings::showLayoutPreview());
        QTest::mouseClick(page->moveBetweenDisplaysToggle(), Qt::LeftButton);
        QVERIFY(!Settings::moveBetweenDisplays());
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

    // Cancelling the confirmation changes nothing; confirming restores every default, in the
    // store, in the login item and on the page, and hands the default colours on.
    void resetAsksFirstThenRestoresEveryDefault()
    {
        storeNonDefaults();
        showPage();
        QSignalSpy applied(&Notifications::shared(), &Notifications::zoneColorsChanged);
        AlertResponder responder(
            {QStringLiteral("Cancel"), QStringLiteral("Reset"), QStringLiteral("OK")});
        QTest::mouseClick(page->resetButton(), Qt::LeftButton);
        QCOMPARE(responder.seen.size(), 1);
        QCOMPARE(responder.seen[0].text, QStringLiteral("Reset to Defaults"));
        QCOMPARE(responder.seen[0].informativeText,
                 QStringLiteral("This will reset all preferences to their default values. This "
                                "action cannot be undone."));
        QCOMPARE(responder.seen[0].buttons, (QStringList{"Cancel", "Reset"}));
        QCOMPARE(responder.seen[0].defaultButton, QStringLiteral("Cancel")); // Enter is safe
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("control"));
        QVERIFY(!Settings::showLayoutPreview());
        QVERIFY(Settings::launchAtLogin());
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::Enabled);
        QCOMPARE(Settings::zoneColors().normal, QColor::fromRgbF(0, 1, 0, 0.6f));
        QCOMPARE(page->modifierKeyButton()->currentKey(), QStringLiteral("control"));
        QVERIFY(applied.isEmpty());

        QTest::mouseClick(page->resetButton(), Qt::LeftButton);
        QCOMPARE(applied.size(), 1);
        QCOMPARE(applied.at(0).at(0).value<QColor>(), Settings::defaultZoneColors().normal);
        QCOMPARE(applied.at(0).at(1).value<QColor>(), Settings::defaultZoneColors().highlight);
        QCOMPARE(responder.seen.size(), 3);
        QCOMPARE(responder.seen[2].text, QStringLiteral("Settings Reset"));
        QCOMPARE(responder.seen[2].informativeText,
                 QStringLiteral("All preferences have been reset to their default values."));
        QCOMPARE(responder.seen[2].buttons.size(), 1);

        const QList<std::pair<QLatin1StringView, double>> expected{
            {SettingsKeys::normalZoneColorRed, 1.0},
            {SettingsKeys::normalZoneColorGreen, 1.0},
            {SettingsKeys::normalZoneColorBlue, 1.0},
            {SettingsKeys::normalZoneColorAlpha, 0.2},
            {SettingsKeys::highlightZoneColorRed, 0.0},
            {SettingsKeys::highlightZoneColorGreen, 0.48},
            {SettingsKeys::highlightZoneColorBlue, 1.0},
            {SettingsKeys::highlightZoneColorAlpha, 0.1},
        };
        for (const auto& [key, value] : expected)
            QCOMPARE(Settings::number(key), value);
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("shift"));
        QVERIFY(Settings::showLayoutPreview());
        QVERIFY(Settings::moveBetweenDisplays());
        QVERIFY(!Settings::launchAtLogin());
        QCOMPARE(fake->loginItems().status(), LoginItemStatus::NotRegistered);
        QVERIFY(!Settings::contains(SettingsKeys::spanZonesKey));
        QCOMPARE(Settings::spaceAroundZones(), 0.0);
        QVERIFY(Settings::restoreSizeOnUnsnap());
        QVERIFY(Settings::excludedApplications().isEmpty());
        QCOMPARE(page->spanKeyButton()->currentKey(), QStringLiteral("control"));
        QCOMPARE(page->spaceAroundZonesBox()->value(), 0);
        QVERIFY(page->restoreSizeToggle()->isChecked());
        QCOMPARE(page->excludedApplications()->list()->count(), 0);

        QCOMPARE(page->modifierKeyButton()->currentKey(), QStringLiteral("shift"));
        QVERIFY(page->layoutPreviewToggle()->isChecked());
        QVERIFY(page->moveBetweenDisplaysToggle()->isChecked());
        QVERIFY(!page->launchAtLoginToggle()->isChecked());
        QCOMPARE(page->normalZoneColorWell()->color(), Settings::defaultZoneColors().normal);
        QCOMPARE(page->highlightZoneColorWell()->color(), Settings::defaultZoneColors().highlight);
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

private:
    void showPage()
    {
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }

    void storeNonDefaults()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, QStringLiteral("control"));
        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        Settings::setValue(SettingsKeys::moveBetweenDisplays, false);
        Settings::setNormalZoneColor(QColor::fromRgbF(0, 1, 0, 0.6f));
        Settings::setHighlightZoneColor(QColor::fromRgbF(1, 0, 0, 0.3f));
        Settings::setValue(SettingsKeys::launchAtLogin, true);
        Settings::setValue(SettingsKeys::spanZonesKey, QStringLiteral("command"));
        Settings::setValue(SettingsKeys::spaceAroundZones, 8);
        Settings::setValue(SettingsKeys::restoreSizeOnUnsnap, false);
        Settings::setExcludedApplications({QStringLiteral("xterm")});
        fake->setLoginItemStatus(LoginItemStatus::Enabled);
    }

    FakePlatform* fake = nullptr;
    std::unique_ptr<GeneralPreferencesView> page;
};

QTEST_MAIN(GeneralPreferencesTest)
#include "tst_generalpreferences.moc"
