// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcuts/Shortcut.h"

#include "platform/KeyCodes.h"
#include "platform/KeyNames.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>
#include <utility>

namespace corvane {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr auto keyCodeKey = "carbonKeyCode"_L1;
constexpr auto modifiersKey = "carbonModifiers"_L1;

// Symbols that Qt reports for a shifted key of the US layout, with the key that produces them.
constexpr std::pair<Qt::Key, Qt::Key> shiftedSymbols[] = {
    {Qt::Key_Exclam, Qt::Key_1},
    {Qt::Key_At, Qt::Key_2},
    {Qt::Key_NumberSign, Qt::Key_3},
    {Qt::Key_Dollar, Qt::Key_4},
    {Qt::Key_Percent, Qt::Key_5},
    {Qt::Key_AsciiCircum, Qt::Key_6},
    {Qt::Key_Ampersand, Qt::Key_7},
    {Qt::Key_Asterisk, Qt::Key_8},
    {Qt::Key_ParenLeft, Qt::Key_9},
    {Qt::Key_ParenRight, Qt::Key_0},
    {Qt::Key_Underscore, Qt::Key_Minus},
    {Qt::Key_Plus, Qt::Key_Equal},
    {Qt::Key_BraceLeft, Qt::Key_BracketLeft},
    {Qt::Key_BraceRight, Qt::Key_BracketRight},
    {Qt::Key_Bar, Qt::Key_Backslash},
    {Qt::Key_Colon, Qt::Key_Semicolon},
    {Qt::Key_QuoteDbl, Qt::Key_Apostrophe},
    {Qt::Key_Less, Qt::Key_Comma},
    {Qt::Key_Greater, Qt::Key_Period},
    {Qt::Key_Question, Qt::Key_Slash},
    {Qt::Key_AsciiTilde, Qt::Key_QuoteLeft},
    {Qt::Key_Backtab, Qt::Key_Tab},
};

int unshifted(int qtKey)
{
    for (const auto& [symbol, key] : shiftedSymbols) {
        if (symbol == qtKey)
            return key;
    }
    return qtKey;
}

std::optional<int> wholeNumber(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double v = value.toDouble();
    if (!std::isfinite(v) || v != std::trunc(v) || v < std::numeric_limits<int>::min() ||
        v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

} // namespace

QByteArray Shortcut::toJson() const
{
    const QJsonObject object{{keyCodeKey, carbonKeyCode}, {modifiersKey, carbonModifiers}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<Shortcut> Shortcut::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const auto keyCode = wholeNumber(object.value(keyCodeKey));
    const auto modifiers = wholeNumber(object.value(modifiersKey));
    if (!keyCode || !modifiers)
        return std::nullopt;
    return Shortcut{*keyCode, *modifiers};
}

std::optional<Shortcut> Shortcut::fromQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    // On the keypad a symbol is a key of its own; elsewhere it stands for the key it is typed on.
    const int key = modifiers.testFlag(Qt::KeypadModifier) ? qtKey : unshifted(qtKey);
    const auto keyCode = macKeyCodeForQtKey(key);
    if (!keyCode)
        return std::nullopt;
    return Shortcut{*keyCode, carbonModifiersForQt(modifiers)};
}

std::optional<Qt::Key> Shortcut::qtKey() const
{
    return qtKeyForMacKeyCode(carbonKeyCode);
}

Qt::KeyboardModifiers Shortcut::qtModifiers() const
{
    return qtModifiersForCarbon(carbonModifiers);
}

bool Shortcut::isFunctionKey() const
{
    const auto key = qtKey();
    return key && *key >= Qt::Key_F1 && *key <= Qt::Key_F20;
}

bool Shortcut::hasNonShiftModifier() const
{
    return (carbonModifiers & ~CarbonModifier::shift) != 0;
}

QKeySequence Shortcut::keySequence() const
{
    // The function flag has no key of its own on other keyboards; Qt would call it "Num".
    const Qt::KeyboardModifiers modifiers = qtModifiers() & ~Qt::KeypadModifier;
    return QKeySequence(QKeyCombination(modifiers, qtKey().value_or(Qt::Key_unknown)));
}

QString Shortcut::displayText() const
{
    const Qt::KeyboardModifiers modifiers = qtModifiers() & ~Qt::KeypadModifier;
    if (const auto key = qtKey())
        return KeyNames::combination(modifiers, *key);
    // A key this system has no name for: the modifiers' names, then the code.
    return KeyNames::modifierPrefix(modifiers) +
           QCoreApplication::translate("Shortcut", "Key %1").arg(carbonKeyCode);
}

QString Shortcut::description() const
{
    return QStringLiteral("%1 (key code %2, modifiers %3)")
        .arg(displayText())
        .arg(carbonKeyCode)
        .arg(carbonModifiers);
}

} // namespace corvane
