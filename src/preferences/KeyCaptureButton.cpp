// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/KeyCaptureButton.h"

#include "platform/KeyNames.h"
#include "preferences/KeyCaptureView.h"
#include "preferences/PreferencesStyle.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane {
namespace {

constexpr int narrowestWidth = 120;
constexpr int buttonHeight = 28;
constexpr int horizontalPadding = 14;
constexpr qreal radius = 6;

} // namespace

KeyCaptureButton::KeyCaptureButton(QWidget* parent) : QAbstractButton(parent)
{
    setFont(PreferencesStyle::font(13, QFont::Medium));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // A click must not take the focus from the capture view: a second click cancels recording
    // rather than restarting it.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { setRecording(!isRecording()); });
}

KeyCaptureButton::~KeyCaptureButton() = default;

void KeyCaptureButton::setCurrentKey(const QString& key)
{
    if (currentKey_ == key)
        return;
    currentKey_ = key;
    setAccessibleName(displayText());
    updateGeometry();
    update();
}

void KeyCaptureButton::setRecording(bool recording)
{
    if (recording == isRecording())
        return;
    if (recording) {
        capture_ = new KeyCaptureView(this);
        capture_->setGeometry(rect());
        connect(capture_, &KeyCaptureView::keyPressed, this, &KeyCaptureButton::onKeyPressed);
        connect(capture_, &KeyCaptureView::focusLost, this, [this] { setRecording(false); });
        capture_->show();
        capture_->setFocus(Qt::OtherFocusReason);
    } else {
        // The view may be inside its own event handler: let it go once that returns.
        KeyCaptureView* view = capture_;
        capture_ = nullptr;
        view->disconnect(this);
        view->hide();
        view->deleteLater();
    }
    setAccessibleName(displayText());
    update();
    emit recordingChanged(recording);
}

QString KeyCaptureButton::displayText() const
{
    if (isRecording())
        return tr("Press any key...");
    return KeyNames::modifierKey(currentKey_);
}

QSize KeyCaptureButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const int widest =
        qMax(fm.horizontalAdvance(tr("Press any key...")), fm.horizontalAdvance(displayText()));
    return {qMax(narrowestWidth, widest + 2 * horizontalPadding), buttonHeight};
}

void KeyCaptureButton::onKeyPressed(const QString& key)
{
    setRecording(false);
    emit keyChanged(key);
}

void KeyCaptureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor accent = PreferencesStyle::accent(pal);
    const QPainterPath shape = PreferencesStyle::buttonShape(rect(), radius);
    p.fillPath(shape, PreferencesStyle::controlBackground(pal));
    if (isRecording() || isDown())
        p.fillPath(shape, PreferencesStyle::withOpacity(accent, 0.1));
    p.setPen(QPen(isRecording() || hasFocus() ? accent : PreferencesStyle::separator(pal), 1));
    p.drawPath(shape);
    if (hasFocus())
        PreferencesStyle::drawFocusRing(p, shape, pal);

    p.setFont(font());
    p.setPen(isRecording() ? PreferencesStyle::secondaryLabel(pal) : PreferencesStyle::label(pal));
    const QRect textRect = rect().adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    p.drawText(textRect, Qt::AlignCenter,
               fontMetrics().elidedText(displayText(), Qt::ElideRight, textRect.width()));
}

void KeyCaptureButton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    if (capture_)
        capture_->setGeometry(rect());
}

void KeyCaptureButton::hideEvent(QHideEvent* event)
{
    // Leaving the page ends recording; nothing is stored.
    setRecording(false);
    QAbstractButton::hideEvent(event);
}

} // namespace corvane
