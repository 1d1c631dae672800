// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CustomLayoutEditor.h"

#include "editor/BackdropWindow.h"
#include "editor/CustomLayoutEditorView.h"
#include "editor/CustomLayoutToolbarView.h"
#include "editor/LayoutEditingSession.h"
#include "editor/ToolWindow.h"
#include "layouts/LayoutManager.h"
#include "logging/Logger.h"
#include "overlay/GridView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/WindowPlacement.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "preferences/AlertLayout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>

namespace corvane {
namespace {

// The toolbar's top edge sits this far below the top of the main display.
constexpr double toolbarTopInset = 30;

QPointer<CustomLayoutEditor>& registeredEditor()
{
    static QPointer<CustomLayoutEditor> editor;
    return editor;
}

// A second press soon after the first arrives as a double click.
bool isPress(const QEvent* event)
{
    return event->type() == QEvent::MouseButtonPress ||
           event->type() == QEvent::MouseButtonDblClick;
}

bool isEmpty(const Rect& r)
{
    return r.width <= 0 || r.height <= 0;
}

// The frame the toolbar is placed on: the main display's, else the first display's.
Rect mainFrame(const Displays& displays)
{
    if (const auto main = displays.mainScreen())
        return main->frame;
    const DisplayList screens = displays.screens();
    if (!screens.isEmpty())
        return screens.first().frame;
    Logger::warning(QStringLiteral("The layout editor opened without any display"),
                    LogCategory::Layout);
    return {};
}

} // namespace

CustomLayoutEditor::CustomLayoutEditor(LayoutManager& layoutManager, std::function<void()> onClose,
                                       QObject* parent)
    : QObject(parent), layoutManager_(layoutManager), onClose_(std::move(onClose))
{
    Displays& displays = Platform::current().displays();
    const Rect frame = mainFrame(displays);

    backdrop_ = std::make_unique<BackdropWindow>();
    backdrop_->setScreenRect(unionOfFrames(displays.screens()));
    connect(backdrop_.get(), &BackdropWindow::closed, this, [this] { cleanUp(); });

    buildToolbarWindow(frame);
    followScreenChanges();

    if (auto* previous = registeredEditor().data(); previous && previous != this)
        previous->cleanUp();
    registeredEditor() = this;
}

CustomLayoutEditor::~CustomLayoutEditor()
{
    cleanUp(false);
}

CustomLayoutEditor* CustomLayoutEditor::openEditor()
{
    return registeredEditor().data();
}

void CustomLayoutEditor::buildToolbarWindow(const Rect& frame)
{
    toolbar_ = std::make_unique<ToolWindow>();
    toolbar_->setCornerRadius(CustomLayoutToolbarView::cornerRadius);
    placeToolbar(frame);
    connect(toolbar_.get(), &ToolWindow::closed, this, [this] { cleanUp(); });

    // Both views end the editor through this controller, which they may outlive by a moment.
    const QPointer<CustomLayoutEditor> self(this);
    const auto close = [self] {
        if (self)
            self->cleanUp();
    };
    contentView_ = new CustomLayoutEditorView(layoutManager_);
    backdrop_->setContentView(contentView_);
    toolbarView_ = new CustomLayoutToolbarView(layoutManager_, close);
    toolbar_->setContentView(toolbarView_);
}

void CustomLayoutEditor::placeToolbar(const Rect& frame)
{
    // Centred, its top edge 30 points below the top of the display.
    const Rect toolbarRect(frame.midX() - CustomLayoutToolbarView::toolbarWidth / 2.0,
                           frame.minY() + toolbarTopInset, CustomLayoutToolbarView::toolbarWidth,
                           CustomLayoutToolbarView::toolbarHeight);
    placeWindow(*toolbar_, toolbarRect);
}

void CustomLayoutEditor::followScreenChanges()
{
    notificationObservers_.append(connect(&Platform::current().displays(),
                                          &Displays::screenParametersChanged, this,
                                          &CustomLayoutEditor::displaysChanged));
}

void CustomLayoutEditor::displaysChanged()
{
    if (isClosing_ || !backdrop_)
        return;
    backdrop_->setScreenRect(unionOfFrames(Platform::current().displays().screens()));
    // Before the session has begun (the first turn after showWindow) it begins on the display
    // that is main by then.
    if (!LayoutEditingSession::of(layoutManager_).isEditing())
        return;
    const auto display = LayoutEditingSession::of(layoutManager_).editingDisplay();
    if (!display) {
        closeForLostDisplay();
        return;
    }
    placeToolbar(display->frame);
    LayoutEditingSession::of(layoutManager_).refreshEditingOverlay();
    restack();
}

void CustomLayoutEditor::closeForLostDisplay()
{
    // What was drawn and typed is kept: the gallery's Create New opens it again.
    const QString name = toolbarView_ ? toolbarView_->layoutName() : QString();
    const auto& edited = LayoutEditingSession::of(layoutManager_).editingLayout();
    LayoutEditingSession::of(layoutManager_)
        .setDraft(ScreenLayout{
            edited ? edited->id : QUuid::createUuid(), name,
            LayoutEditingSession::of(layoutManager_).editingZones().value_or(ZoneList{}),
            std::nullopt, edited ? edited->quickKey : std::nullopt});
    Logger::info(QStringLiteral("The layout editor's display went away; the layout is kept as a "
                                "draft"),
                 LogCategory::Layout);
    cleanUp();

    auto* notice =
        new QMessageBox(QMessageBox::Information, tr("Layout Editor Closed"),
                        tr("The display the layout editor was on is gone."), QMessageBox::Ok);
    notice->setInformativeText(tr("Your unsaved layout “%1” is kept as a draft: choose Continue "
                                  "Draft in the Layout Editor preferences to go on with it.")
                                   .arg(name));
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setAttribute(Qt::WA_QuitOnClose, false);
    widenForTitle(*notice);
    notice->open();
    lostDisplayNotice_ = notice;
}

Rect CustomLayoutEditor::unionOfFrames(const DisplayList& displays)
{
    // An empty rectangle adds nothing to a union, the zero rectangle it starts from included.
    Rect result;
    for (const Display& display : displays) {
        if (isEmpty(display.frame))
            continue;
        result = isEmpty(result) ? display.frame : result.united(display.frame);
    }
    return result;
}

void CustomLayoutEditor::showWindow()
{
    if (isClosing_)
        return;
    const auto layout = LayoutEditingSession::of(layoutManager_).editingLayout();
    LayoutEditingSession::of(layoutManager_).stopEditing();

    backdrop_->show();
    backdrop_->raise();
    toolbar_->makeKeyAndOrderFront();
    // Window managers raise a window that is clicked; the editor's order must survive that.
    QCoreApplication::instance()->installEventFilter(this);

    // The overlay is made anew after the backdrop is up, so that it stands in front of it.
    const QPointer<CustomLayoutEditor> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, layout] {
            if (!self || self->isClosing_)
                return;
            LayoutEditingSession::of(self->layoutManager_).startEditing(layout);
            self->restack();
            self->toolbar_->activateWindow();
        },
        Qt::QueuedConnection);
}

void CustomLayoutEditor::restack()
{
    if (isClosing_)
        return;
    if (OverlayWindow* overlay = layoutManager_.zoneManager().overlayWindow())
        overlay->raise();
    toolbar_->raise();
}

bool CustomLayoutEditor::isEditorSurface(const QObject* object) const
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (!widget)
        return false;
    const QWidget* window = widget->window();
    return window == backdrop_.get() || window == layoutManager_.zoneManager().overlayWindow();
}

bool CustomLayoutEditor::eventFilter(QObject* watched, QEvent* event)
{
    // A press on the backdrop or the overlay lets the window manager raise it over the others
    // (the overlay over the toolbar, the backdrop over both); the order is put back at once.
    if (isPress(event) && !isClosing_ && isEditorSurface(watched)) {
        QMetaObject::invokeMethod(this, &CustomLayoutEditor::restack, Qt::QueuedConnection);
    }
    if (handOnToZones(watched, event))
        return true;
    return QObject::eventFilter(watched, event);
}

bool CustomLayoutEditor::handOnToZones(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool press = isPress(event);
    if (!press && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (isClosing_ || !widget || widget->window() != backdrop_.get())
        return false;
    const OverlayWindow* overlay = layoutManager_.zoneManager().overlayWindow();
    auto* zones =
        overlay && overlay->isShaped() ? qobject_cast<GridView*>(overlay->contentView()) : nullptr;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (!zones) {
        handingOn_ = false;
        return false;
    }
    const QPointF at = zones->mapFromGlobal(mouse->globalPosition());
    if (press)
        handingOn_ = mouse->button() == Qt::LeftButton && zones->zoneAt(at);
    if (!handingOn_)
        return false;
    if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
        handingOn_ = false;
    QMouseEvent copy(press ? QEvent::MouseButtonPress : type, at, mouse->globalPosition(),
                     mouse->button(), mouse->buttons(), mouse->modifiers(),
                     mouse->pointingDevice());
    QCoreApplication::sendEvent(zones, &copy);
    return true;
}

void CustomLayoutEditor::close()
{
    cleanUp();
}

void CustomLayoutEditor::cleanUp(bool notify)
{
    if (isClosing_)
        return;
    isClosing_ = true;

    for (const auto& observer : std::as_const(notificationObservers_))
        disconnect(observer);
    notificationObservers_.clear();
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);

    LayoutEditingSession::of(layoutManager_).stopEditing();

    // The windows go once control is back in the event loop: clean-up may run inside one of
    // their own handlers (Save, a close button).
    contentView_ = nullptr;
    toolbarView_ = nullptr;
    if (toolbar_) {
        toolbar_->removeContentView();
        toolbar_->hide();
        toolbar_.release()->deleteLater();
    }
    if (backdrop_) {
        backdrop_->removeContentView();
        backdrop_->hide();
        backdrop_.release()->deleteLater();
    }

    if (registeredEditor() == this)
        registeredEditor().clear();

    if (!notify)
        return;
    // Called on the next turn even if the controller is deleted meanwhile, as if it were kept
    // until then; the callback may delete it too.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [onClose = onClose_] {
            if (onClose)
                onClose();
        },
        Qt::QueuedConnection);
}

} // namespace corvane
