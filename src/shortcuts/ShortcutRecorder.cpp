// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcuts/ShortcutRecorder.h"

#include "settings/Notifications.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace corvane {
namespace {

QString placeholderText()
{
    return ShortcutRecorder::tr("Record Shortcut");
}
QString promptText()
{
    return ShortcutRecorder::tr("Press shortcut…");
}
QString needsModifierText()
{
    return ShortcutRecorder::tr("Add a modifier other than Shift");
}
QString unknownKeyText()
{
    return ShortcutRecorder::tr("This key cannot be used");
}
QString takenText()
{
    return ShortcutRecorder::tr("Used by another application");
}
QString unusableText()
{
    return ShortcutRecorder::tr("This shortcut cannot be used");
}
// A stored combination that the facility could not register.
QString unavailableText(const Shortcut& shortcut)
{
    return ShortcutRecorder::tr("Taken: %1").arg(shortcut.displayText());
}

constexpr int horizontalPadding = 10;
constexpr int cornerRadius = 6;

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Mode_switch:
    case 0:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

bool grabsKeyboard()
{
    return QGuiApplication::platformName() == u"xcb";
}

bool isDeletion(int key)
{
    return key == Qt::Key_Delete || key == Qt::Key_Backspace;
}

// Modifiers that take part in a shortcut; the keypad and layout-group flags do not.
Qt::KeyboardModifiers chordModifiers(const QKeyEvent& event)
{
    return event.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
}

} // namespace

ShortcutRecorder::ShortcutRecorder(const KeyboardShortcuts::Name& name, QWidget* parent)
    : ShortcutRecorder(KeyboardShortcuts::shared(), name, parent)
{}

ShortcutRecorder::ShortcutRecorder(KeyboardShortcuts& facility, const KeyboardShortcuts::Name& name,
                                   QWidget* parent)
    : QWidget(parent), facility_(&facility), name_(name)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(tr("Shortcut recorder"));
    connect(&Notifications::shared(), &Notifications::shortcutByNameDidChange, this,
            [this](const QString& rawValue) {
                if (rawValue == name_.rawValue())
                    update();
            });
    connect(&facility, &KeyboardShortcuts::registrationChanged, this,
            [this](const QString& rawValue) {
                if (rawValue == name_.rawValue())
                    updateAvailability();
            });
    updateAvailability();
}

bool ShortcutRecorder::isUnavailable() const
{
    return !recording_ && facility_ && facility_->isUnavailable(name_);
}

void ShortcutRecorder::updateAvailability()
{
    const auto shortcut = KeyboardShortcuts::shortcut(name_);
    setToolTip(isUnavailable() && shortcut
                   ? tr("%1 is used by another application; click to record another "
                        "combination")
                         .arg(shortcut->displayText())
                   : QString());
    update();
}

ShortcutRecorder::~ShortcutRecorder()
{
    // The facility must get its hot keys back even when the page closes mid-recording.
    stopRecording();
}

QString ShortcutRecorder::text() const
{
    if (recording_)
        return message_.isEmpty() ? promptText() : message_;
    if (const auto shortcut = KeyboardShortcuts::shortcut(name_))
        return isUnavailable() ? unavailableText(*shortcut) : shortcut->displayText();
    return placeholderText();
}

void ShortcutRecorder::startRecording()
{
    if (recording_ || !isEnabled() || !isVisible())
        return;
    recording_ = true;
    message_.clear();
    setFocus(Qt::MouseFocusReason);
    // On X11 a combination that another client grabbed never reaches the focused window; holding
    // the keyboard while recording lets it arrive, so it can be reported as taken. Losing the
    // focus ends recording and with it the grab, so the user's typing elsewhere is never held.
    if (grabsKeyboard())
        grabKeyboard();
    emit Notifications::shared().recorderActiveStatusDidChange(true);
    emit recordingChanged(true);
    update();
}

void ShortcutRecorder::stopRecording()
{
    if (!recording_)
        return;
    recording_ = false;
    message_.clear();
    if (grabsKeyboard())
        releaseKeyboard();
    emit Notifications::shared().recorderActiveStatusDidChange(false);
    emit recordingChanged(false);
    update();
}

QSize ShortcutRecorder::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    int textWidth = 0;
    for (const QString& text : {placeholderText(), promptText(), needsModifierText(),
                                unknownKeyText(), takenText(), unusableText()})
        textWidth = std::max(textWidth, metrics.horizontalAdvance(text));
    const int height = std::max(24, metrics.height() + 10);
    return {textWidth + 2 * horizontalPadding + height, height};
}

QSize ShortcutRecorder::minimumSizeHint() const
{
    const int height = sizeHint().height();
    return {fontMetrics().horizontalAdvance(placeholderText()) + 2 * horizontalPadding, height};
}

bool ShortcutRecorder::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // While recording every key is ours; when merely focused, the keys the field acts on.
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (recording_ || (chordModifiers(key) == Qt::NoModifier &&
                           (isDeletion(key.key()) || key.key() == Qt::Key_Space))) {
            event->accept();
            return true;
        }
    }
    if (recording_ && event->type() == QEvent::KeyPress) {
        // Tab and Backtab would otherwise move the focus before the key reaches keyPressEvent.
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void ShortcutRecorder::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool bare = chordModifiers(*event) == Qt::NoModifier;
    if (!recording_) {
        if (bare && isDeletion(key)) {
            clear();
        } else if (bare &&
                   (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
            startRecording();
        } else {
            QWidget::keyPressEvent(event);
            return;
        }
        event->accept();
        return;
    }
    event->accept();
    if (isModifierKey(key))
        return;
    if (bare && key == Qt::Key_Escape) {
        stopRecording();
    } else if (bare && isDeletion(key)) {
        clear();
        stopRecording();
    } else {
        record(*event);
    }
}

void ShortcutRecorder::record(const QKeyEvent& event)
{
    const auto shortcut =
        Shortcut::fromQtKey(event.key(), event.modifiers() & ~Qt::GroupSwitchModifier);
    if (!shortcut) {
        refuse(unknownKeyText());
        return;
    }
    if (!shortcut->hasNonShiftModifier() && !shortcut->isFunctionKey()) {
        refuse(needsModifierText());
        return;
    }
    if (!facility_) {
        refuse(unusableText());
        return;
    }
    switch (facility_->checkAvailability(*shortcut)) {
    case HotKeyStatus::Success:
        break;
    case HotKeyStatus::AlreadyTaken:
        refuse(takenText());
        return;
    case HotKeyStatus::InvalidKey:
    case HotKeyStatus::Failed:
        refuse(unusableText());
        return;
    }
    // Stored while the facility is still suspended, so the old combination is never taken up
    // again in between.
    facility_->setShortcut(name_, *shortcut);
    stopRecording();
}

void ShortcutRecorder::refuse(const QString& message)
{
    message_ = message;
    update();
}

void ShortcutRecorder::clear()
{
    if (facility_)
        facility_->setShortcut(name_, std::nullopt);
    update();
}

void ShortcutRecorder::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (showsClearButton() && clearButtonRect().contains(event->position().toPoint())) {
        clear();
        return;
    }
    startRecording();
}

void ShortcutRecorder::focusOutEvent(QFocusEvent* event)
{
    stopRecording();
    QWidget::focusOutEvent(event);
}

void ShortcutRecorder::hideEvent(QHideEvent* event)
{
    stopRecording();
    QWidget::hideEvent(event);
}

void ShortcutRecorder::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stopRecording();
    QWidget::changeEvent(event);
}

bool ShortcutRecorder::showsClearButton() const
{
    return !recording_ && isEnabled() && KeyboardShortcuts::shortcut(name_).has_value();
}

QRect ShortcutRecorder::clearButtonRect() const
{
    const int side = height() - 10;
    return {width() - side - 6, (height() - side) / 2, side, side};
}

void ShortcutRecorder::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool active = recording_ || hasFocus();

    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath outline;
    outline.addRoundedRect(frame, cornerRadius, cornerRadius);
    painter.fillPath(outline, pal.color(QPalette::Base));
    painter.setPen(QPen(active ? pal.color(QPalette::Highlight) : pal.color(QPalette::Mid),
                        recording_ ? 2.0 : 1.0));
    painter.drawPath(outline);

    const bool clearButton = showsClearButton();
    QRect textArea = rect().adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    if (clearButton)
        textArea.setRight(clearButtonRect().left() - 4);

    QColor textColor = pal.color(QPalette::Text);
    if ((recording_ && !message_.isEmpty()) || isUnavailable())
        textColor = QColor(0xc6, 0x28, 0x28); // a refusal reads as a warning
    else if (recording_ || !KeyboardShortcuts::shortcut(name_))
        textColor = pal.color(QPalette::PlaceholderText);
    if (!isEnabled())
        textColor = pal.color(QPalette::Disabled, QPalette::Text);
    painter.setPen(textColor);
    const QString shown =
        fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, textArea.width()));
    painter.drawText(textArea, Qt::AlignCenter, shown);

    if (clearButton) {
        const QRectF button = clearButtonRect();
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.color(QPalette::Mid));
        painter.drawEllipse(button);
        painter.setPen(QPen(pal.color(QPalette::Base), 1.5, Qt::SolidLine, Qt::RoundCap));
        const qreal inset = button.width() * 0.3;
        const QRectF cross = button.adjusted(inset, inset, -inset, -inset);
        painter.drawLine(cross.topLeft(), cross.bottomRight());
        painter.drawLine(cross.topRight(), cross.bottomLeft());
    }
}

} // namespace corvane
