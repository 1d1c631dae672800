// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/DragKey.h"

#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

#include <QKeySequence>

namespace corvane {
namespace {

std::optional<Modifier> modifierFor(const QString& name)
{
    if (name == u"shift")
        return Modifier::Shift;
    if (name == u"control")
        return Modifier::Ctrl;
    if (name == u"option" || name == u"alt")
        return Modifier::Alt;
    if (name == u"command" || name == u"cmd")
        return Modifier::Super;
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
    if ((result.modifier_ = modifierFor(key)))
        return result;
    const auto qtKey = qtKeyFor(key);
    if (!qtKey || !(result.keyCode_ = macKeyCodeForQtKey(*qtKey)))
        return std::nullopt;
    return result;
}

DragKey DragKey::shift()
{
    DragKey key;
    key.modifier_ = Modifier::Shift;
    return key;
}

bool DragKey::canBeFollowed() const
{
    return modifier_ || (keyCode_ && Platform::current().windowSystem().canFollowKey(*keyCode_));
}

bool DragKey::isHeldIn(const HeldKeys& keys) const
{
    if (modifier_)
        return keys.modifiers.testFlag(*modifier_);
    return keyCode_ && keys.keys.contains(*keyCode_);
}

bool DragKey::isHeldNow() const
{
    const auto keys = Platform::current().windowSystem().heldKeys();
    return keys && isHeldIn(*keys);
}

} // namespace corvane
