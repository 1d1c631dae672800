// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11KeySyms.h"

#include "platform/KeyCodes.h"

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>
#include <utility>

namespace corvane {
namespace {

constexpr std::pair<Qt::Key, std::uint32_t> keyTable[] = {
    {Qt::Key_Space, XK_space},
    {Qt::Key_Apostrophe, XK_apostrophe},
    {Qt::Key_Comma, XK_comma},
    {Qt::Key_Minus, XK_minus},
    {Qt::Key_Period, XK_period},
    {Qt::Key_Slash, XK_slash},
    {Qt::Key_Semicolon, XK_semicolon},
    {Qt::Key_Equal, XK_equal},
    {Qt::Key_BracketLeft, XK_bracketleft},
    {Qt::Key_Backslash, XK_backslash},
    {Qt::Key_BracketRight, XK_bracketright},
    {Qt::Key_QuoteLeft, XK_grave},
    {Qt::Key_Asterisk, XK_asterisk},
    {Qt::Key_Plus, XK_plus},
    {Qt::Key_Return, XK_Return},
    {Qt::Key_Enter, XK_KP_Enter},
    {Qt::Key_Tab, XK_Tab},
    {Qt::Key_Escape, XK_Escape},
    {Qt::Key_Backspace, XK_BackSpace},
    {Qt::Key_Delete, XK_Delete},
    {Qt::Key_Insert, XK_Insert},
    {Qt::Key_Help, XK_Help},
    {Qt::Key_Clear, XK_Clear},
    {Qt::Key_Home, XK_Home},
    {Qt::Key_End, XK_End},
    {Qt::Key_PageUp, XK_Page_Up},
    {Qt::Key_PageDown, XK_Page_Down},
    {Qt::Key_Left, XK_Left},
    {Qt::Key_Right, XK_Right},
    {Qt::Key_Up, XK_Up},
    {Qt::Key_Down, XK_Down},
};

// macOS keypad key codes and their keysyms.
constexpr std::pair<int, std::uint32_t> keypadTable[] = {
    {65, XK_KP_Decimal}, {67, XK_KP_Multiply}, {69, XK_KP_Add},      {71, XK_Clear},
    {75, XK_KP_Divide},  {76, XK_KP_Enter},    {78, XK_KP_Subtract}, {81, XK_KP_Equal},
    {82, XK_KP_0},       {83, XK_KP_1},        {84, XK_KP_2},        {85, XK_KP_3},
    {86, XK_KP_4},       {87, XK_KP_5},        {88, XK_KP_6},        {89, XK_KP_7},
    {91, XK_KP_8},       {92, XK_KP_9},
};

} // namespace

std::optional<std::uint32_t> keysymForQtKey(Qt::Key key)
{
    // Letters grab by their lower-case symbol, the one the unshifted key produces.
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return XK_a + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return XK_0 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return XK_F1 + (key - Qt::Key_F1);
    for (const auto& [qtKey, keysym] : keyTable) {
        if (qtKey == key)
            return keysym;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> keysymForMacKeyCode(int keyCode)
{
    for (const auto& [code, keysym] : keypadTable) {
        if (code == keyCode)
            return keysym;
    }
    const auto key = qtKeyForMacKeyCode(keyCode);
    if (!key)
        return std::nullopt;
    return keysymForQtKey(*key);
}

} // namespace corvane
