// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shortcuts/KeyboardShortcuts.h"

#include <QPointer>
#include <QWidget>

namespace corvane {

// The field that shows and records one named shortcut. A click starts recording; the next key
// combination with a modifier other than Shift (or a function key alone) becomes the shortcut.
// Escape cancels, Delete or Backspace clears; a combination another application holds is refused
// with a message and recording goes on. While recording, the facility lets go of its own hot keys.
class ShortcutRecorder : public QWidget {
    Q_OBJECT
public:
    // Records into the shared facility.
    explicit ShortcutRecorder(const KeyboardShortcuts::Name& name, QWidget* parent = nullptr);
    ShortcutRecorder(KeyboardShortcuts& facility, const KeyboardShortcuts::Name& name,
                     QWidget* parent = nullptr);
    ~ShortcutRecorder() override;

    const KeyboardShortcuts::Name& name() const { return name_; }
    bool isRecording() const { return recording_; }
    // What the field shows: the combination, the placeholder, the recording prompt or a refusal.
    QString text() const;
    // Why the last combination was refused; empty when none is. Cleared when recording ends.
    QString message() const { return message_; }
    // The stored combination could not be registered: another client holds it. The field says
    // so until it is registered or replaced.
    bool isUnavailable() const;

    void startRecording();
    void stopRecording();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void recordingChanged(bool recording);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateAvailability();
    void record(const QKeyEvent& event);
    void refuse(const QString& message);
    void clear();
    bool showsClearButton() const;
    QRect clearButtonRect() const;

    QPointer<KeyboardShortcuts> facility_;
    KeyboardShortcuts::Name name_;
    bool recording_ = false;
    QString message_;
};

} // namespace corvane
