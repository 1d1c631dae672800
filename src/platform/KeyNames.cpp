// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyNames.h"

#include <QKeySequence>

namespace corvane::KeyNames {

QString modifierKey(const QString& storedKey)
{
    const QString key = storedKey.toLower();
    if (key == u"shift")
        return QStringLiteral("Shift");
    if (key == u"control")
        return QStringLiteral("Ctrl");
    if (key == u"option" || key == u"alt")
        return QStringLiteral("Alt");
    if (key == u"command" || key == u"cmd")
        return QStringLiteral("Super");
    if (key == u"space")
        return QStringLiteral("Space");
    if (key == u"tab")
        return QStringLiteral("Tab");
    return storedKey.toUpper();
}

QString modifierPrefix(Qt::KeyboardModifiers modifiers)
{
    struct Name {
        Qt::KeyboardModifier modifier;
        const char16_t* text;
    };
    // Qt calls Super "Meta" and puts it first; the desktop's own settings write it last.
    static constexpr Name order[] = {{Qt::ControlModifier, u"Ctrl+"},
                                     {Qt::ShiftModifier, u"Shift+"},
                                     {Qt::AltModifier, u"Alt+"},
                                     {Qt::MetaModifier, u"Super+"}};
    QString text;
    for (const Name& name : order) {
        if (modifiers.testFlag(name.modifier))
            text += QString::fromUtf16(name.text);
    }
    return text;
}

QString combination(Qt::KeyboardModifiers modifiers, Qt::Key key)
{
    return modifierPrefix(modifiers) + QKeySequence(key).toString(QKeySequence::NativeText);
}

} // namespace corvane::KeyNames
