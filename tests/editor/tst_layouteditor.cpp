// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "editor/BackdropWindow.h"
#include "editor/CustomGridPopup.h"
#include "editor/CustomLayoutEditor.h"
#include "editor/CustomLayoutEditorView.h"
#include "editor/CustomLayoutToolbarView.h"
#include "editor/LayoutEditingSession.h"
#include "editor/LayoutEditorView.h"
#include "editor/LayoutPreviewView.h"
#include "editor/MonitorCard.h"
#include "editor/MonitorSelectionView.h"
#include "editor/ToolWindow.h"
#include "layouts/LayoutKeys.h"
#include "layouts/LayoutManager.h"
#include "models/Layouts.h"
#include "overlay/GridView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ZoneManager.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;
using Controller = CustomLayoutEditor;

namespace {

void press(QWidget* cell)
{
    test::pressLeft(cell, QPointF(10, 10));
    test::releaseLeft(cell, QPointF(10, 10));
}

} // namespace

// The layout editor: the page with the layouts and displays, and the editor it opens (its
// backdrop, overlay and toolbar).
class LayoutEditorTest : public QObject {
    Q_OBJECT

    FakePlatform* fake_ = nullptr;
    std::unique_ptr<ZoneManager> windows_;
    std::unique_ptr<LayoutManager> layouts_;
    std::unique_ptr<Controller> editor_;
    std::unique_ptr<LayoutEditorView> view_;
    int closed_ = 0;

    // Opens the editor the way the gallery does: the session names the layout, then the editor
    // is built and shown, and its overlay comes up on the next turn.
    Controller& open(std::optional<ScreenLayout> layout = std::nullopt)
    {
        LayoutEditingSession::of(*layouts_).startEditing(layout);
        editor_ = std::make_unique<Controller>(*layouts_, [this] { ++closed_; });
        editor_->showWindow();
        [&] { QTRY_VERIFY(grid() && LayoutEditingSession::of(*layouts_).isEditing()); }();
        return *editor_;
    }
    CustomLayoutToolbarView& toolbar() { return *editor_->toolbarView(); }
    GridView* grid() const
    {
        OverlayWindow* overlay = windows_->overlayWindow();
        return overlay ? qobject_cast<GridView*>(overlay->contentView()) : nullptr;
    }
    ZoneList editingZones() const
    {
        return LayoutEditingSession::of(*layouts_).editingZones().value_or(ZoneList{});
    }
    void activateToolbar()
    {
        editor_->toolbarWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor_->toolbarWindow()));
    }
    static ScreenLayout layoutOf(const QString& name, const ZoneList& zones)
    {
        return ScreenLayout{QUuid::createUuid(), name, zones, std::nullopt};
    }

    LayoutEditorView& makeView()
    {
        view_ = std::make_unique<LayoutEditorView>(*layouts_);
        view_->resize(700, 600);
        return *view_;
    }
    ZoneList zonesOf(const corvane::Display& display) const
    {
        return windows_->monitorZones().value(monitorID(display));
    }
    LayoutPreviewView* selectedCell() const
    {
        LayoutPreviewView* found = nullptr;
        for (const auto& cells : {view_->templateCells(), view_->customCells()}) {
            for (LayoutPreviewView* cell : cells) {
                if (cell->isSelected()) {
                    if (found)
                        return nullptr; // more than one: wrong either way
                    found = cell;
                }
            }
        }
        return found;
    }

private slots:
    void init()
    {
        fake_ = &test::freshDesktop();
        windows_ = std::make_unique<ZoneManager>();
        layouts_ = std::make_unique<LayoutManager>(*windows_);
        closed_ = 0;
    }
    void cleanup()
    {
        view_.reset();
        editor_.reset();
        layouts_.reset();
        windows_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void newLayoutOpensAsNewLayoutWithOneZoneOverADimmedBackdrop()
    {
        Controller& editor = open();
        QCOMPARE(toolbar().layoutName(), u"New Layout"_s);
        QCOMPARE(editingZones().size(), 1);
        QCOMPARE(grid()->customZones()->size(), 1);
        QVERIFY(grid()->isEditing());
        QVERIFY(!windows_->overlayWindow()->ignoresMouseEvents());
        QCOMPARE(Controller::openEditor(), &editor);

        // The backdrop spans both displays; the toolbar is centred 30 points below the top of
        // the main display (1440 x 900, global origin at its top-left).
        QVERIFY(editor.window()->isVisible());
        QCOMPARE(editor.window()->screenRect(), Rect(0, -180, 3360, 1080));
        QCOMPARE(editor.window()->geometry(), QRect(0, -180, 3360, 1080));
        QCOMPARE(editor.toolbarWindow()->geometry(), QRect(220, 30, 1000, 70));

        // The toolbar takes the keyboard, in its name field.
        activateToolbar();
        QCOMPARE(QApplication::focusWidget(), toolbar().nameField());
    }

    void pressingAZoneEnablesDeleteZoneUntilItIsDeleted()
    {
        open();
        QPushButton* deleteZone = toolbar().deleteZoneButton();
        QVERIFY(!deleteZone->isEnabled());
        QCOMPARE(deleteZone->toolTip(), u"Select a zone to delete it"_s);

        // A press in the middle of the default zone, in the overlay itself.
        const QUuid pressed = editingZones().first().id;
        test::pressLeft(grid(), QPointF(grid()->width() / 2.0, grid()->height() / 2.0));
        test::releaseLeft(grid(), QPointF(grid()->width() / 2.0, grid()->height() / 2.0));
        QCOMPARE(toolbar().selection().selectedZoneId(), pressed);
        QVERIFY(deleteZone->isEnabled());
        QCOMPARE(deleteZone->toolTip(), u"Delete the selected zone"_s);
        // The backdrop's own view follows too, and a press on it clears only its selection.
        QCOMPARE(editor_->contentView()->selection().selectedZoneId(), pressed);
        test::pressLeft(editor_->contentView(), QPointF(5, 5));
        QVERIFY(!editor_->contentView()->selection().selectedZoneId());
        QVERIFY(deleteZone->isEnabled());

        deleteZone->click();
        QVERIFY(!deleteZone->isEnabled());
        QVERIFY(editingZones().isEmpty());
        QTRY_VERIFY(grid() && grid()->customZones()->isEmpty());

        // A zone deleted elsewhere stops being the selection; another zone's deletion does not.
        toolbar().addZone();
        toolbar().addZone();
        const ZoneList zones = editingZones();
        emit Notifications::shared().zoneSelected(zones[0].id);
        QVERIFY(deleteZone->isEnabled());
        emit Notifications::shared().zoneDeleted(zones[1].id);
        QVERIFY(deleteZone->isEnabled());
        emit Notifications::shared().zoneDeleted(zones[0].id);
        QVERIFY(!deleteZone->isEnabled());
    }

    void blankNamesCannotBeSavedAndNamesAreSavedAsTyped()
    {
        open();
        activateToolbar();
        QLineEdit* name = toolbar().nameField();
        name->setText(u"  \t "_s);
        QVERIFY(!toolbar().saveButton()->isEnabled());
        QCOMPARE(toolbar().saveButton()->toolTip(), u"Enter a layout name to save"_s);
        QTest::keyClick(name, Qt::Key_Return, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QVERIFY(layouts_->customLayouts().isEmpty());
        QVERIFY(LayoutEditingSession::of(*layouts_).isEditing());
        QVERIFY(!editor_->isClosing());

        name->setText(u" My layout "_s);
        QVERIFY(toolbar().saveButton()->isEnabled());
        QCOMPARE(toolbar().saveButton()->toolTip(), u"Save the custom layout"_s);
        QTest::keyClick(name, Qt::Key_Return); // Return alone, as in a dialog
        QCOMPARE(layouts_->customLayouts().size(), 1);
        QCOMPARE(layouts_->customLayouts().first().name, u" My layout "_s);
        QTRY_COMPARE(closed_, 1);
    }

    // A save that does not reach the disk is said at once, adds nothing to the gallery, and
    // leaves the drawing open for another try.
    void aFailedSaveIsSaidAndKeepsTheDrawing()
    {
        open();
        toolbar().nameField()->setText(u"Mine"_s);
        toolbar().addZone();
        QVERIFY(test::blockSettingsFolder());
        toolbar().saveButton()->click();
        QVERIFY(toolbar().saveFailureAlert() && toolbar().saveFailureAlert()->isVisible());
        QVERIFY(toolbar().saveFailureAlert()->text().contains(u"not a folder"_s));
        QVERIFY(layouts_->customLayouts().isEmpty());
        QVERIFY(LayoutEditingSession::of(*layouts_).isEditing());
        QCOMPARE(editingZones().size(), 2);
        QCOMPARE(closed_, 0);

        toolbar().saveFailureAlert()->accept();
        QVERIFY(test::unblockSettingsFolder());
        toolbar().saveButton()->click();
        QCOMPARE(layouts_->customLayouts().size(), 1);
        QTRY_COMPARE(closed_, 1);
    }

    void wholeNumbersOnlyForTheCustomGrid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("expected");
        QTest::newRow("plain") << "3" << std::optional<qint64>(3);
        QTest::newRow("plus") << "+3" << std::optional<qint64>(3);
        QTest::newRow("minus") << "-4" << std::optional<qint64>(-4);
        QTest::newRow("leading space") << " 3" << std::optional<qint64>();
        QTest::newRow("letters") << "abc" << std::optional<qint64>();
        QTest::newRow("sign alone") << "+" << std::optional<qint64>();
        QTest::newRow("empty") << "" << std::optional<qint64>();
        QTest::newRow("decimal") << "2.0" << std::optional<qint64>();
        QTest::newRow("other digits") << u"\u0663"_s << std::optional<qint64>();
        QTest::newRow("largest") << "9223372036854775807"
                                 << std::optional<qint64>(std::numeric_limits<qint64>::max());
        QTest::newRow("too large") << "9223372036854775808" << std::optional<qint64>();
        QTest::newRow("smallest") << "-9223372036854775808"
                                  << std::optional<qint64>(std::numeric_limits<qint64>::min());
    }
    void wholeNumbersOnlyForTheCustomGrid()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, expected);
        QCOMPARE(CustomGridPopup::wholeNumber(text), expected);
    }

    // The grid menu offers the presets and Custom Grid; the custom grid popup generates only
    // in range.
    void gridMenuAndCustomGridPopup()
    {
        open();
        toolbar().gridMenuButton()->click();
        QVERIFY(toolbar().gridMenu()->isVisible());
        toolbar().gridMenu()->close();
        QCOMPARE(test::menuTexts(*toolbar().gridMenu()),
                 (QStringList{u"2\u00d72 Grid"_s, u"2\u00d73 Grid"_s, u"3\u00d72 Grid"_s,
                              u"3\u00d73 Grid"_s, u"-"_s, u"Custom Grid\u2026"_s}));
        toolbar().gridMenu()->actions()[1]->trigger();
        QCOMPARE(editingZones().size(), 6); // the grid's order is tst_layoutmanager's
        toolbar().gridMenu()->actions().last()->trigger();
        QVERIFY(toolbar().isGridGeneratorShown());
        toolbar().gridPopup()->cancelButton()->click();
        QVERIFY(!toolbar().isGridGeneratorShown());

        const ZoneList before = editingZones();
        toolbar().showGridGenerator();
        CustomGridPopup* popup = toolbar().gridPopup();
        QVERIFY(toolbar().isGridGeneratorShown());
        QVERIFY(!popup->generateButton()->isEnabled());

        const auto enter = [&](const QString& rows, const QString& columns) {
            popup->rowsField()->setText(rows);
            popup->columnsField()->setText(columns);
        };
        enter(u" 3"_s, u"2"_s); // only what wholeNumber takes
        QVERIFY(!popup->generateButton()->isEnabled());
        for (const auto& [rows, columns] : {std::pair{"0", "2"}, std::pair{"3", "11"}}) {
            enter(QString::fromLatin1(rows), QString::fromLatin1(columns));
            QVERIFY(popup->generateButton()->isEnabled());
            popup->generateButton()->click();
            QVERIFY(popup->isVisible());
            QCOMPARE(test::zoneIds(editingZones()), test::zoneIds(before));
        }

        // Return in the popup generates (and does not save the layout).
        enter(u"+3"_s, u"3"_s);
        QTest::keyClick(popup->columnsField(), Qt::Key_Return);
        QVERIFY(!toolbar().isGridGeneratorShown());
        QCOMPARE(editingZones().size(), 9);
        QVERIFY(layouts_->customLayouts().isEmpty());
        QVERIFY(!editor_->isClosing());
    }

    void escapeOrClosingEitherWindowCancelsAndCleanUpRunsOnce()
    {
        open();
        activateToolbar();
        QTest::keyClick(toolbar().nameField(), Qt::Key_Escape);
        QVERIFY(toolbar().isClosing());
        QVERIFY(!LayoutEditingSession::of(*layouts_).isEditing());
        QVERIFY(!windows_->overlayWindow());
        QVERIFY(layouts_->customLayouts().isEmpty());
        QTRY_VERIFY(editor_->isClosing());
        QTRY_COMPARE(closed_, 1);

        editor_->close();
        QTest::qWait(50);
        QCOMPARE(closed_, 1);

        // Closing either window closes the editor.
        open();
        editor_->window()->close();
        QVERIFY(editor_->isClosing());
        QVERIFY(!LayoutEditingSession::of(*layouts_).isEditing());
        QTRY_COMPARE(closed_, 2);
        open();
        editor_->toolbarWindow()->close();
        QVERIFY(editor_->isClosing());
        QTRY_COMPARE(closed_, 3);
    }

    // Every kind of change is one step: an addition, a whole drag, a deletion, a grid.
    void undoAndRedoStepThroughZoneChanges()
    {
        open();
        activateToolbar();
        const auto undo = [&] {
            QTest::keyClick(toolbar().nameField(), Qt::Key_Z, Qt::ControlModifier);
        };
        const auto redo = [&] {
            QTest::keyClick(toolbar().nameField(), Qt::Key_Z,
                            Qt::ControlModifier | Qt::ShiftModifier);
        };
        const ZoneList initial = editingZones();
        toolbar().addZone();
        const ZoneList added = editingZones();
        // One drag in several steps moves the first zone.
        const QPointF centre(grid()->width() / 2.0, grid()->height() / 2.0);
        test::pressLeft(grid(), centre);
        for (int step = 1; step <= 3; ++step)
            test::dragLeft(grid(), centre + QPointF(20 * step, 0));
        test::releaseLeft(grid(), centre + QPointF(60, 0));
        QTRY_VERIFY(editingZones().first().frame.x > added.first().frame.x);
        const ZoneList moved = editingZones();
        LayoutEditingSession::of(*layouts_).deleteZone(moved.last().id);
        QCOMPARE(editingZones().size(), 1);

        undo();
        QCOMPARE(test::zoneIds(editingZones()), test::zoneIds(moved));
        undo();
        QCOMPARE(editingZones().first().frame, added.first().frame);
        undo();
        QCOMPARE(test::zoneIds(editingZones()), test::zoneIds(initial));
        undo(); // nothing more to undo: the name field's text stays as it was
        QCOMPARE(toolbar().layoutName(), u"New Layout"_s);
        QTRY_COMPARE(test::zoneIds(*grid()->customZones()), test::zoneIds(initial));

        redo();
        redo();
        QCOMPARE(editingZones().first().frame, moved.first().frame);
        QCOMPARE(grid()->customZones()->size(), 2);
        // A new change forgets what could be redone.
        toolbar().generateGrid(2, 2);
        redo();
        QCOMPARE(editingZones().size(), 4);
        undo();
        QCOMPARE(editingZones().first().frame, moved.first().frame);
    }

    // Tab walks from the name field through the zones in layout order, the zone wearing a focus
    // ring; arrows move it and Shift+arrows resize it, kept on the display; Delete removes it
    // as Delete Zone does. In the name field the same keys edit the text.
    void theKeyboardWalksMovesResizesAndDeletesZones()
    {
        open();
        activateToolbar();
        toolbar().generateGrid(1, 2);
        const ZoneList zones = editingZones();
        QCOMPARE(zones.size(), 2);
        const auto near = [](const Rect& a, const Rect& b) {
            return qAbs(a.x - b.x) < 1e-9 && qAbs(a.y - b.y) < 1e-9 &&
                   qAbs(a.width - b.width) < 1e-9 && qAbs(a.height - b.height) < 1e-9;
        };

        // A pressed zone is selected, but the keys stay with the name field.
        QLineEdit* name = toolbar().nameField();
        name->setFocus();
        emit Notifications::shared().zoneSelected(zones[0].id);
        QTest::keyClick(name, Qt::Key_Left);
        QTest::keyClick(name, Qt::Key_Delete);
        QCOMPARE(toolbar().layoutName(), u"New Layou"_s);
        QCOMPARE(editingZones().size(), 2);
        QCOMPARE(editingZones()[0].frame, zones[0].frame);
        QVERIFY(!toolbar().zonesHaveKeyboard());

        QTest::keyClick(name, Qt::Key_Tab);
        QVERIFY(toolbar().zonesHaveKeyboard());
        QCOMPARE(toolbar().selection().selectedZoneId(), zones[0].id);
        QTRY_VERIFY(grid()->showsFocusRing() && grid()->selectedZone()->id == zones[0].id);
        QTest::keyClick(&toolbar(), Qt::Key_Tab);
        QCOMPARE(toolbar().selection().selectedZoneId(), zones[1].id);
        QVERIFY(grid()->selectedZone()->id == zones[1].id);

        // The second zone of a 1 x 2 grid with gaps of 0.02: x 0.51, width 0.47, height 0.96.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&toolbar(), Qt::Key_Right); // the third stops at the right edge
        QTest::keyClick(&toolbar(), Qt::Key_Up);
        QTest::keyClick(&toolbar(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(&toolbar(), Qt::Key_Down, Qt::ShiftModifier);
        const Rect expected(0.53, 0.01, 0.46, 0.97);
        QVERIFY(near(editingZones()[1].frame, expected));
        QTRY_VERIFY(near(grid()->customZones()->at(1).frame, expected));

        QTest::keyClick(&toolbar(), Qt::Key_Delete);
        QCOMPARE(test::zoneIds(editingZones()), QList<QUuid>{zones[0].id});
        QVERIFY(!toolbar().selection().selectedZoneId());
        // Undo brings the zone back as it was moved, then as it was before.
        QTest::keyClick(&toolbar(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(near(editingZones().at(1).frame, expected));
        QTest::keyClick(&toolbar(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editingZones().at(1).frame, zones[1].frame);

        // Shift+Tab from the first zone returns to the name field; Tab past the last zone goes
        // on to the buttons.
        QTest::keyClick(&toolbar(), Qt::Key_Tab);
        QCOMPARE(toolbar().selection().selectedZoneId(), zones[0].id);
        QTest::keyClick(&toolbar(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(name->hasFocus());
        QVERIFY(!grid()->showsFocusRing());
        QTest::keyClick(name, Qt::Key_Tab);
        QTest::keyClick(&toolbar(), Qt::Key_Tab);
        QTest::keyClick(&toolbar(), Qt::Key_Tab);
        QVERIFY(toolbar().gridMenuButton()->hasFocus());
    }

    // The editor follows its display; when the display goes, it closes and keeps a draft.
    void theEditorFollowsDisplayChanges()
    {
        Controller& editor = open();
        toolbar().nameField()->setText(u"Half done"_s);
        toolbar().addZone();
        fake_->setDisplays({test::primaryDisplay()});
        fake_->emitScreenParametersChanged();
        QCOMPARE(editor.window()->screenRect(), Rect(0, 0, 1440, 900));
        QVERIFY(grid() && grid()->isEditing());

        // The display grows: the overlay covers it as it is, the toolbar stays centred on it,
        // and saved layouts applied again meanwhile leave the editing overlay up.
        corvane::Display larger = test::primaryDisplay();
        larger.frame = larger.visibleFrame = Rect(0, 0, 2560, 1440);
        corvane::Display above = test::secondDisplay();
        above.frame = Rect(-200, 1440, 1920, 1080);
        fake_->setDisplays({larger, above});
        fake_->emitScreenParametersChanged();
        layouts_->applySavedLayouts();
        QVERIFY(grid() && grid()->isEditing());
        QCOMPARE(windows_->overlayWindow()->screenRect(), Rect(0, 0, 2560, 1440));
        QCOMPARE(grid()->customZones()->size(), 2);
        QCOMPARE(editor.window()->screenRect(), Rect(-200, 0, 2760, 2520));
        QCOMPARE(editor.toolbarWindow()->geometry(), QRect(780, 30, 1000, 70));

        // The display goes: the editor closes, says so, and keeps what was drawn and typed.
        const ZoneList drawn = editingZones();
        fake_->setDisplays({above});
        fake_->emitScreenParametersChanged();
        QVERIFY(editor.isClosing());
        QVERIFY(!windows_->overlayWindow());
        QTRY_COMPARE(closed_, 1);
        QVERIFY(Controller::lostDisplayNotice() && Controller::lostDisplayNotice()->isVisible());
        Controller::lostDisplayNotice()->close();
        const auto draft = LayoutEditingSession::of(*layouts_).takeDraft();
        QVERIFY(draft);
        QCOMPARE(draft->name, u"Half done"_s);
        QCOMPARE(test::zoneIds(draft->zones), test::zoneIds(drawn));

        // Opened again, the draft is saved as a layout of its own.
        open(draft);
        QCOMPARE(toolbar().layoutName(), u"Half done"_s);
        toolbar().saveButton()->click();
        QCOMPARE(layouts_->customLayouts().size(), 1);
        QCOMPARE(test::zoneIds(layouts_->customLayouts().first().zones), test::zoneIds(drawn));
    }

    // The page.
    void appearingAppliesTheStoredLayoutsAndSelectsTheFirstDisplay()
    {
        {
            LayoutManager earlier(*windows_);
            earlier.saveLayoutPreference(test::primaryDisplay(), focusLayout());
        }
        LayoutEditorView& view = makeView();
        QVERIFY(windows_->monitorZones().isEmpty());

        view.show();
        QCOMPARE(test::zoneIds(zonesOf(test::primaryDisplay())),
                 test::zoneIds(focusLayout().zones));
        const auto tall = templateNamed(u"Tall"_s);
        QVERIFY(tall);
        QCOMPARE(test::zoneIds(zonesOf(test::secondDisplay())), test::zoneIds(tall->zones));
        QCOMPARE(view.selectedMonitor(), std::optional(test::primaryDisplay()));
        QCOMPARE(view.selectedLayout()->id, focusLayout().id);
        QVERIFY(selectedCell());
        QCOMPARE(selectedCell()->layout().id, focusLayout().id);

        // Every predefined layout has a cell, in order, "No Layout" first.
        const QList<ScreenLayout> all = allLayouts();
        QCOMPARE(view.templateCells().size(), all.size());
        QCOMPARE(view.templateCells().first()->layout().id, noLayout().id);
        QCOMPARE(view.templateCells().last()->layout().id, all.last().id);

        // A display without a stored choice uses the fallback layout, and its cell is marked.
        view.setSelectedMonitor(test::secondDisplay());
        QVERIFY(selectedCell());
        QCOMPARE(selectedCell()->layout().id, tall->id);
        QCOMPARE(view.monitorPicker()->cards().at(1)->isSelected(), true);
        QCOMPARE(view.monitorPicker()->cards().at(0)->isSelected(), false);

        // Choosing "No Layout" stores a choice without zones for that display alone.
        press(view.templateCells().first());
        QTRY_VERIFY(layouts_->layoutFor(test::secondDisplay()).has_value());
        QCOMPARE(layouts_->layoutFor(test::secondDisplay())->id, noLayout().id);
        QVERIFY(zonesOf(test::secondDisplay()).isEmpty());
        QCOMPARE(selectedCell(), view.templateCells().first());
        QCOMPARE(layouts_->layoutFor(test::primaryDisplay())->id, focusLayout().id);
    }

    void choosingWithoutADisplayShowsTheAlertAndStoresNothing()
    {
        fake_->setDisplays({});
        LayoutEditorView& view = makeView();
        view.show();
        QVERIFY(!view.selectedMonitor());
        QVERIFY(view.monitorPicker()->cards().isEmpty());

        press(view.templateCells().at(1));
        QCoreApplication::processEvents();
        QVERIFY(view.showError());
        QMessageBox* alert = view.errorAlert();
        QVERIFY(alert);
        QCOMPARE(alert->windowTitle(), u"Layout Editor"_s);
        QCOMPARE(alert->text(), u"Please select a display first"_s);
        QVERIFY(!Settings::contains(SettingsKeys::monitorLayoutPreferences));
        QVERIFY(!view.selectedLayout());

        alert->accept();
        QTRY_VERIFY(!view.showError());
    }

    void customLayoutsSectionFollowsTheManager()
    {
        LayoutEditorView& view = makeView();
        view.show();
        QVERIFY(view.customCells().isEmpty());
        QVERIFY(view.emptyCustomLayoutsLabel()->isVisible());
        QVERIFY(view.createNewButton()->isVisible() && view.createNewButton()->isEnabled());

        const ScreenLayout mine = layoutOf(u"Mine"_s, {Zone(Rect(0, 0, 1, 1))});
        layouts_->addCustomLayout(mine);
        QCOMPARE(view.customCells().size(), 1);
        QVERIFY(!view.emptyCustomLayoutsLabel()->isVisible());

        // Choosing a custom layout draws its cell as selected.
        press(view.customCells().first());
        QTRY_COMPARE(selectedCell(), view.customCells().first());

        // Deleting a layout that a display uses asks first, naming the display; the display
        // then uses Tall at once.
        QPointer<QMenu> menu = view.showContextMenu(view.customCells().first(), QPoint(5, 5));
        QCOMPARE(test::menuTexts(*menu), (QStringList{u"Edit"_s, u"Delete"_s, u"Layout Key"_s}));
        // Its layout key is chosen there too, and kept with the layout.
        menu->actions().at(2)->menu()->actions().at(5)->trigger();
        QCOMPARE(layouts_->customLayouts().first().quickKey, 5);
        QCOMPARE(LayoutKeys(*layouts_).layoutForKey(5)->id, mine.id);
        menu->actions().at(1)->trigger();
        menu->close();
        QMessageBox* confirm = view.deleteConfirmation();
        QVERIFY(confirm && confirm->isVisible());
        QCOMPARE(confirm->informativeText(),
                 u"It is the layout of Built-in. That display will use Tall "
                 "instead."_s);
        confirm->button(QMessageBox::Cancel)->click();
        QCOMPARE(layouts_->customLayouts().size(), 1);
        view.deleteLayout(mine);
        for (QAbstractButton* button : view.deleteConfirmation()->buttons()) {
            if (button->text() == u"Delete"_s)
                button->click();
        }
        QCOMPARE(zonesOf(test::primaryDisplay()).size(), templateNamed(u"Tall"_s)->zones.size());
        QVERIFY(layouts_->customLayouts().isEmpty());
        QVERIFY(view.customCells().isEmpty());
        QVERIFY(view.emptyCustomLayoutsLabel()->isVisible());
    }

    void storedLayoutsThatCannotBeReadAreMentioned()
    {
        QVERIFY(!makeView().unreadableLayoutsNotice()->isVisibleTo(view_.get()));
        Settings::setData(SettingsKeys::customLayouts, QByteArray(R"([{"name":"no id"}])"));
        view_.reset();
        layouts_ = std::make_unique<LayoutManager>(*windows_);
        LayoutEditorView& view = makeView();
        view.show();
        QVERIFY(view.unreadableLayoutsNotice()->isVisible());
        QVERIFY(view.emptyCustomLayoutsLabel()->isVisible());
    }

    // Edit in a custom layout's menu shows it in the editor; saved, the edited layout takes the
    // old one's place in the list (under an id of its own, its zones kept) and its cell, and the
    // editor closes.
    void editingFromTheContextMenuReplacesTheLayout()
    {
        const ScreenLayout mine =
            layoutOf(u"Mine"_s, {Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))});
        const ScreenLayout other = layoutOf(u"Other"_s, {Zone(Rect(0, 0, 1, 1))});
        layouts_->addCustomLayout(mine);
        layouts_->addCustomLayout(other);
        LayoutEditorView& view = makeView();
        view.show();

        QPointer<QMenu> menu = view.showContextMenu(view.customCells().first(), QPoint(5, 5));
        menu->actions().at(0)->trigger();
        menu->close();
        QVERIFY(view.isEditorActive());
        CustomLayoutEditor* editor = view.editor();
        QVERIFY(editor);
        QTRY_VERIFY(LayoutEditingSession::of(*layouts_).isEditing() && grid());
        QCOMPARE(editor->toolbarView()->layoutName(), u"Mine"_s);
        QCOMPARE(test::zoneIds(editingZones()), test::zoneIds(mine.zones));
        QCOMPARE(test::zoneIds(*grid()->customZones()), test::zoneIds(mine.zones));

        editor->toolbarView()->nameField()->setText(u"Mine, edited"_s);
        editor->toolbarView()->addZone();
        editor->toolbarView()->saveButton()->click();
        const QList<ScreenLayout> stored = layouts_->customLayouts();
        QCOMPARE(stored.size(), 2);
        QVERIFY(stored[0].id != mine.id);
        QCOMPARE(stored[0].zones.size(), 3);
        QCOMPARE(stored[0].zones[1].frame, mine.zones[1].frame);
        QCOMPARE(stored[1].id, other.id);
        QVERIFY(!LayoutEditingSession::of(*layouts_).isEditing());
        QTRY_VERIFY(!view.isEditorActive());
        QVERIFY(!view.editor());
        QCOMPARE(view.customCells().first()->layout().name, u"Mine, edited"_s);
    }

    void createNewReplacesAnOpenEditorAndHidingThePageEndsIt()
    {
        LayoutEditorView& view = makeView();
        view.show();
        view.createNewLayout();
        QPointer<CustomLayoutEditor> first = view.editor();
        QTRY_VERIFY(LayoutEditingSession::of(*layouts_).isEditing());

        view.createNewLayout();
        QVERIFY(view.editor() != first);
        QCOMPARE(CustomLayoutEditor::openEditor(), view.editor());
        QTRY_VERIFY(!first);
        QVERIFY(view.isEditorActive());
        QTRY_VERIFY(LayoutEditingSession::of(*layouts_).isEditing() && windows_->overlayWindow());

        // Hiding the page ends the editing session.
        QPointer<CustomLayoutEditor> second = view.editor();
        view.hide();
        QVERIFY(!LayoutEditingSession::of(*layouts_).isEditing());
        QVERIFY(!LayoutEditingSession::of(*layouts_).editingZones());
        QVERIFY(!windows_->overlayWindow());
        QVERIFY(!view.isEditorActive());
        QCOMPARE(CustomLayoutEditor::openEditor(), nullptr);
        QTRY_VERIFY(!second);
    }

    void monitorCardsDescribeTheDisplays()
    {
        LayoutEditorView& view = makeView();
        view.show();
        const QList<MonitorCard*> cards = view.monitorPicker()->cards();
        QCOMPARE(cards.size(), 2);
        QCOMPARE(cards[0]->size(), QSize(160, 90));
        QCOMPARE(cards[0]->texts(), (QStringList{u"Built-in"_s, u"1440\u00d7900"_s, u"Display 1"_s,
                                                 u"Primary Display"_s}));
        QCOMPARE(cards[1]->texts(), (QStringList{u"External"_s, u"1920\u00d71080"_s, u"Display 2"_s,
                                                 u"Secondary Display"_s}));
        corvane::Display odd = test::secondDisplay();
        odd.key = u"elsewhere"_s;
        odd.frame = Rect(0, 0, 1279.9, 800.5);
        QCOMPARE(MonitorCard::positionText(odd, fake_->displayList()), u"?"_s);
        QCOMPARE(MonitorCard::sizeText(odd), u"1279\u00d7800"_s);

        // Pressing a card selects its display; a selected display that goes away gives way to
        // the first one.
        press(cards[1]);
        QCOMPARE(view.selectedMonitor(), std::optional(test::secondDisplay()));
        fake_->setDisplays({test::primaryDisplay()});
        fake_->emitScreenParametersChanged();
        QCOMPARE(view.monitorPicker()->cards().size(), 1);
        QCOMPARE(view.selectedMonitor(), std::optional(test::primaryDisplay()));
    }
};

QTEST_MAIN(LayoutEditorTest)
#include "tst_layouteditor.moc"
