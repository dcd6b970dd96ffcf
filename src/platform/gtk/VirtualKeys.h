#pragma once
// Virtual-key codes (Win32 values) and the table from GDK key values to
// them. Punctuation keys take the codes of the US layout by their unshifted
// key value; the keypad's plus and minus keep their own codes; keypad
// navigation keys (Num Lock off) are the navigation keys.
#include <cstdint>

namespace Platform {

namespace VK {
inline constexpr int BACK = 0x08, TAB = 0x09, RETURN = 0x0D, SHIFT = 0x10, CONTROL = 0x11,
                     MENU = 0x12, PAUSE = 0x13, CAPITAL = 0x14, KANA = 0x15, KANJI = 0x19,
                     ESCAPE = 0x1B, CONVERT = 0x1C, NONCONVERT = 0x1D, SPACE = 0x20,
                     PRIOR = 0x21, NEXT = 0x22, END = 0x23, HOME = 0x24, LEFT = 0x25, UP = 0x26,
                     RIGHT = 0x27, DOWN = 0x28, SNAPSHOT = 0x2C, INSERT = 0x2D, DELETE_ = 0x2E,
                     LWIN = 0x5B, RWIN = 0x5C, APPS = 0x5D, NUMPAD0 = 0x60, MULTIPLY = 0x6A,
                     ADD = 0x6B, SEPARATOR = 0x6C, SUBTRACT = 0x6D, DECIMAL = 0x6E,
                     DIVIDE = 0x6F, F1 = 0x70, F10 = 0x79, F24 = 0x87, NUMLOCK = 0x90,
                     SCROLL = 0x91, OEM_1 = 0xBA, OEM_PLUS = 0xBB, OEM_COMMA = 0xBC,
                     OEM_MINUS = 0xBD, OEM_PERIOD = 0xBE, OEM_2 = 0xBF, OEM_3 = 0xC0,
                     OEM_4 = 0xDB, OEM_5 = 0xDC, OEM_6 = 0xDD, OEM_7 = 0xDE, OEM_102 = 0xE2,
                     PROCESSKEY = 0xE5;
}

// The virtual key of a key value; baseKeyval is the key's value without
// modifiers (letters, digits and punctuation are taken from it), 0 to use
// keyval. 0 when the key has no code.
int virtualKeyFromKeyval(unsigned keyval, unsigned baseKeyval);

}  // namespace Platform
