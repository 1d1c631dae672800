// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/PreferencesTab.h"

#include <QSize>
#include <QWidget>

class QLabel;

namespace corvane {

class PreferencesView;

// The preferences window: a titled, resizable top-level window holding a PreferencesView.
// Closing it only hides it; shown again it keeps the tab it last showed.
class PreferencesWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize defaultSize{900, 650};
    static constexpr QSize minimumBounds{800, 600};
    static constexpr QSize maximumBounds{1200, 1000};

    explicit PreferencesWindow(PreferencesTab initial, QWidget* parent = nullptr);
    ~PreferencesWindow() override;

    PreferencesTab selectedTab() const;
    void selectTab(PreferencesTab tab);
    PreferencesView* view() const { return view_; }
    // The notice of a setting that could not be saved; hidden until one could not be.
    QWidget* saveFailureNotice() const { return saveFailure_; }
    QLabel* saveFailureText() const { return saveFailureText_; }

    // Shows the window (centred on the screen under the pointer the first time), brings it to
    // the front and gives it the keyboard focus.
    void showAndActivate();

private:
    void centreOnScreen();

    void showSaveFailure(const QString& reason);

    PreferencesView* view_ = nullptr;
    QWidget* saveFailure_ = nullptr;
    QLabel* saveFailureText_ = nullptr;
    bool centred_ = false;
};

} // namespace corvane
