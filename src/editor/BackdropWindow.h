#pragma once

#include "editor/ContentHost.h"
#include "models/Geometry.h"

#include <QWidget>

namespace corvane {

// The layout editor's backdrop: a frameless window over every display that dims the desktop
// (black at 30 %) and holds the editor's invisible full-size view. It floats above ordinary
// windows, takes mouse presses but never the keyboard, which stays with the toolbar.
//
// Dimming needs a compositing manager: without one the window would be an opaque black sheet
// over every display, so it is left out (shaped to nothing) until one runs.
class BackdropWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double dimming = 0.3;

    BackdropWindow();

    // Where the window is, in screen space.
    Rect screenRect() const { return screenRect_; }
    // Shown (dimming) only while a compositing manager runs.
    bool isDimming() const { return dimming_; }
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
    void setDimming(bool on);

    Rect screenRect_;
    bool dimming_ = true;
    ContentHost content_{*this};
};

} // namespace corvane
