// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <optional>

class QKeyEvent;

namespace corvane {

// Takes the keyboard focus while the snap modifier is being recorded and turns the next key
// event into the stored name of a key: "shift", "control", "option", "command", "space", "tab",
// or the key's own lower-case text. Escape stands for "shift" (back to the default).
class KeyCaptureView : public QWidget {
    Q_OBJECT
public:
    explicit KeyCaptureView(QWidget* parent = nullptr);

    // The four modifier rules, tried in order Shift, Control, Option, Command: a rule matches
    // when its key is down and the other three are not all down at once.
    static std::optional<QString> modifierName(Qt::KeyboardModifiers modifiers);
    // A modifier key went down (pressed) or up: the modifiers now held decide.
    static std::optional<QString> nameForModifierChange(int key, Qt::KeyboardModifiers modifiers,
                                                        bool pressed);
    // Any other key press.
    static std::optional<QString> nameForKeyPress(int key, Qt::KeyboardModifiers modifiers,
                                                  const QString& text);
    static bool isModifierKey(int key);

signals:
    void keyPressed(const QString& key);
    // The focus went elsewhere (another window, a click outside): recording should end.
    void focusLost();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace corvane
