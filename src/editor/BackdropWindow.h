#pragma once

#include "editor/ContentHost.h"
#include "models/Geometry.h"

#include <QWidget>

namespace corvane {

// The layout editor's backdrop: a frameless window over every display that dims the desktop
// (black at 30 %) and holds the editor's invisible full-size view. It floats above ordinary
// windows, takes mouse presses but never the keyboard, which stays with the toolbar.
class BackdropWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double dimming = 0.3;

    BackdropWindow();

    // Where the window is, in screen space.
    Rect screenRect() const { return screenRect_; }
    void setScreenRect(const Rect& screenRect);

    // The window takes ownership of the view and keeps it the size of the window.
    void setContentView(QWidget* view);
    QWidget* contentView() const { return content_.view(); }
    // Detaches the content view and destroys it once control is back in the event loop.
    void removeContentView();

signals:
    // The user or the window manager closed the window.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Rect screenRect_;
    ContentHost content_{*this};
};

} // namespace corvane
