// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/KeyCaptureView.h"

#include <QAbstractButton>
#include <QPointer>

namespace corvane {

// Shows the snap modifier key; pressed, it records the next key until one is reported (then
// keyChanged) or recording is cancelled by a second press or by the focus going elsewhere.
class KeyCaptureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit KeyCaptureButton(QWidget* parent = nullptr);
    ~KeyCaptureButton() override;

    QString currentKey() const { return currentKey_; }
    void setCurrentKey(const QString& key);

    bool isRecording() const { return capture_ != nullptr; }
    void setRecording(bool recording);
    // The view that has the keyboard focus while recording.
    KeyCaptureView* captureView() const { return capture_; }

    // What the button shows: the key's display name, or the prompt while recording.
    QString displayText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void keyChanged(const QString& key);
    void recordingChanged(bool recording);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void onKeyPressed(const QString& key);

    QString currentKey_;
    QPointer<KeyCaptureView> capture_;
};

} // namespace corvane
