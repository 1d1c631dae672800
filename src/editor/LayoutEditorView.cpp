#include "editor/LayoutEditorView.h"

#include "editor/CustomLayoutEditorWindowController.h"
#include "editor/LayoutPreviewView.h"
#include "editor/MonitorSelectionView.h"
#include "managers/LayoutManager.h"
#include "models/Layouts.h"
#include "platform/Platform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <memory>

namespace corvane {
namespace {

constexpr int pagePadding = 24;
constexpr int sectionSpacing = 24;
constexpr int gridSpacing = 12;

QLabel* makeHeading(const QString& text, int pixelSize, QFont::Weight weight, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    label->setFont(font);
    return label;
}

QGridLayout* makeGrid()
{
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(gridSpacing);
    grid->setVerticalSpacing(gridSpacing);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return grid;
}

// A titled part of the page: the title (with an optional control at the right) over the content.
struct Section {
    QWidget* widget;
    QVBoxLayout* content;
};

Section makeSection(const QString& title, QWidget* headerAccessory, QWidget* parent)
{
    auto* section = new QWidget(parent);
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    auto* header = new QHBoxLayout;
    header->addWidget(makeHeading(title, 17, QFont::DemiBold, section));
    header->addStretch(1);
    if (headerAccessory)
        header->addWidget(headerAccessory);
    column->addLayout(header);
    return {section, column};
}

void placeInGrid(QGridLayout* grid, QWidget* cell, qsizetype index)
{
    grid->addWidget(cell, static_cast<int>(index / LayoutEditorView::gridColumns),
                    static_cast<int>(index % LayoutEditorView::gridColumns));
}

} // namespace

LayoutEditorView::LayoutEditorView(LayoutManager& layoutManager, QWidget* parent)
    : QScrollArea(parent), layoutManager_(layoutManager)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setMinimumHeight(minimumPageHeight);
    viewport()->setAutoFillBackground(false);

    auto* body = new QWidget(this);
    body->setAutoFillBackground(false);
    body->setMinimumWidth(minimumPageWidth);
    body->setMaximumWidth(maximumPageWidth);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(pagePadding, pagePadding, pagePadding, pagePadding);
    column->setSpacing(sectionSpacing);
    column->addWidget(makeHeading(QStringLiteral("Layout Editor"), 24, QFont::Bold, body));

    // Available displays.
    picker_ = new MonitorSelectionView(body);
    connect(picker_, &MonitorSelectionView::selectedMonitorChanged, this,
            &LayoutEditorView::selectedMonitorChanged);
    const Section displays = makeSection(QStringLiteral("Available Displays"), nullptr, body);
    displays.content->addWidget(picker_);
    column->addWidget(displays.widget);

    // Predefined layouts.
    const Section templates = makeSection(QStringLiteral("Layout Templates"), nullptr, body);
    auto* templateGrid = makeGrid();
    for (const ScreenLayout& layout : allLayouts()) {
        auto* cell = new LayoutPreviewView(layout, false, templates.widget);
        connect(cell, &LayoutPreviewView::pressed, this, [this, layout] { chooseLayout(layout); });
        placeInGrid(templateGrid, cell, templateCells_.size());
        templateCells_.append(cell);
    }
    templates.content->addLayout(templateGrid);
    column->addWidget(templates.widget);

    // Custom layouts.
    createNew_ = new QPushButton(QStringLiteral("Create New"), body);
    createNew_->setCursor(Qt::PointingHandCursor);
    connect(createNew_, &QPushButton::clicked, this, &LayoutEditorView::createNewLayout);
    const Section custom = makeSection(QStringLiteral("Custom Layouts"), createNew_, body);
    emptyCustom_ = new QLabel(QStringLiteral("No custom layouts yet"), custom.widget);
    QPalette grey = emptyCustom_->palette();
    grey.setColor(QPalette::WindowText, grey.color(QPalette::PlaceholderText));
    emptyCustom_->setPalette(grey);
    custom.content->addWidget(emptyCustom_);
    customGrid_ = makeGrid();
    custom.content->addLayout(customGrid_);
    column->addWidget(custom.widget);
    column->addStretch(1);
    setWidget(body);

    connect(&layoutManager_, &LayoutManager::customLayoutsChanged, this, [this] {
        rebuildCustomLayouts();
        updateSelectedCells();
    });
    rebuildCustomLayouts();
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
        placeInGrid(customGrid_, cell, customCells_.size());
        customCells_.append(cell);
    }
    emptyCustom_->setVisible(layouts.isEmpty());
}

// A cell is drawn as selected when it holds the stored choice of the selected display (or of
// the first display while none is selected).
void LayoutEditorView::updateSelectedCells()
{
    std::optional<Display> display = selectedMonitor();
    if (!display) {
        const DisplayList screens = Platform::current().displays().screens();
        if (!screens.isEmpty())
            display = screens.first();
    }
    const auto chosen = display ? layoutManager_.layoutFor(*display) : std::nullopt;
    for (const auto* cells : {&templateCells_, &customCells_}) {
        for (LayoutPreviewView* cell : *cells)
            cell->setSelected(chosen && cell->layout().id == chosen->id);
    }
}

void LayoutEditorView::chooseLayout(const ScreenLayout& layout)
{
    const auto monitor = selectedMonitor();
    if (!monitor) {
        presentError(QStringLiteral("Please select a monitor first"));
        return;
    }
    selectedLayout_ = layout;
    QMetaObject::invokeMethod(
        this,
        [this, layout, display = *monitor] {
            layoutManager_.applyLayout(layout, display);
            updateSelectedCells();
        },
        Qt::QueuedConnection);
}

void LayoutEditorView::presentError(const QString& message)
{
    errorMessage_ = message;
    if (!errorAlert_) {
        errorAlert_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("Error"), message,
                                      QMessageBox::Ok, this);
        errorAlert_->setAttribute(Qt::WA_DeleteOnClose);
    }
    errorAlert_->setText(message);
    // Window-modal and without a nested event loop.
    errorAlert_->open();
}

bool LayoutEditorView::showError() const
{
    return errorAlert_ && errorAlert_->isVisible();
}

QMessageBox* LayoutEditorView::errorAlert() const
{
    return showError() ? errorAlert_.data() : nullptr;
}

void LayoutEditorView::createNewLayout()
{
    openEditor(std::nullopt);
}

void LayoutEditorView::editLayout(const ScreenLayout& layout)
{
    openEditor(layout);
}

void LayoutEditorView::deleteLayout(const ScreenLayout& layout)
{
    layoutManager_.deleteCustomLayout(layout.id);
}

QMenu* LayoutEditorView::showContextMenu(LayoutPreviewView* cell, QPoint position)
{
    const ScreenLayout layout = cell->layout();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Edit"), this, [this, layout] { editLayout(layout); });
    menu->addAction(QStringLiteral("Delete"), this, [this, layout] { deleteLayout(layout); });
    menu->popup(cell->mapToGlobal(position));
    return menu;
}

void LayoutEditorView::openEditor(std::optional<ScreenLayout> layout)
{
    closeEditor();
    // The editor takes the layout to edit from the session: none starts a new layout.
    layoutManager_.startEditing(std::move(layout));
    auto holder = std::make_shared<QPointer<CustomLayoutEditorWindowController>>();
    const QPointer<LayoutEditorView> self(this);
    auto* editor = new CustomLayoutEditorWindowController(
        layoutManager_,
        [self, holder] {
            CustomLayoutEditorWindowController* closed = holder->data();
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
    QScrollArea::showEvent(event);
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

void LayoutEditorView::hideEvent(QHideEvent* event)
{
    QScrollArea::hideEvent(event);
    if (event->spontaneous())
        return;
    closeEditor();
    layoutManager_.cancelEditing();
}

} // namespace corvane
