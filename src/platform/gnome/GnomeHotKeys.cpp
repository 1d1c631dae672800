// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeHotKeys.h"

#include "logging/Logger.h"
#include "platform/KeyCodes.h"
#include "platform/gnome/GnomeShellBridge.h"

#include <QKeySequence>

namespace corvane {
namespace {

const QString namePrefix = QStringLiteral("corvane-shortcut-");

// The X key names of keys whose Qt name differs; letters are lower-cased, digits and function
// keys keep Qt's name.
QString keyName(Qt::Key key)
{
    static const QHash<int, QString> names = {
        {Qt::Key_PageUp, QStringLiteral("Page_Up")},
        {Qt::Key_PageDown, QStringLiteral("Page_Down")},
        {Qt::Key_Space, QStringLiteral("space")},
        {Qt::Key_Escape, QStringLiteral("Escape")},
        {Qt::Key_Backspace, QStringLiteral("BackSpace")},
        {Qt::Key_Delete, QStringLiteral("Delete")},
        {Qt::Key_Insert, QStringLiteral("Insert")},
        {Qt::Key_Return, QStringLiteral("Return")},
        {Qt::Key_Enter, QStringLiteral("KP_Enter")},
        {Qt::Key_Comma, QStringLiteral("comma")},
        {Qt::Key_Period, QStringLiteral("period")},
        {Qt::Key_Slash, QStringLiteral("slash")},
        {Qt::Key_Backslash, QStringLiteral("backslash")},
        {Qt::Key_Semicolon, QStringLiteral("semicolon")},
        {Qt::Key_Apostrophe, QStringLiteral("apostrophe")},
        {Qt::Key_BracketLeft, QStringLiteral("bracketleft")},
        {Qt::Key_BracketRight, QStringLiteral("bracketright")},
        {Qt::Key_Minus, QStringLiteral("minus")},
        {Qt::Key_Equal, QStringLiteral("equal")},
        {Qt::Key_QuoteLeft, QStringLiteral("grave")},
    };
    if (const auto it = names.constFind(key); it != names.constEnd())
        return *it;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(u'a' + (key - Qt::Key_A));
    const QString text = QKeySequence(key).toString(QKeySequence::PortableText);
    // Qt's names of the other keys a shortcut can use (F1, Left, Home, Tab, 1) are X's too.
    const bool plain = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isLetterOrNumber() && c.unicode() < 128;
    });
    return plain ? text : QString();
}

} // namespace

GnomeHotKeys::GnomeHotKeys(GnomeShellBridge& bridge, QObject* parent)
    : HotKeys(parent), bridge_(bridge)
{
    connect(&bridge_, &GnomeShellBridge::shortcutActivated, this, [this](const QString& name) {
        if (!name.startsWith(namePrefix))
            return;
        bool ok = false;
        const std::uint32_t id = name.mid(namePrefix.size()).toUInt(&ok);
        if (!ok || !accelerators_.contains(id))
            return;
        // The shell reports the press only; the release follows it.
        emit pressed(id);
        emit released(id);
    });
    connect(&bridge_, &GnomeShellBridge::connectedChanged, this, &GnomeHotKeys::grabAll);
}

QString GnomeHotKeys::nameOf(std::uint32_t id)
{
    return namePrefix + QString::number(id);
}

QString GnomeHotKeys::acceleratorText(int keyCode, int carbonModifiers)
{
    const auto key = qtKeyForMacKeyCode(keyCode);
    const QString name = key ? keyName(*key) : QString();
    if (name.isEmpty())
        return {};
    const Qt::KeyboardModifiers m = qtModifiersForCarbon(carbonModifiers);
    QString text;
    if (m & Qt::ShiftModifier)
        text += QLatin1String("<Shift>");
    if (m & Qt::ControlModifier)
        text += QLatin1String("<Control>");
    if (m & Qt::AltModifier)
        text += QLatin1String("<Alt>");
    if (m & Qt::MetaModifier)
        text += QLatin1String("<Super>");
    return text + name;
}

HotKeyStatus GnomeHotKeys::registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id)
{
    const QString accelerator = acceleratorText(keyCode, carbonModifiers);
    if (accelerator.isEmpty())
        return HotKeyStatus::InvalidKey;
    if (!bridge_.isConnected())
        return HotKeyStatus::Failed;
    if (accelerators_.remove(id) > 0)
        bridge_.releaseShortcut(nameOf(id));
    if (!bridge_.grabShortcut(nameOf(id), accelerator))
        return HotKeyStatus::AlreadyTaken;
    accelerators_.insert(id, accelerator);
    return HotKeyStatus::Success;
}

void GnomeHotKeys::unregisterHotKey(std::uint32_t id)
{
    if (accelerators_.remove(id) > 0)
        bridge_.releaseShortcut(nameOf(id));
}

void GnomeHotKeys::grabAll()
{
    if (!bridge_.isConnected())
        return;
    for (auto it = accelerators_.constBegin(); it != accelerators_.constEnd(); ++it) {
        if (!bridge_.grabShortcut(nameOf(it.key()), it.value()))
            Logger::warning(QStringLiteral("GNOME Shell refused the shortcut ") + it.value(),
                            LogCategory::App);
    }
}

} // namespace corvane
