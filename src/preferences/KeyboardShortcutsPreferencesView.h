// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/PreferencesPage.h"

#include <QList>

namespace corvane {

class KeyboardShortcuts;
class ShortcutRecorder;

// The Keyboard Shortcuts page: one recorder for each of the application's shortcuts (opening the
// preferences, snapping the active window) and tips. The recorders read and write the shortcut
// store themselves; the page keeps no state.
class KeyboardShortcutsPreferencesView : public PreferencesPage {
    Q_OBJECT
public:
    // Records into the application's shared shortcut facility.
    explicit KeyboardShortcutsPreferencesView(QWidget* parent = nullptr);
    explicit KeyboardShortcutsPreferencesView(KeyboardShortcuts& facility,
                                              QWidget* parent = nullptr);

    // The recorder of the shortcut that opens the preferences.
    ShortcutRecorder* recorder() const { return recorder_; }
    // Every recorder, in the order shown.
    QList<ShortcutRecorder*> recorders() const { return recorders_; }

private:
    void build(KeyboardShortcuts& facility);
    QWidget* buildTips();

    ShortcutRecorder* recorder_ = nullptr;
    QList<ShortcutRecorder*> recorders_;
};

} // namespace corvane
