// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/DragKey.h"

#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

#include <QKeySequence>

namespace corvane {
namespace {

std::optional<std::uint64_t> modifierFlagFor(const QString& name)
{
    if (name == u"shift")
        return ModifierFlag::shift;
    if (name == u"control")
        return ModifierFlag::control;
    if (name == u"option" || name == u"alt")
        return ModifierFlag::option;
    if (name == u"command" || name == u"cmd")
        return ModifierFlag::command;
    return std::nullopt;
}

// The Qt key of a name the key capture gives: "space" and "tab", one typed character, or the
// portable name of a key without text ("f5", "pgup", "backspace").
std::optional<int> qtKeyFor(const QString& name)
{
    if (name == u"space")
        return Qt::Key_Space;
    if (name == u"tab")
        return Qt::Key_Tab;
    if (name.size() == 1) {
        // Qt's codes of the printable keys are their upper-case characters; "," would be read as
        // a separator by the key sequence parser.
        const QChar upper = name.at(0).toUpper();
        return upper.isPrint() ? std::optional<int>(upper.unicode()) : std::nullopt;
    }
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier)
        return std::nullopt;
    return sequence[0].key();
}

} // namespace

QString DragKey::nameInUse()
{
    const QString stored = Settings::dragModifierKey();
    const auto key = fromName(stored);
    return key && key->canBeFollowed() ? stored : QStringLiteral("shift");
}

std::optional<DragKey> DragKey::fromName(const QString& name)
{
    const QString key = name.trimmed().toLower();
    DragKey result;
    if ((result.flag_ = modifierFlagFor(key)))
        return result;
    const auto qtKey = qtKeyFor(key);
    if (!qtKey || !(result.keyCode_ = macKeyCodeForQtKey(*qtKey)))
        return std::nullopt;
    return result;
}

DragKey DragKey::shift()
{
    DragKey key;
    key.flag_ = ModifierFlag::shift;
    return key;
}

DragKey DragKey::spanShortcut()
{
    DragKey key;
    key.flag_ = ModifierFlag::spanShortcut;
    return key;
}

bool DragKey::canBeFollowed() const
{
    return flag_ || (keyCode_ && Platform::current().inputMonitor().canFollowKey(*keyCode_));
}

bool DragKey::isHeldIn(const MouseEvent& event) const
{
    if (flag_)
        return (event.modifierFlags & *flag_) != 0;
    return keyCode_ && event.heldKeys.contains(*keyCode_);
}

bool DragKey::isHeldNow() const
{
    const InputMonitor& monitor = Platform::current().inputMonitor();
    if (flag_)
        return (monitor.modifierFlags() & *flag_) != 0;
    return keyCode_ && monitor.heldKeys().contains(*keyCode_);
}

} // namespace corvane
