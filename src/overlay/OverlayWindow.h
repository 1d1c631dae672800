// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Display.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace corvane {

// The host window of every overlay: the zone manager's editing and preview overlay and the
// drag handler's overlay. A frameless, translucent top-level window above other windows that
// never takes the keyboard focus, placed over a rectangle in global coordinates, holding one
// content view that fills it.
//
// While no compositing manager runs the window is shaped: cut to what its content draws, so the
// desktop shows around the zones instead of an opaque sheet. It follows a compositing manager
// that starts or stops while it is up.
class OverlayWindow : public QWidget {
    Q_OBJECT
public:
    enum class Level {
        // A brief preview of a layout.
        Floating,
        // The surface of the layout editor.
        ModalPanel,
        // The overlay of a window drag: also outside the window manager's control, so that it
        // can sit above everything (panels included) and is never moved or decorated.
        Drag,
    };

    OverlayWindow(const Display& display, const Rect& screenRect, Level level);
    ~OverlayWindow() override;

    const Display& display() const { return display_; }
    Level level() const { return level_; }

    // Where the window is, in global coordinates.
    Rect screenRect() const { return screenRect_; }
    void setScreenRect(const Rect& screenRect);

    bool isShaped() const { return shaped_; }

    bool ignoresMouseEvents() const { return ignoresMouseEvents_; }
    void setIgnoresMouseEvents(bool ignores);

    // The window takes ownership of the view and keeps it the size of the window.
    void setContentView(std::unique_ptr<QWidget> view);
    QWidget* contentView() const { return content_; }

    // Shows the window above others without activating it.
    void orderFront();
    void orderOut();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Qt::WindowFlags flagsFor(bool ignoresMouseEvents) const;
    void setShaped(bool shaped);
    void updateShape();

    Display display_;
    Rect screenRect_;
    Level level_;
    bool ignoresMouseEvents_ = false;
    bool shaped_ = false;
    QPointer<QWidget> content_; // a child, owned through Qt's parent
};

} // namespace corvane
