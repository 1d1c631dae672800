// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CustomLayoutToolbarView.h"

#include "editor/CustomGridPopup.h"
#include "editor/LayoutEditingSession.h"
#include "layouts/LayoutManager.h"
#include "overlay/GridView.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolIcons.h"
#include "preferences/SymbolLabel.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <chrono>

namespace corvane {
namespace {

using namespace std::chrono_literals;

// Cancel ends the session at once and closes the editor a moment later.
constexpr auto cancelCloseDelay = 100ms;
constexpr int nameFieldWidth = 200;
constexpr int actionButtonWidth = 100;
// Every button of the row has the same height, the menu button included.
constexpr int buttonHeight = 34;
constexpr int padding = 16;
constexpr int spacing = 20;
constexpr int symbolSize = 16;
// The toolbar's own text colour: it keeps its light background whatever the desktop theme.
const QColor textColor(0x1d, 0x1d, 0x1f);
const QColor inactiveColor(0x8e, 0x8e, 0x93);

struct GridPreset {
    int rows;
    int columns;
};
constexpr GridPreset gridPresets[] = {{2, 2}, {2, 3}, {3, 2}, {3, 3}};

QString presetTitle(GridPreset preset)
{
    return CustomLayoutToolbarView::tr("%1×%2 Grid").arg(preset.rows).arg(preset.columns);
}

// The toolbar keeps its own light colours whatever the desktop theme is, so its texts are dark.
QString toolbarStyleSheet()
{
    const QColor accent = CustomLayoutToolbarView::accentColor();
    return QStringLiteral(
               "QWidget#nameGroup { background: white; border: 1px solid rgba(%1, %2, %3, 77);"
               "  border-radius: 6px; }"
               "QLineEdit#nameField { background: white; color: #1d1d1f;"
               "  border: 1px solid #c7c7cc; border-radius: 5px; padding: 1px 6px;"
               "  font-size: 14px; font-weight: 500; }"
               "QLineEdit#nameField:focus { border: 2px solid rgb(%1, %2, %3); padding: 0px 5px; }"
               // A transparent border keeps the size when the focus ring takes its colour.
               "QPushButton { background: white; color: #1d1d1f; border: 2px solid transparent;"
               "  border-radius: 6px; padding: 6px 10px; font-size: 14px; font-weight: 500; }"
               "QPushButton:hover { background: #f2f2f7; }"
               "QPushButton:pressed { background: #e5e5ea; }"
               "QPushButton:disabled { color: #aeaeb2; }"
               "QPushButton:focus { border-color: rgb(%1, %2, %3); }"
               "QPushButton#cancelButton { border-color: #c7c7cc; }"
               "QPushButton#cancelButton:focus { border-color: rgb(%1, %2, %3); }"
               "QPushButton#saveButton { background: rgb(%1, %2, %3); color: white; }"
               "QPushButton#saveButton:focus { border-color: #0a3d80; }"
               "QPushButton#saveButton:pressed { background: rgb(0, 102, 214); }"
               "QPushButton#saveButton:disabled { background: #8e8e93; color: white; }"
               "QFrame#divider { color: #c7c7cc; }")
        .arg(accent.red())
        .arg(accent.green())
        .arg(accent.blue());
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setIconSize(QSize(symbolSize, symbolSize));
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    // The keyboard starts in the name field; Tab reaches the buttons, which show a focus ring.
    button->setFocusPolicy(Qt::TabFocus);
    button->setFixedHeight(buttonHeight);
    return button;
}

void addShortcut(QWidget* owner, QKeyCombination keys, std::function<void()> action)
{
    auto* shortcut = new QShortcut(QKeySequence(keys), owner);
    QObject::connect(shortcut, &QShortcut::activated, owner, std::move(action));
}

} // namespace

CustomLayoutToolbarView::CustomLayoutToolbarView(LayoutManager& layoutManager,
                                                 std::function<void()> onClose, QWidget* parent)
    : QWidget(parent), layoutManager_(layoutManager), onClose_(std::move(onClose))
{
    setStyleSheet(toolbarStyleSheet());
    resize(toolbarWidth, toolbarHeight);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(padding, padding, padding, padding);
    row->setSpacing(spacing);
    row->addWidget(buildNameGroup());

    gridButton_ = makeButton(tr("Generate Grid"), QStringLiteral("gridMenuButton"), this);
    gridButton_->setIcon(SymbolIcons::icon(QStringLiteral("insert-table"), textColor));
    buildGridMenu();
    // The menu opens under the button, without the arrow a button menu would reserve room for.
    connect(gridButton_, &QPushButton::clicked, this, [this] {
        gridMenu_->popup(gridButton_->mapToGlobal(QPoint(0, gridButton_->height() + 2)));
    });
    row->addWidget(gridButton_);

    addZone_ = makeButton(tr("Add Zone"), QStringLiteral("addZoneButton"), this);
    addZone_->setIcon(SymbolIcons::icon(QStringLiteral("list-add"), accentColor()));
    connect(addZone_, &QPushButton::clicked, this, &CustomLayoutToolbarView::addZone);
    row->addWidget(addZone_);

    deleteZone_ = makeButton(tr("Delete Zone"), QStringLiteral("deleteZoneButton"), this);
    connect(deleteZone_, &QPushButton::clicked, this, &CustomLayoutToolbarView::deleteSelectedZone);
    row->addWidget(deleteZone_);

    row->addStretch(1);
    auto* divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("divider"));
    divider->setFrameShape(QFrame::VLine);
    divider->setFixedHeight(20);
    row->addWidget(divider);

    cancel_ = makeButton(tr("Cancel"), QStringLiteral("cancelButton"), this);
    cancel_->setFixedWidth(actionButtonWidth);
    connect(cancel_, &QPushButton::clicked, this, &CustomLayoutToolbarView::cancel);
    row->addWidget(cancel_);

    save_ = makeButton(tr("Save"), QStringLiteral("saveButton"), this);
    save_->setFixedWidth(actionButtonWidth);
    connect(save_, &QPushButton::clicked, this, &CustomLayoutToolbarView::save);
    row->addWidget(save_);

    popup_ = new CustomGridPopup(this);
    connect(popup_, &CustomGridPopup::generateRequested, this,
            &CustomLayoutToolbarView::generateGrid);

    addShortcut(this, QKeyCombination(Qt::Key_Escape), [this] { cancel_->click(); });
    // Return and the keypad's Enter both count; a disabled Save ignores them.
    addShortcut(this, Qt::CTRL | Qt::Key_Return, [this] { save_->click(); });
    addShortcut(this, Qt::CTRL | Qt::Key_Enter, [this] { save_->click(); });
    // Undo and redo of zone changes, the name field keeping its own for the text it edits.
    addShortcut(this, Qt::CTRL | Qt::Key_Z, [this] { history_.undo(); });
    addShortcut(this, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, [this] { history_.redo(); });
    addShortcut(this, Qt::CTRL | Qt::Key_Y, [this] { history_.redo(); });
    // The name field, which has the keyboard, would take these keys for its text first.
    nameField_->installEventFilter(this);
    // In the name field Return alone saves too, as the default button of a dialog would.
    connect(nameField_, &QLineEdit::returnPressed, save_, &QPushButton::click);

    connect(&selection_, &ZoneSelection::selectedZoneIdChanged, this,
            &CustomLayoutToolbarView::selectionChanged);
    connect(nameField_, &QLineEdit::textChanged, this, &CustomLayoutToolbarView::updateSaveButton);
    updateDeleteButton();
    updateSaveButton();
}

QWidget* CustomLayoutToolbarView::buildNameGroup()
{
    auto* group = new QWidget(this);
    group->setObjectName(QStringLiteral("nameGroup"));
    group->setAttribute(Qt::WA_StyledBackground);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(8);
    row->addWidget(
        new SymbolLabel(QStringLiteral("view-grid"), symbolSize, textColor, symbolSize + 4, group));

    nameField_ = new QLineEdit(group);
    nameField_->setObjectName(QStringLiteral("nameField"));
    nameField_->setPlaceholderText(tr("Layout Name"));
    nameField_->setFixedWidth(nameFieldWidth);
    const auto& editing = LayoutEditingSession::of(layoutManager_).editingLayout();
    nameField_->setText(editing ? editing->name : tr("New Layout"));
    row->addWidget(nameField_);
    return group;
}

void CustomLayoutToolbarView::buildGridMenu()
{
    gridMenu_ = new QMenu(this);
    for (const GridPreset preset : gridPresets) {
        gridMenu_->addAction(presetTitle(preset), this,
                             [this, preset] { generateGrid(preset.rows, preset.columns); });
    }
    gridMenu_->addSeparator();
    gridMenu_->addAction(tr("Custom Grid…"), this, &CustomLayoutToolbarView::showGridGenerator);
}

QString CustomLayoutToolbarView::layoutName() const
{
    return nameField_->text();
}

bool CustomLayoutToolbarView::isGridGeneratorShown() const
{
    return popup_->isVisible();
}

void CustomLayoutToolbarView::addZone()
{
    LayoutEditingSession::of(layoutManager_).addZone();
}

void CustomLayoutToolbarView::deleteSelectedZone()
{
    const auto id = selection_.selectedZoneId();
    if (!id)
        return;
    LayoutEditingSession::of(layoutManager_).deleteZone(*id);
    selection_.setSelectedZoneId(std::nullopt);
    const auto main = Platform::current().displays().mainScreen();
    const auto& zones = LayoutEditingSession::of(layoutManager_).editingZones();
    if (main && zones)
        layoutManager_.zoneManager().updateZones(*zones, *main, true, true);
}

void CustomLayoutToolbarView::generateGrid(int rows, int columns)
{
    LayoutEditingSession::of(layoutManager_).generateGrid(rows, columns);
}

void CustomLayoutToolbarView::showGridGenerator()
{
    popup_->presentBelow(gridButton_);
}

void CustomLayoutToolbarView::cancel()
{
    if (isClosing_)
        return;
    isClosing_ = true;
    selection_.setSelectedZoneId(std::nullopt);
    LayoutEditingSession::of(layoutManager_).stopEditing();
    QTimer::singleShot(cancelCloseDelay, this, [this] {
        if (onClose_)
            onClose_();
    });
}

void CustomLayoutToolbarView::save()
{
    if (!save_->isEnabled())
        return;
    if (!LayoutEditingSession::of(layoutManager_).saveEditedLayout(layoutName())) {
        // The editor stays open with the zones, so that nothing drawn is lost.
        if (!saveFailure_) {
            saveFailure_ = new QMessageBox(QMessageBox::Warning, tr("Layout Not Saved"), QString(),
                                           QMessageBox::Ok, this);
            saveFailure_->setAttribute(Qt::WA_DeleteOnClose);
        }
        saveFailure_->setText(
            tr("The layout could not be saved: %1.").arg(Settings::lastWriteFailure()));
        saveFailure_->setInformativeText(
            tr("Your zones are still in the editor. Save again once this is "
               "fixed, or Cancel to discard them."));
        saveFailure_->open();
        return;
    }
    if (onClose_)
        onClose_();
}

QMessageBox* CustomLayoutToolbarView::saveFailureAlert() const
{
    return saveFailure_.data();
}

void CustomLayoutToolbarView::updateDeleteButton()
{
    const bool selected = selection_.selectedZoneId().has_value();
    deleteZone_->setEnabled(selected);
    deleteZone_->setIcon(SymbolIcons::icon(
        QStringLiteral("edit-delete"), selected ? PreferencesStyle::systemRed() : inactiveColor));
    deleteZone_->setToolTip(selected ? tr("Delete the selected zone")
                                     : tr("Select a zone to delete it"));
}

void CustomLayoutToolbarView::selectionChanged()
{
    updateDeleteButton();
    // A press leaves the keyboard where it is (typing a name goes on); Tab brings it to the
    // zones.
    updateZoneFocus();
}

void CustomLayoutToolbarView::updateZoneFocus()
{
    layoutManager_.zoneManager().setEditingFocus(selection_.selectedZoneId(), hasFocus());
}

void CustomLayoutToolbarView::selectZone(const QUuid& id)
{
    // As a press on the zone: every view's selection follows, and a new undo step begins.
    emit Notifications::shared().zoneSelected(id);
    selection_.setSelectedZoneId(id);
}

void CustomLayoutToolbarView::stepSelectedZone(double dx, double dy, bool resize)
{
    const auto id = selection_.selectedZoneId();
    const auto& current = LayoutEditingSession::of(layoutManager_).editingZones();
    if (!id || !current)
        return;
    ZoneList zones = *current;
    for (Zone& zone : zones) {
        if (zone.id != *id)
            continue;
        const Rect stepped = GridView::steppedFrame(zone.frame, dx, dy, resize);
        if (stepped == zone.frame)
            return;
        zone.frame = stepped;
        // The path of undo and redo: the overlay shows it and the history records it.
        LayoutEditingSession::of(layoutManager_).replaceEditingZones(zones);
        return;
    }
}

bool CustomLayoutToolbarView::focusNextPrevChild(bool next)
{
    const ZoneList zones =
        LayoutEditingSession::of(layoutManager_).editingZones().value_or(ZoneList{});
    const auto count = zones.size();
    if (hasFocus()) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < count; ++i) {
            if (zones.at(i).id == selection_.selectedZoneId())
                at = i;
        }
        const qsizetype to = at < 0 ? (next ? 0 : count - 1) : at + (next ? 1 : -1);
        if (to >= 0 && to < count) {
            selectZone(zones.at(to).id);
            return true;
        }
        // Past the last zone the buttons follow; before the first, the name field.
        if (next)
            gridButton_->setFocus(Qt::TabFocusReason);
        else
            nameField_->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    if (count > 0 && ((next && nameField_->hasFocus()) || (!next && gridButton_->hasFocus()))) {
        setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        selectZone(zones.at(next ? 0 : count - 1).id);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void CustomLayoutToolbarView::keyPressEvent(QKeyEvent* event)
{
    // Keys a control left unused come here too; only while the zones have the keyboard do they
    // edit zones.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool others = modifiers.testFlag(Qt::ControlModifier) ||
                        modifiers.testFlag(Qt::AltModifier) || modifiers.testFlag(Qt::MetaModifier);
    if (!hasFocus() || others) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    constexpr double step = GridView::keyboardStep;
    switch (event->key()) {
    case Qt::Key_Left:
        stepSelectedZone(-step, 0, shift);
        break;
    case Qt::Key_Right:
        stepSelectedZone(step, 0, shift);
        break;
    case Qt::Key_Up:
        stepSelectedZone(0, -step, shift);
        break;
    case Qt::Key_Down:
        stepSelectedZone(0, step, shift);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (shift) {
            QWidget::keyPressEvent(event);
            return;
        }
        deleteSelectedZone();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CustomLayoutToolbarView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    updateZoneFocus();
}

void CustomLayoutToolbarView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    updateZoneFocus();
}

void CustomLayoutToolbarView::updateSaveButton()
{
    const bool named = !layoutName().trimmed().isEmpty();
    save_->setEnabled(named);
    save_->setToolTip(named ? tr("Save the custom layout") : tr("Enter a layout name to save"));
}

void CustomLayoutToolbarView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    painter.fillPath(shape, toolbarBackground());
    painter.setPen(QPen(QColor(0, 0, 0, 30), 1));
    painter.drawPath(shape);
}

bool CustomLayoutToolbarView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != nameField_ || event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    // Zone changes come first: while there is one to undo or redo, the keys go to the
    // toolbar's shortcuts instead of the field's own text history.
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination pressed = key->keyCombination();
    const bool undo = pressed == (Qt::CTRL | Qt::Key_Z);
    const bool redo =
        pressed == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z) || pressed == (Qt::CTRL | Qt::Key_Y);
    if ((undo && history_.canUndo()) || (redo && history_.canRedo())) {
        event->ignore();
        return true;
    }
    return false;
}

void CustomLayoutToolbarView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    selection_.startObserving();
    nameField_->setFocus();
}

void CustomLayoutToolbarView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        selection_.stopObserving();
        layoutManager_.zoneManager().setEditingFocus(std::nullopt, false);
    }
}

} // namespace corvane
