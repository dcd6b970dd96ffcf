#include "platform/gtk/VirtualKeys.h"

#include <gdk/gdkkeysyms.h>

namespace Platform {

namespace {

int punctuationKey(unsigned keyval) {
    switch (keyval) {
    case GDK_KEY_semicolon: case GDK_KEY_colon: return VK::OEM_1;
    case GDK_KEY_equal: case GDK_KEY_plus: return VK::OEM_PLUS;
    case GDK_KEY_comma: case GDK_KEY_less: return VK::OEM_COMMA;
    case GDK_KEY_minus: case GDK_KEY_underscore: return VK::OEM_MINUS;
    case GDK_KEY_period: case GDK_KEY_greater: return VK::OEM_PERIOD;
    case GDK_KEY_slash: case GDK_KEY_question: return VK::OEM_2;
    case GDK_KEY_grave: case GDK_KEY_asciitilde: return VK::OEM_3;
    case GDK_KEY_bracketleft: case GDK_KEY_braceleft: return VK::OEM_4;
    case GDK_KEY_backslash: case GDK_KEY_bar: return VK::OEM_5;
    case GDK_KEY_bracketright: case GDK_KEY_braceright: return VK::OEM_6;
    case GDK_KEY_apostrophe: case GDK_KEY_quotedbl: return VK::OEM_7;
    case GDK_KEY_at: return VK::OEM_3;                // JIS layout
    case GDK_KEY_asciicircum: return VK::OEM_7;       // JIS layout
    case GDK_KEY_yen: return VK::OEM_5;
    default: return 0;
    }
}

int functionKey(unsigned keyval) {
    switch (keyval) {
    case GDK_KEY_BackSpace: return VK::BACK;
    case GDK_KEY_Tab: case GDK_KEY_ISO_Left_Tab: case GDK_KEY_KP_Tab: return VK::TAB;
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: case GDK_KEY_ISO_Enter: return VK::RETURN;
    case GDK_KEY_Shift_L: case GDK_KEY_Shift_R: return VK::SHIFT;
    case GDK_KEY_Control_L: case GDK_KEY_Control_R: return VK::CONTROL;
    case GDK_KEY_Alt_L: case GDK_KEY_Alt_R: case GDK_KEY_Meta_L: case GDK_KEY_Meta_R:
    case GDK_KEY_ISO_Level3_Shift: return VK::MENU;
    case GDK_KEY_Pause: case GDK_KEY_Break: return VK::PAUSE;
    case GDK_KEY_Caps_Lock: return VK::CAPITAL;
    case GDK_KEY_Hiragana_Katakana: case GDK_KEY_Katakana: case GDK_KEY_Hiragana: return VK::KANA;
    case GDK_KEY_Zenkaku_Hankaku: case GDK_KEY_Kanji: return VK::KANJI;
    case GDK_KEY_Escape: return VK::ESCAPE;
    case GDK_KEY_Henkan: return VK::CONVERT;
    case GDK_KEY_Muhenkan: return VK::NONCONVERT;
    case GDK_KEY_space: case GDK_KEY_KP_Space: return VK::SPACE;
    case GDK_KEY_Prior: case GDK_KEY_KP_Prior: return VK::PRIOR;
    case GDK_KEY_Next: case GDK_KEY_KP_Next: return VK::NEXT;
    case GDK_KEY_End: case GDK_KEY_KP_End: return VK::END;
    case GDK_KEY_Home: case GDK_KEY_KP_Home: return VK::HOME;
    case GDK_KEY_Left: case GDK_KEY_KP_Left: return VK::LEFT;
    case GDK_KEY_Up: case GDK_KEY_KP_Up: return VK::UP;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: return VK::RIGHT;
    case GDK_KEY_Down: case GDK_KEY_KP_Down: return VK::DOWN;
    case GDK_KEY_Print: case GDK_KEY_Sys_Req: return VK::SNAPSHOT;
    case GDK_KEY_Insert: case GDK_KEY_KP_Insert: return VK::INSERT;
    case GDK_KEY_Delete: case GDK_KEY_KP_Delete: return VK::DELETE_;
    case GDK_KEY_Super_L: return VK::LWIN;
    case GDK_KEY_Super_R: return VK::RWIN;
    case GDK_KEY_Menu: return VK::APPS;
    case GDK_KEY_KP_Multiply: return VK::MULTIPLY;
    case GDK_KEY_KP_Add: return VK::ADD;
    case GDK_KEY_KP_Separator: return VK::SEPARATOR;
    case GDK_KEY_KP_Subtract: return VK::SUBTRACT;
    case GDK_KEY_KP_Decimal: return VK::DECIMAL;
    case GDK_KEY_KP_Divide: return VK::DIVIDE;
    case GDK_KEY_KP_Begin: return 0x0C;  // VK_CLEAR
    case GDK_KEY_Num_Lock: return VK::NUMLOCK;
    case GDK_KEY_Scroll_Lock: return VK::SCROLL;
    default: break;
    }
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return VK::NUMPAD0 + int(keyval - GDK_KEY_KP_0);
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return VK::F1 + int(keyval - GDK_KEY_F1);
    return 0;
}

}  // namespace

int virtualKeyFromKeyval(unsigned keyval, unsigned baseKeyval) {
    if (const int key = functionKey(keyval)) return key;
    const unsigned base = baseKeyval ? baseKeyval : keyval;
    if (base >= GDK_KEY_a && base <= GDK_KEY_z) return int('A' + (base - GDK_KEY_a));
    if (base >= GDK_KEY_A && base <= GDK_KEY_Z) return int(base);
    if (base >= GDK_KEY_0 && base <= GDK_KEY_9) return int(base);
    if (const int key = punctuationKey(base)) return key;
    // A key whose base value names nothing (another layout): its own value.
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return int('A' + (keyval - GDK_KEY_a));
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return int(keyval);
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return int(keyval);
    return punctuationKey(keyval);
}

}  // namespace Platform
