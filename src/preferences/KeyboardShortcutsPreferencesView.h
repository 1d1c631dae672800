#pragma once

#include "preferences/PreferencesPage.h"

namespace corvane {

class KeyboardShortcuts;
class ShortcutRecorder;

// The Keyboard Shortcuts page: the recorder of the shortcut that opens the preferences, and tips.
// The recorder reads and writes the shortcut store itself; the page keeps no state.
class KeyboardShortcutsPreferencesView : public PreferencesPage {
    Q_OBJECT
public:
    // Records into the application's shared shortcut facility.
    explicit KeyboardShortcutsPreferencesView(QWidget* parent = nullptr);
    explicit KeyboardShortcutsPreferencesView(KeyboardShortcuts& facility,
                                              QWidget* parent = nullptr);

    ShortcutRecorder* recorder() const { return recorder_; }

private:
    void build(KeyboardShortcuts& facility);
    QWidget* buildTips();

    ShortcutRecorder* recorder_ = nullptr;
};

} // namespace corvane
