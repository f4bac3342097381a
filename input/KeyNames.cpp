#include "input/KeyNames.h"

#include <allegro.h>
#include <strings.h>

namespace {

struct NamedKey {
    const char* name;
    int scancode;
};

// Every key the library names, in the order of its scan codes.
const NamedKey KEYS[] = {
    {"A", KEY_A}, {"B", KEY_B}, {"C", KEY_C}, {"D", KEY_D}, {"E", KEY_E}, {"F", KEY_F}, {"G", KEY_G},
    {"H", KEY_H}, {"I", KEY_I}, {"J", KEY_J}, {"K", KEY_K}, {"L", KEY_L}, {"M", KEY_M}, {"N", KEY_N},
    {"O", KEY_O}, {"P", KEY_P}, {"Q", KEY_Q}, {"R", KEY_R}, {"S", KEY_S}, {"T", KEY_T}, {"U", KEY_U},
    {"V", KEY_V}, {"W", KEY_W}, {"X", KEY_X}, {"Y", KEY_Y}, {"Z", KEY_Z},
    {"0", KEY_0}, {"1", KEY_1}, {"2", KEY_2}, {"3", KEY_3}, {"4", KEY_4},
    {"5", KEY_5}, {"6", KEY_6}, {"7", KEY_7}, {"8", KEY_8}, {"9", KEY_9},
    {"0_PAD", KEY_0_PAD}, {"1_PAD", KEY_1_PAD}, {"2_PAD", KEY_2_PAD}, {"3_PAD", KEY_3_PAD},
    {"4_PAD", KEY_4_PAD}, {"5_PAD", KEY_5_PAD}, {"6_PAD", KEY_6_PAD}, {"7_PAD", KEY_7_PAD},
    {"8_PAD", KEY_8_PAD}, {"9_PAD", KEY_9_PAD},
    {"F1", KEY_F1}, {"F2", KEY_F2}, {"F3", KEY_F3}, {"F4", KEY_F4}, {"F5", KEY_F5}, {"F6", KEY_F6},
    {"F7", KEY_F7}, {"F8", KEY_F8}, {"F9", KEY_F9}, {"F10", KEY_F10}, {"F11", KEY_F11}, {"F12", KEY_F12},
    {"ESC", KEY_ESC}, {"TILDE", KEY_TILDE}, {"MINUS", KEY_MINUS}, {"EQUALS", KEY_EQUALS},
    {"BACKSPACE", KEY_BACKSPACE}, {"TAB", KEY_TAB}, {"OPENBRACE", KEY_OPENBRACE},
    {"CLOSEBRACE", KEY_CLOSEBRACE}, {"ENTER", KEY_ENTER}, {"COLON", KEY_COLON}, {"QUOTE", KEY_QUOTE},
    {"BACKSLASH", KEY_BACKSLASH}, {"BACKSLASH2", KEY_BACKSLASH2}, {"COMMA", KEY_COMMA},
    {"STOP", KEY_STOP}, {"SLASH", KEY_SLASH}, {"SPACE", KEY_SPACE}, {"INSERT", KEY_INSERT},
    {"DEL", KEY_DEL}, {"HOME", KEY_HOME}, {"END", KEY_END}, {"PGUP", KEY_PGUP}, {"PGDN", KEY_PGDN},
    {"LEFT", KEY_LEFT}, {"RIGHT", KEY_RIGHT}, {"UP", KEY_UP}, {"DOWN", KEY_DOWN},
    {"SLASH_PAD", KEY_SLASH_PAD}, {"ASTERISK", KEY_ASTERISK}, {"MINUS_PAD", KEY_MINUS_PAD},
    {"PLUS_PAD", KEY_PLUS_PAD}, {"DEL_PAD", KEY_DEL_PAD}, {"ENTER_PAD", KEY_ENTER_PAD},
    {"PRTSCR", KEY_PRTSCR}, {"PAUSE", KEY_PAUSE}, {"ABNT_C1", KEY_ABNT_C1}, {"YEN", KEY_YEN},
    {"KANA", KEY_KANA}, {"CONVERT", KEY_CONVERT}, {"NOCONVERT", KEY_NOCONVERT}, {"AT", KEY_AT},
    {"CIRCUMFLEX", KEY_CIRCUMFLEX}, {"COLON2", KEY_COLON2}, {"KANJI", KEY_KANJI},
    {"EQUALS_PAD", KEY_EQUALS_PAD}, {"BACKQUOTE", KEY_BACKQUOTE}, {"SEMICOLON", KEY_SEMICOLON},
    {"COMMAND", KEY_COMMAND},
    {"LSHIFT", KEY_LSHIFT}, {"RSHIFT", KEY_RSHIFT}, {"LCONTROL", KEY_LCONTROL}, {"RCONTROL", KEY_RCONTROL},
    {"ALT", KEY_ALT}, {"ALTGR", KEY_ALTGR}, {"LWIN", KEY_LWIN}, {"RWIN", KEY_RWIN}, {"MENU", KEY_MENU},
    {"SCRLOCK", KEY_SCRLOCK}, {"NUMLOCK", KEY_NUMLOCK}, {"CAPSLOCK", KEY_CAPSLOCK},
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
