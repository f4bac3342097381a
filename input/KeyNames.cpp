#include "input/KeyNames.h"

#include <allegro.h>
#include <strings.h>

namespace {

struct NamedKey {
    const char* name;
    const char* label;
    int scancode;
};

// Every key the library names, in the order of its scan codes, with the
// name as the settings file writes it and the label as a keyboard prints it.
const NamedKey KEYS[] = {
    {"A", "A", KEY_A}, {"B", "B", KEY_B}, {"C", "C", KEY_C}, {"D", "D", KEY_D}, {"E", "E", KEY_E},
    {"F", "F", KEY_F}, {"G", "G", KEY_G}, {"H", "H", KEY_H}, {"I", "I", KEY_I}, {"J", "J", KEY_J},
    {"K", "K", KEY_K}, {"L", "L", KEY_L}, {"M", "M", KEY_M}, {"N", "N", KEY_N}, {"O", "O", KEY_O},
    {"P", "P", KEY_P}, {"Q", "Q", KEY_Q}, {"R", "R", KEY_R}, {"S", "S", KEY_S}, {"T", "T", KEY_T},
    {"U", "U", KEY_U}, {"V", "V", KEY_V}, {"W", "W", KEY_W}, {"X", "X", KEY_X}, {"Y", "Y", KEY_Y},
    {"Z", "Z", KEY_Z}, {"0", "0", KEY_0}, {"1", "1", KEY_1}, {"2", "2", KEY_2}, {"3", "3", KEY_3},
    {"4", "4", KEY_4}, {"5", "5", KEY_5}, {"6", "6", KEY_6}, {"7", "7", KEY_7}, {"8", "8", KEY_8},
    {"9", "9", KEY_9}, {"0_PAD", "Keypad 0", KEY_0_PAD}, {"1_PAD", "Keypad 1", KEY_1_PAD},
    {"2_PAD", "Keypad 2", KEY_2_PAD}, {"3_PAD", "Keypad 3", KEY_3_PAD}, {"4_PAD", "Keypad 4", KEY_4_PAD},
    {"5_PAD", "Keypad 5", KEY_5_PAD}, {"6_PAD", "Keypad 6", KEY_6_PAD}, {"7_PAD", "Keypad 7", KEY_7_PAD},
    {"8_PAD", "Keypad 8", KEY_8_PAD}, {"9_PAD", "Keypad 9", KEY_9_PAD}, {"F1", "F1", KEY_F1},
    {"F2", "F2", KEY_F2}, {"F3", "F3", KEY_F3}, {"F4", "F4", KEY_F4}, {"F5", "F5", KEY_F5},
    {"F6", "F6", KEY_F6}, {"F7", "F7", KEY_F7}, {"F8", "F8", KEY_F8}, {"F9", "F9", KEY_F9},
    {"F10", "F10", KEY_F10}, {"F11", "F11", KEY_F11}, {"F12", "F12", KEY_F12}, {"ESC", "Esc", KEY_ESC},
    {"TILDE", "`", KEY_TILDE}, {"MINUS", "-", KEY_MINUS}, {"EQUALS", "=", KEY_EQUALS},
    {"BACKSPACE", "Backspace", KEY_BACKSPACE}, {"TAB", "Tab", KEY_TAB}, {"OPENBRACE", "[", KEY_OPENBRACE},
    {"CLOSEBRACE", "]", KEY_CLOSEBRACE}, {"ENTER", "Enter", KEY_ENTER}, {"COLON", ";", KEY_COLON},
    {"QUOTE", "'", KEY_QUOTE}, {"BACKSLASH", "\\", KEY_BACKSLASH}, {"BACKSLASH2", "\\ (ISO)", KEY_BACKSLASH2},
    {"COMMA", ",", KEY_COMMA}, {"STOP", ".", KEY_STOP}, {"SLASH", "/", KEY_SLASH},
    {"SPACE", "Space", KEY_SPACE}, {"INSERT", "Insert", KEY_INSERT}, {"DEL", "Delete", KEY_DEL},
    {"HOME", "Home", KEY_HOME}, {"END", "End", KEY_END}, {"PGUP", "Page Up", KEY_PGUP},
    {"PGDN", "Page Down", KEY_PGDN}, {"LEFT", "Left", KEY_LEFT}, {"RIGHT", "Right", KEY_RIGHT},
    {"UP", "Up", KEY_UP}, {"DOWN", "Down", KEY_DOWN}, {"SLASH_PAD", "Keypad /", KEY_SLASH_PAD},
    {"ASTERISK", "Keypad *", KEY_ASTERISK}, {"MINUS_PAD", "Keypad -", KEY_MINUS_PAD},
    {"PLUS_PAD", "Keypad +", KEY_PLUS_PAD}, {"DEL_PAD", "Keypad .", KEY_DEL_PAD},
    {"ENTER_PAD", "Keypad Enter", KEY_ENTER_PAD}, {"PRTSCR", "Print Screen", KEY_PRTSCR},
    {"PAUSE", "Pause", KEY_PAUSE}, {"ABNT_C1", "ABNT C1", KEY_ABNT_C1}, {"YEN", "Yen", KEY_YEN},
    {"KANA", "Kana", KEY_KANA}, {"CONVERT", "Convert", KEY_CONVERT},
    {"NOCONVERT", "No Convert", KEY_NOCONVERT}, {"AT", "@", KEY_AT}, {"CIRCUMFLEX", "^", KEY_CIRCUMFLEX},
    {"COLON2", ": (JIS)", KEY_COLON2}, {"KANJI", "Kanji", KEY_KANJI},
    {"EQUALS_PAD", "Keypad =", KEY_EQUALS_PAD}, {"BACKQUOTE", "` (JIS)", KEY_BACKQUOTE},
    {"SEMICOLON", "; (JIS)", KEY_SEMICOLON}, {"COMMAND", "Command", KEY_COMMAND},
    {"LSHIFT", "Left Shift", KEY_LSHIFT}, {"RSHIFT", "Right Shift", KEY_RSHIFT},
    {"LCONTROL", "Left Ctrl", KEY_LCONTROL}, {"RCONTROL", "Right Ctrl", KEY_RCONTROL},
    {"ALT", "Alt", KEY_ALT}, {"ALTGR", "AltGr", KEY_ALTGR}, {"LWIN", "Left Super", KEY_LWIN},
    {"RWIN", "Right Super", KEY_RWIN}, {"MENU", "Menu", KEY_MENU}, {"SCRLOCK", "Scroll Lock", KEY_SCRLOCK},
    {"NUMLOCK", "Num Lock", KEY_NUMLOCK}, {"CAPSLOCK", "Caps Lock", KEY_CAPSLOCK},
};

} // namespace

int scancodeNamed(const char* name)
{
    if (!name)
        return -1;
    for (const NamedKey& named : KEYS)
        if (strcasecmp(named.name, name) == 0)
            return named.scancode;
    return -1;
}

const char* keyName(int scancode)
{
    for (const NamedKey& named : KEYS)
        if (named.scancode == scancode)
            return named.name;
    return nullptr;
}

const char* keyLabel(int scancode)
{
    for (const NamedKey& named : KEYS)
        if (named.scancode == scancode)
            return named.label;
    return nullptr;
}
