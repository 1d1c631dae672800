// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/LayoutEditorView.h"

#include "editor/CustomLayoutEditor.h"
#include "editor/LayoutEditingSession.h"
#include "editor/LayoutPreviewView.h"
#include "editor/MonitorSelectionView.h"
#include "layouts/LayoutKeys.h"
#include "layouts/LayoutManager.h"
#include "models/Layouts.h"
#include "platform/KeyNames.h"
#include "platform/Platform.h"
#include "preferences/AlertLayout.h"
#include "preferences/PreferencesSectionView.h"
#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolIcons.h"
#include "settings/Settings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>
#include <memory>

namespace corvane {
namespace {

constexpr int cardPaddingH = 16;
constexpr int cardPaddingV = 14;
constexpr int gridSpacing = 12;

QGridLayout* makeGrid()
{
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(gridSpacing);
    grid->setVerticalSpacing(gridSpacing);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return grid;
}

// The body of a section card, padded like the rows of the other pages.
QVBoxLayout* addCardBody(PreferencesSectionView* section)
{
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(cardPaddingH, cardPaddingV, cardPaddingH, cardPaddingV);
    column->setSpacing(gridSpacing);
    section->addRow(body);
    return column;
}

void placeCells(QGridLayout* grid, const QList<LayoutPreviewView*>& cells, int columns)
{
    for (LayoutPreviewView* cell : cells)
        grid->removeWidget(cell);
    for (qsizetype i = 0; i < cells.size(); ++i)
        grid->addWidget(cells[i], static_cast<int>(i / columns), static_cast<int>(i % columns));
}

} // namespace

LayoutEditorView::LayoutEditorView(LayoutManager& layoutManager, QWidget* parent)
    : PreferencesPage(parent), layoutManager_(layoutManager)
{
    setObjectName(QStringLiteral("LayoutEditorView"));
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setMinimumHeight(minimumPageHeight);
    widget()->setMinimumWidth(minimumPageWidth);
    widget()->setMaximumWidth(maximumPageWidth);

    auto* title = new QLabel(tr("Layout Editor"));
    title->setObjectName(QStringLiteral("pageTitle"));
    title->setFont(PreferencesStyle::font(22, QFont::Bold));
    column()->addWidget(title);

    // Available displays.
    auto* displays =
        new PreferencesSectionView(tr("Available Displays"), QStringLiteral("video-display"));
    picker_ = new MonitorSelectionView;
    connect(picker_, &MonitorSelectionView::selectedMonitorChanged, this,
            &LayoutEditorView::selectedMonitorChanged);
    addCardBody(displays)->addWidget(picker_);
    column()->addWidget(displays);

    // Predefined layouts.
    auto* templates =
        new PreferencesSectionView(tr("Layout Templates"), QStringLiteral("view-grid"));
    QVBoxLayout* templateBody = addCardBody(templates);
    templateGrid_ = makeGrid();
    for (const ScreenLayout& layout : allLayouts()) {
        auto* cell = new LayoutPreviewView(layout, false);
        connect(cell, &LayoutPreviewView::pressed, this, [this, layout] { chooseLayout(layout); });
        cell->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(cell, &QWidget::customContextMenuRequested, this,
                [this, cell](QPoint position) { showContextMenu(cell, position); });
        templateCells_.append(cell);
    }
    templateBody->addLayout(templateGrid_);
    column()->addWidget(templates);

    // Custom layouts.
    auto* custom =
        new PreferencesSectionView(tr("Custom Layouts"), QStringLiteral("view-split-left-right"));
    QVBoxLayout* customBody = addCardBody(custom);
    auto* customHeader = new QHBoxLayout;
    emptyCustom_ = new QLabel(tr("No custom layouts yet"));
    emptyCustom_->setFont(PreferencesStyle::font(13));
    QPalette secondary = emptyCustom_->palette();
    secondary.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(secondary));
    emptyCustom_->setPalette(secondary);
    customHeader->addWidget(emptyCustom_);
    customHeader->addStretch(1);
    createNew_ = new QPushButton(tr("Create New"));
    createNew_->setObjectName(QStringLiteral("createNewButton"));
    createNew_->setIcon(
        SymbolIcons::icon(QStringLiteral("list-add"), PreferencesStyle::accent(palette())));
    createNew_->setCursor(Qt::PointingHandCursor);
    connect(createNew_, &QPushButton::clicked, this, &LayoutEditorView::createNewLayout);
    // Ctrl+N, as "new" is everywhere, while this page is the one shown.
    createNew_->setToolTip(tr("Draw a new custom layout (%1)")
                               .arg(KeyNames::combination(Qt::ControlModifier, Qt::Key_N)));
    connect(new QShortcut(QKeySequence::New, this), &QShortcut::activated, createNew_,
            &QPushButton::click);
    // A layout whose editor closed unsaved is offered first.
    const auto nameCreateNew = [this] {
        createNew_->setText(LayoutEditingSession::of(layoutManager_).draft() ? tr("Continue Draft")
                                                                             : tr("Create New"));
    };
    connect(&LayoutEditingSession::of(layoutManager_), &LayoutEditingSession::draftChanged, this,
            nameCreateNew);
    nameCreateNew();
    customHeader->addWidget(createNew_);
    customBody->addLayout(customHeader);
    unreadableNotice_ =
        new QLabel(tr("Some stored layouts could not be read. They are not shown, and they "
                      "are kept unchanged in the settings file."));
    unreadableNotice_->setObjectName(QStringLiteral("unreadableLayoutsNotice"));
    unreadableNotice_->setWordWrap(true);
    unreadableNotice_->setFont(PreferencesStyle::font(12));
    QPalette warning = unreadableNotice_->palette();
    warning.setColor(QPalette::WindowText, PreferencesStyle::systemRed());
    unreadableNotice_->setPalette(warning);
    customBody->addWidget(unreadableNotice_);
    customGrid_ = makeGrid();
    customBody->addLayout(customGrid_);
    column()->addWidget(custom);
    finishColumn();

    connect(&layoutManager_, &LayoutManager::customLayoutsChanged, this, [this] {
        rebuildCustomLayouts();
        updateSelectedCells();
    });
    rebuildCustomLayouts();
    layOutCells();
}

LayoutEditorView::~LayoutEditorView()
{
    // An editor opened from here does not outlive the page.
    closeEditor();
}

const std::optional<Display>& LayoutEditorView::selectedMonitor() const
{
    return picker_->selectedMonitor();
}

CustomLayoutEditor* LayoutEditorView::editor() const
{
    return editor_.data();
}

void LayoutEditorView::setSelectedMonitor(std::optional<Display> display)
{
    picker_->setSelectedMonitor(std::move(display));
}

void LayoutEditorView::selectedMonitorChanged()
{
    if (const auto& monitor = selectedMonitor()) {
        if (auto stored = layoutManager_.layoutFor(*monitor))
            selectedLayout_ = std::move(stored);
    }
    updateSelectedCells();
}

void LayoutEditorView::rebuildCustomLayouts()
{
    for (LayoutPreviewView* cell : std::as_const(customCells_)) {
        customGrid_->removeWidget(cell);
        cell->hide();
        // Later: this may run from a slot of one of the cells' menus.
        cell->deleteLater();
    }
    customCells_.clear();
    const QList<ScreenLayout> layouts = layoutManager_.customLayouts();
    for (const ScreenLayout& layout : layouts) {
        auto* cell = new LayoutPreviewView(layout, false, customGrid_->parentWidget());
        cell->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(cell, &LayoutPreviewView::pressed, this, [this, layout] { chooseLayout(layout); });
        connect(cell, &QWidget::customContextMenuRequested, this,
                [this, cell](QPoint position) { showContextMenu(cell, position); });
        customCells_.append(cell);
    }
    placeCells(customGrid_, customCells_, std::max(columns_, 1));
    emptyCustom_->setVisible(layouts.isEmpty());
    unreadableNotice_->setVisible(layoutManager_.unreadableLayoutCount() > 0);
}

// A cell is drawn as selected when it holds the layout in use on the selected display (or on
// the first display while none is selected): its stored choice, else the fallback layout.
void LayoutEditorView::updateSelectedCells()
{
    std::optional<Display> display = selectedMonitor();
    if (!display) {
        const DisplayList screens = Platform::current().displays().screens();
        if (!screens.isEmpty())
            display = screens.first();
    }
    const auto chosen = display ? std::optional(layoutManager_.layoutFor(*display).value_or(
                                      LayoutManager::fallbackLayout()))
                                : std::nullopt;
    // The pictures show the space around zones as that display would have it.
    const double space = Settings::spaceAroundZones();
    const Size usableArea = display ? display->visibleFrame.size() : Size();
    const LayoutKeys layoutKeys(layoutManager_);
    const QList<ScreenLayout> ordered = layoutKeys.orderedLayouts();
    const QList<int> keys = layoutKeys.keysOf(ordered);
    for (const auto* cells : {&templateCells_, &customCells_}) {
        for (LayoutPreviewView* cell : *cells) {
            cell->setSelected(chosen && cell->layout().id == chosen->id);
            cell->setSpaceAroundZones(space, usableArea);
            const auto at =
                std::find_if(ordered.begin(), ordered.end(),
                             [&](const ScreenLayout& l) { return l.id == cell->layout().id; });
            const int key = at == ordered.end() ? 0 : keys.at(at - ordered.begin());
            cell->setToolTip(key == 0
                                 ? tr("No layout key (right-click to give it one)")
                                 : tr("Layout key: %1 (right-click to change it)")
                                       .arg(KeyNames::combination(
                                           Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier,
                                           Qt::Key(Qt::Key_0 + key))));
        }
    }
}

void LayoutEditorView::chooseLayout(const ScreenLayout& layout)
{
    const auto monitor = selectedMonitor();
    if (!monitor) {
        presentError(tr("Please select a display first"));
        return;
    }
    selectedLayout_ = layout;
    QMetaObject::invokeMethod(
        this,
        [this, layout, display = *monitor] {
            // Not saved: the window has said so, and the display keeps its layout.
            if (!layoutManager_.applyLayout(layout, display))
                selectedLayout_ = layoutManager_.layoutFor(display);
            updateSelectedCells();
        },
        Qt::QueuedConnection);
}

void LayoutEditorView::presentError(const QString& message)
{
    errorMessage_ = message;
    if (!errorAlert_) {
        errorAlert_ = new QMessageBox(QMessageBox::Warning, tr("Layout Editor"), message,
                                      QMessageBox::Ok, this);
        errorAlert_->setAttribute(Qt::WA_DeleteOnClose);
        widenForTitle(*errorAlert_);
    }
    errorAlert_->setText(message);
    // Window-modal and without a nested event loop.
    errorAlert_->open();
}

bool LayoutEditorView::showError() const
{
    return errorAlert_ && errorAlert_->isVisible();
}

QMessageBox* LayoutEditorView::deleteConfirmation() const
{
    return deleteConfirmation_.data();
}

QMessageBox* LayoutEditorView::errorAlert() const
{
    return showError() ? errorAlert_.data() : nullptr;
}

void LayoutEditorView::createNewLayout()
{
    openEditor(LayoutEditingSession::of(layoutManager_).takeDraft());
}

void LayoutEditorView::editLayout(const ScreenLayout& layout)
{
    openEditor(layout);
}

void LayoutEditorView::deleteLayout(const ScreenLayout& layout)
{
    const LayoutUsers users = layoutManager_.usersOf(layout.id);
    if (users.isEmpty()) {
        removeLayout(layout);
        return;
    }
    QStringList who = users.connectedDisplays;
    if (users.otherDisplays == 1)
        who.append(tr("a display that is not connected now"));
    else if (users.otherDisplays > 1)
        who.append(tr("%n displays that are not connected now", nullptr, users.otherDisplays));
    const QString last = who.takeLast();
    const QString displays =
        who.isEmpty() ? last : tr("%1 and %2").arg(who.join(QStringLiteral(", ")), last);
    const bool one = users.connectedDisplays.size() + users.otherDisplays == 1;
    if (deleteConfirmation_)
        deleteConfirmation_->close();
    auto* confirm = new QMessageBox(QMessageBox::Warning, tr("Delete Layout"),
                                    tr("Delete the layout “%1”?").arg(layout.name),
                                    QMessageBox::NoButton, this);
    confirm->setAttribute(Qt::WA_DeleteOnClose);
    confirm->setInformativeText(
        (one ? tr("It is the layout of %1. That display will use %2 instead.")
             : tr("It is the layout of %1. Those displays will use %2 instead."))
            .arg(displays, shownName(LayoutManager::fallbackLayout())));
    QPushButton* remove = confirm->addButton(tr("Delete"), QMessageBox::DestructiveRole);
    confirm->addButton(QMessageBox::Cancel);
    confirm->setDefaultButton(QMessageBox::Cancel);
    connect(confirm, &QMessageBox::buttonClicked, this, [this, layout, remove](auto* button) {
        if (button == remove)
            removeLayout(layout);
    });
    deleteConfirmation_ = confirm;
    confirm->open();
}

void LayoutEditorView::removeLayout(const ScreenLayout& layout)
{
    if (!layoutManager_.deleteCustomLayout(layout.id)) {
        presentError(tr("The layout could not be deleted: %1.").arg(Settings::lastWriteFailure()));
        return;
    }
    updateSelectedCells();
}

QMenu* LayoutEditorView::showContextMenu(LayoutPreviewView* cell, QPoint position)
{
    const ScreenLayout layout = cell->layout();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (customCells_.contains(cell)) {
        menu->addAction(tr("Edit"), this, [this, layout] { editLayout(layout); });
        menu->addAction(tr("Delete"), this, [this, layout] { deleteLayout(layout); });
    }
    addLayoutKeyMenu(*menu, layout);
    menu->popup(cell->mapToGlobal(position));
    return menu;
}

void LayoutEditorView::addLayoutKeyMenu(QMenu& menu, const ScreenLayout& layout)
{
    // Ctrl+Alt+Super and the key apply the layout on the display under the pointer.
    QMenu* keys = menu.addMenu(tr("Layout Key"));
    keys->setObjectName(QStringLiteral("layoutKeyMenu"));
    const int current = LayoutKeys(layoutManager_).keyOf(layout);
    for (int key = 0; key <= LayoutKeys::keyCount; ++key) {
        const QString text =
            key == 0
                ? tr("None")
                : KeyNames::combination(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier,
                                        Qt::Key(Qt::Key_0 + key));
        QAction* item = keys->addAction(text, this, [this, layout, key] {
            if (!LayoutKeys(layoutManager_).setKey(layout, key))
                presentError(
                    tr("The layout key could not be saved: %1").arg(Settings::lastWriteFailure()));
            updateSelectedCells();
        });
        item->setCheckable(true);
        item->setChecked(key == current);
    }
}

void LayoutEditorView::openEditor(std::optional<ScreenLayout> layout)
{
    closeEditor();
    // The editor takes the layout to edit from the session: none starts a new layout.
    LayoutEditingSession::of(layoutManager_).startEditing(std::move(layout));
    auto holder = std::make_shared<QPointer<CustomLayoutEditor>>();
    const QPointer<LayoutEditorView> self(this);
    auto* editor = new CustomLayoutEditor(
        layoutManager_,
        [self, holder] {
            CustomLayoutEditor* closed = holder->data();
            if (self && closed && self->editor_ == closed) {
                self->editor_.clear();
                self->isEditorActive_ = false;
            }
            if (closed)
                closed->deleteLater();
        },
        this);
    *holder = editor;
    editor_ = editor;
    isEditorActive_ = true;
    editor->showWindow();
}

void LayoutEditorView::closeEditor()
{
    if (!editor_)
        return;
    // Its onClose deletes it on the next turn.
    editor_->close();
    editor_.clear();
    isEditorActive_ = false;
}

void LayoutEditorView::showEvent(QShowEvent* event)
{
    PreferencesPage::showEvent(event);
    // A window coming back from being minimised is not a new appearance.
    if (event->spontaneous())
        return;
    layoutManager_.applySavedLayouts();
    picker_->selectFirstIfNone();
    if (const auto& monitor = selectedMonitor()) {
        if (auto stored = layoutManager_.layoutFor(*monitor))
            selectedLayout_ = std::move(stored);
    }
    updateSelectedCells();
}

void LayoutEditorView::resizeEvent(QResizeEvent* event)
{
    PreferencesPage::resizeEvent(event);
    layOutCells();
}

void LayoutEditorView::layOutCells()
{
    // The room inside a card: the page's body less its padding and the card's.
    const QMargins page = column()->contentsMargins();
    const int room = std::min(viewport()->width(), widget()->maximumWidth()) - page.left() -
                     page.right() - 2 * cardPaddingH;
    const int columns =
        std::max(1, (room + gridSpacing) / (LayoutPreviewView::thumbnailWidth + gridSpacing));
    if (columns == columns_)
        return;
    columns_ = columns;
    placeCells(templateGrid_, templateCells_, columns_);
    placeCells(customGrid_, customCells_, columns_);
}

void LayoutEditorView::hideEvent(QHideEvent* event)
{
    PreferencesPage::hideEvent(event);
    if (event->spontaneous())
        return;
    closeEditor();
    LayoutEditingSession::of(layoutManager_).cancelEditing();
}

} // namespace corvane
