// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyNames.h"

#include <QCoreApplication>
#include <QKeySequence>

namespace corvane::KeyNames {

QString modifierKey(const QString& storedKey)
{
    const QString key = storedKey.toLower();
    if (key == u"shift")
        return QCoreApplication::translate("KeyNames", "Shift");
    if (key == u"control")
        return QCoreApplication::translate("KeyNames", "Ctrl");
    if (key == u"option" || key == u"alt")
        return QCoreApplication::translate("KeyNames", "Alt");
    if (key == u"command" || key == u"cmd")
        return QCoreApplication::translate("KeyNames", "Super");
    if (key == u"space")
        return QCoreApplication::translate("KeyNames", "Space");
    if (key == u"tab")
        return QCoreApplication::translate("KeyNames", "Tab");
    return storedKey.toUpper();
}

QString modifierPrefix(Qt::KeyboardModifiers modifiers)
{
    struct Name {
        Qt::KeyboardModifier modifier;
        const char16_t* storedKey;
    };
    // Qt calls Super "Meta" and puts it first; the desktop's own settings write it last.
    static constexpr Name order[] = {{Qt::ControlModifier, u"control"},
                                     {Qt::ShiftModifier, u"shift"},
                                     {Qt::AltModifier, u"alt"},
                                     {Qt::MetaModifier, u"command"}};
    QString text;
    for (const Name& name : order) {
        if (modifiers.testFlag(name.modifier))
            text += modifierKey(QString::fromUtf16(name.storedKey)) + u'+';
    }
    return text;
}

QString combination(Qt::KeyboardModifiers modifiers, Qt::Key key)
{
    return modifierPrefix(modifiers) + QKeySequence(key).toString(QKeySequence::NativeText);
}

} // namespace corvane::KeyNames
