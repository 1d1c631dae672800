// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ContentHost.h"
#include "models/Geometry.h"

#include <QPixmap>
#include <QWidget>

namespace corvane {

// The layout editor's backdrop: a frameless window over every display that dims the desktop
// (black at 30 %) and holds the editor's invisible full-size view. It floats above ordinary
// windows, takes mouse presses but never the keyboard, which stays with the toolbar, so a press
// between the zones never reaches another application.
//
// Dimming by translucency needs a compositing manager: without one a translucent window shows
// black. The backdrop then paints a dimmed picture of the desktop taken as it appears, which
// looks the same and still takes every press.
class BackdropWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double dimming = 0.3;

    BackdropWindow();

    // Where the window is, in global coordinates.
    Rect screenRect() const { return screenRect_; }
    // Translucent over the live desktop: while a compositing manager runs.
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
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setDimming(bool on);
    // The displays' contents as they are now, for the look without a compositing manager.
    void captureDesktop();

    struct Picture {
        QRect global; // where it was taken, in the toolkit's global coordinates
        QPixmap pixmap;
    };
    QList<Picture> desktop_;
    Rect screenRect_;
    bool dimming_ = true;
    ContentHost content_{*this};
};

} // namespace corvane
