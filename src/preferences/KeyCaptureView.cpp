// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/KeyCaptureView.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace corvane {
namespace {

// Qt on macOS reports the Command key as Control and the Control key as Meta; elsewhere Meta is
// the Super (Windows) key, which plays Command's part.
#ifdef Q_OS_MACOS
constexpr Qt::KeyboardModifier controlFlag = Qt::MetaModifier;
constexpr Qt::KeyboardModifier commandFlag = Qt::ControlModifier;
#else
constexpr Qt::KeyboardModifier controlFlag = Qt::ControlModifier;
constexpr Qt::KeyboardModifier commandFlag = Qt::MetaModifier;
#endif
constexpr Qt::KeyboardModifier shiftFlag = Qt::ShiftModifier;
constexpr Qt::KeyboardModifier optionFlag = Qt::AltModifier;

Qt::KeyboardModifiers flagOfKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
        return shiftFlag;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return optionFlag;
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return Qt::MetaModifier;
    default:
        return {};
    }
}

} // namespace

KeyCaptureView::KeyCaptureView(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // Clicks belong to the button underneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

std::optional<QString> KeyCaptureView::modifierName(Qt::KeyboardModifiers modifiers)
{
    struct Rule {
        Qt::KeyboardModifier flag;
        const char* name;
    };
    static constexpr Rule rules[] = {{shiftFlag, "shift"},
                                     {controlFlag, "control"},
                                     {optionFlag, "option"},
                                     {commandFlag, "command"}};
    for (const Rule& rule : rules) {
        if (!modifiers.testFlag(rule.flag))
            continue;
        bool othersAllDown = true;
        for (const Rule& other : rules) {
            if (other.flag != rule.flag && !modifiers.testFlag(other.flag))
                othersAllDown = false;
        }
        if (!othersAllDown)
            return QString::fromLatin1(rule.name);
    }
    return std::nullopt;
}

std::optional<QString>
KeyCaptureView::nameForModifierChange(int key, Qt::KeyboardModifiers modifiers, bool pressed)
{
    // The event's own modifiers may or may not count the key that changed; make them agree.
    const Qt::KeyboardModifiers flag = flagOfKey(key);
    return modifierName(pressed ? (modifiers | flag) : (modifiers & ~flag));
}

std::optional<QString> KeyCaptureView::nameForKeyPress(int key, Qt::KeyboardModifiers modifiers,
                                                       const QString& text)
{
    if (key == Qt::Key_Escape)
        return QStringLiteral("shift");
    if (auto modifier = modifierName(modifiers))
        return modifier;
    if (key == Qt::Key_Space)
        return QStringLiteral("space");
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return QStringLiteral("tab");
    const QString typed = text.trimmed();
    if (!typed.isEmpty() && typed.at(0).isPrint())
        return typed.toLower();
    // Keys without text (function keys, arrows): their name, as in "f5".
    const QString named = QKeySequence(key).toString(QKeySequence::PortableText).toLower();
    if (named.isEmpty())
        return std::nullopt;
    return named;
}

bool KeyCaptureView::isModifierKey(int key)
{
    return flagOfKey(key) != Qt::KeyboardModifiers();
}

bool KeyCaptureView::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Every key is ours while recording, including the window's shortcuts.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        // Tab would otherwise move the focus instead of being recorded.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void KeyCaptureView::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (event->isAutoRepeat())
        return;
    const std::optional<QString> name =
        isModifierKey(event->key())
            ? nameForModifierChange(event->key(), event->modifiers(), true)
            : nameForKeyPress(event->key(), event->modifiers(), event->text());
    if (name)
        emit keyPressed(*name);
}

void KeyCaptureView::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (event->isAutoRepeat() || !isModifierKey(event->key()))
        return;
    if (const auto name = nameForModifierChange(event->key(), event->modifiers(), false))
        emit keyPressed(*name);
}

void KeyCaptureView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    emit focusLost();
}

} // namespace corvane
