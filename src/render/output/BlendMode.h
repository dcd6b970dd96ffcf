#pragma once
// The blend modes an object is drawn with: the 13 entries of the "合成モード"
// choice (value = position) and the four alpha modes only script drawing
// offers. Values 13 to 19 draw like 0.
#include <array>

namespace Effect::BlendMode {

inline constexpr int Normal = 0;
inline constexpr int ChoiceCount = 13;
// Script alpha modes: the shader writes the whole pixel.
inline constexpr int AlphaAdd = 20;
inline constexpr int AlphaSub = 23;
inline constexpr int Last = 23;

struct Entry {
    int value;
    const wchar_t* displayName;  // null for the script-only modes
    const char* keyword;         // the script interface's word
};

inline constexpr std::array<Entry, 17> table = {{
    {0, L"通常", "none"},
    {1, L"加算", "add"},
    {2, L"減算", "sub"},
    {3, L"乗算", "mul"},
    {4, L"スクリーン", "screen"},
    {5, L"オーバーレイ", "overlay"},
    {6, L"比較(明)", "light"},
    {7, L"比較(暗)", "dark"},
    {8, L"輝度", "brightness"},
    {9, L"色差", "chroma"},
    {10, L"陰影", "shadow"},
    {11, L"明暗", "light_dark"},
    {12, L"差分", "diff"},
    {20, nullptr, "alpha_add"},
    {21, nullptr, "alpha_add2"},
    {22, nullptr, "alpha_max"},
    {23, nullptr, "alpha_sub"},
}};

// An item's or a script's mode as a view keeps it.
inline int clampToView(int mode) { return mode < 0 ? 0 : mode > Last ? Last : mode; }

}  // namespace Effect::BlendMode
