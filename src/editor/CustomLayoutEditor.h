// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"
#include "platform/Display.h"

#include <QList>
#include <QMessageBox>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

namespace corvane {

class BackdropWindow;
class CustomLayoutEditorView;
class CustomLayoutToolbarView;
class ToolWindow;
class LayoutManager;

// The full-screen custom layout editor: a dimmed backdrop over every display, the window
// manager's editing overlay in front of it (shown by the layout manager's editing session) and a
// floating toolbar that takes the keyboard. The layout edited is whatever the layout manager's
// `editingLayout` holds when the editor is shown; none means a new layout.
//
// At most one editor is open at a time: creating one cleans up the one before, whose `onClose`
// is then called. Clean-up runs once, from Save, Cancel, close() or a window being closed; it
// ends the editing session, takes the windows down and calls `onClose` on the next turn of the
// event loop (the callback may delete the controller).
class CustomLayoutEditor : public QObject {
    Q_OBJECT
public:
    CustomLayoutEditor(LayoutManager& layoutManager, std::function<void()> onClose,
                       QObject* parent = nullptr);
    // Cleans up if that has not happened yet, without calling `onClose`: whoever destroys the
    // controller knows it is gone.
    ~CustomLayoutEditor() override;

    // The editor that is open now, if any.
    static CustomLayoutEditor* openEditor();

    // Restarts the editing session with the layout being edited, shows the backdrop, gives the
    // toolbar the keyboard and, on the next turn, brings the editing overlay up in front of the
    // backdrop. Does nothing once cleaned up.
    void showWindow();
    // Closes the editor (clean-up).
    void close();
    bool isClosing() const { return isClosing_; }

    // The windows and views; none after clean-up.
    BackdropWindow* window() const { return backdrop_.get(); }
    ToolWindow* toolbarWindow() const { return toolbar_.get(); }
    CustomLayoutEditorView* contentView() const { return contentView_; }
    CustomLayoutToolbarView* toolbarView() const { return toolbarView_; }

    // The smallest rectangle holding every frame; the zero rectangle for none.
    static Rect unionOfFrames(const DisplayList& displays);

    // What the user is told when the editor's display went away; null when not shown.
    static QMessageBox* lostDisplayNotice() { return lostDisplayNotice_.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbarWindow(const Rect& mainFrame);
    void placeToolbar(const Rect& frame);
    void followScreenChanges();
    // The editor follows its display: it stays there when the display only moved or changed
    // size, and closes, keeping the layout as a draft, when the display is gone.
    void displaysChanged();
    void closeForLostDisplay();
    // Puts the editing overlay in front of the backdrop and the toolbar in front of both.
    void restack();
    bool isEditorSurface(const QObject* object) const;
    // Without a compositing manager the editing overlay is cut to its zones' rings, so X gives a
    // press in a zone's middle to the backdrop beneath. That press, and the moves and release
    // that follow it, are handed on to the zones: a zone is selected and dragged from anywhere
    // inside it, as with a compositor. True when the event went to the zones.
    bool handOnToZones(QObject* watched, QEvent* event);
    // Takes everything down; `notify` schedules `onClose`.
    void cleanUp(bool notify = true);

    LayoutManager& layoutManager_;
    std::function<void()> onClose_;
    bool isClosing_ = false;
    // A press in a zone's middle is being handed on to the zones.
    bool handingOn_ = false;
    std::unique_ptr<BackdropWindow> backdrop_;
    std::unique_ptr<ToolWindow> toolbar_;
    CustomLayoutEditorView* contentView_ = nullptr;  // owned by the backdrop window
    CustomLayoutToolbarView* toolbarView_ = nullptr; // owned by the toolbar window
    QList<QMetaObject::Connection> notificationObservers_;
    // Static: it outlives the controller, which closes as it appears.
    static inline QPointer<QMessageBox> lostDisplayNotice_;
};

} // namespace corvane
