// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace corvane {

// One content view that fills its host window. The view becomes a child of the host; a removed
// view is hidden at once (so that it stops observing) and deleted later, since removal may run
// inside one of its own handlers.
class ContentHost {
public:
    explicit ContentHost(QWidget& host) : host_(host) {}

    QWidget* view() const { return view_; }
    void set(QWidget* view);
    void remove();
    // Keeps the view the size of the host; call when the host is resized.
    void fit();

private:
    QWidget& host_;
    QWidget* view_ = nullptr; // a child of the host, owned through Qt's parent
};

} // namespace corvane
