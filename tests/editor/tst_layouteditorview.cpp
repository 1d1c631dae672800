#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "editor/CustomLayoutEditorWindowController.h"
#include "editor/CustomLayoutToolbarView.h"
#include "editor/LayoutEditorView.h"
#include "editor/LayoutPreviewView.h"
#include "editor/MonitorCard.h"
#include "editor/MonitorSelectionView.h"
#include "managers/LayoutManager.h"
#include "managers/ZoneManager.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

void press(QWidget* cell)
{
    test::pressLeft(cell, QPointF(10, 10));
    test::releaseLeft(cell, QPointF(10, 10));
}

} // namespace

class LayoutEditorViewTest : public QObject {
    Q_OBJECT

    FakePlatform* fake_ = nullptr;
    std::unique_ptr<ZoneManager> windows_;
    std::unique_ptr<LayoutManager> layouts_;
    std::unique_ptr<LayoutEditorView> view_;

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
    static ScreenLayout customLayout(const QString& name, const ZoneList& zones)
    {
        return ScreenLayout{QUuid::createUuid(), name, zones, std::nullopt};
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
        test::resetStores();
        fake_ = &test::installFakePlatform();
        fake_->setDisplays({test::primaryDisplay(), test::secondDisplay()});
        windows_ = std::make_unique<ZoneManager>();
        layouts_ = std::make_unique<LayoutManager>(*windows_);
    }
    void cleanup()
    {
        view_.reset();
        layouts_.reset();
        windows_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

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

        // A display without a stored choice has no selected cell.
        view.setSelectedMonitor(test::secondDisplay());
        QCOMPARE(selectedCell(), nullptr);
        QCOMPARE(view.monitorPicker()->cards().at(1)->isSelected(), true);
        QCOMPARE(view.monitorPicker()->cards().at(0)->isSelected(), false);
    }

    void choosingNoLayoutStoresAChoiceWithoutZones()
    {
        LayoutEditorView& view = makeView();
        view.show();
        press(view.templateCells().first());
        QTRY_VERIFY(layouts_->layoutFor(test::primaryDisplay()).has_value());
        QCOMPARE(layouts_->layoutFor(test::primaryDisplay())->id, noLayout().id);
        QVERIFY(layouts_->layoutFor(test::primaryDisplay())->zones.isEmpty());
        QVERIFY(zonesOf(test::primaryDisplay()).isEmpty());
        QCOMPARE(selectedCell(), view.templateCells().first());
        QVERIFY(!layouts_->layoutFor(test::secondDisplay()));
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
        QCOMPARE(alert->windowTitle(), u"Error"_s);
        QCOMPARE(alert->text(), u"Please select a monitor first"_s);
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
        QCOMPARE(view.emptyCustomLayoutsLabel()->text(), u"No custom layouts yet"_s);
        QVERIFY(view.createNewButton()->isVisible() && view.createNewButton()->isEnabled());
        QCOMPARE(view.createNewButton()->text(), u"Create New"_s);

        const ScreenLayout mine = customLayout(u"Mine"_s, {Zone(Rect(0, 0, 1, 1))});
        layouts_->addCustomLayout(mine);
        QCOMPARE(view.customCells().size(), 1);
        QVERIFY(!view.emptyCustomLayoutsLabel()->isVisible());

        // Choosing a custom layout draws its cell as selected.
        press(view.customCells().first());
        QTRY_COMPARE(selectedCell(), view.customCells().first());

        // Deleting a layout that a display uses asks first, naming the display; the display
        // then uses Tall at once.
        QPointer<QMenu> menu = view.showContextMenu(view.customCells().first(), QPoint(5, 5));
        QCOMPARE(test::menuTexts(*menu), (QStringList{u"Edit"_s, u"Delete"_s}));
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

    void editingFromTheContextMenuReplacesTheLayout()
    {
        const ScreenLayout mine =
            customLayout(u"Mine"_s, {Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))});
        layouts_->addCustomLayout(mine);
        LayoutEditorView& view = makeView();
        view.show();

        QPointer<QMenu> menu = view.showContextMenu(view.customCells().first(), QPoint(5, 5));
        menu->actions().at(0)->trigger();
        menu->close();
        QVERIFY(view.isEditorActive());
        CustomLayoutEditorWindowController* editor = view.editorWindowController();
        QVERIFY(editor);
        QTRY_VERIFY(layouts_->isEditing() && windows_->overlayWindow());
        QCOMPARE(editor->toolbarView()->layoutName(), u"Mine"_s);
        QCOMPARE(test::zoneIds(*layouts_->editingZones()), test::zoneIds(mine.zones));

        // Saved, it replaces the layout's cell.
        editor->toolbarView()->nameField()->setText(u"Mine, edited"_s);
        editor->toolbarView()->saveButton()->click();
        QTRY_VERIFY(!view.isEditorActive());
        QVERIFY(!view.editorWindowController());
        QCOMPARE(view.customCells().size(), 1);
        QCOMPARE(view.customCells().first()->layout().name, u"Mine, edited"_s);
    }

    void createNewReplacesAnOpenEditorAndHidingThePageEndsIt()
    {
        LayoutEditorView& view = makeView();
        view.show();
        view.createNewLayout();
        QPointer<CustomLayoutEditorWindowController> first = view.editorWindowController();
        QTRY_VERIFY(layouts_->isEditing());
        QCOMPARE(first->toolbarView()->layoutName(), u"New Layout"_s);
        QCOMPARE(layouts_->editingZones()->size(), 1);

        view.createNewLayout();
        QVERIFY(view.editorWindowController() != first);
        QCOMPARE(CustomLayoutEditorWindowController::openEditor(), view.editorWindowController());
        QTRY_VERIFY(!first);
        QVERIFY(view.isEditorActive());
        QTRY_VERIFY(layouts_->isEditing() && windows_->overlayWindow());

        // Hiding the page ends the editing session.
        QPointer<CustomLayoutEditorWindowController> second = view.editorWindowController();
        view.hide();
        QVERIFY(!layouts_->isEditing());
        QVERIFY(!layouts_->editingZones());
        QVERIFY(!windows_->overlayWindow());
        QVERIFY(!view.isEditorActive());
        QCOMPARE(CustomLayoutEditorWindowController::openEditor(), nullptr);
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
                                                 u"Main Display"_s}));
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

    void previewsDrawZonesOrTheNoLayoutText()
    {
        const ScreenLayout left = customLayout(u"Left"_s, {Zone(Rect(0, 0, 0.5, 1))});
        const auto render = [](const ScreenLayout& layout) {
            LayoutPreviewView cell(layout, true);
            QImage image(cell.size(), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            cell.render(&image);
            return image;
        };
        QCOMPARE(LayoutPreviewView(left, true).height(), LayoutPreviewView::thumbnailHeight);
        const QImage zoned = render(left);
        const QImage empty = render(customLayout(u"Empty"_s, {}));
        // Inside the left half the zone's tint shows; the right half is bare, like an empty one.
        const QPoint inside(LayoutPreviewView::thumbnailWidth / 4, 45);
        const QPoint outside(LayoutPreviewView::thumbnailWidth * 3 / 4, 20);
        QVERIFY(zoned.pixel(inside) != empty.pixel(inside));
        QCOMPARE(zoned.pixel(outside), empty.pixel(outside));
        // The text sits in the middle of an empty preview.
        QImage bare(64, 20, empty.format());
        bare.fill(empty.pixel(outside));
        QVERIFY(empty.copy(40, 35, 64, 20) != bare);
    }
};

QTEST_MAIN(LayoutEditorViewTest)
#include "tst_layouteditorview.moc"
