#pragma once
// Colours and sizes of the window shell until the style settings provide
// them (colours 0xRRGGBB; the footer progress list holds the bar colour
// first, then the background behind it).
#include <cstdint>

namespace Window::ShellStyle {

inline constexpr std::uint32_t Background = 0x1E1E1E;
inline constexpr std::uint32_t Footer = 0x2D2D30;
inline constexpr std::uint32_t FooterProgress[2] = {0x2F5F8F, 0x3C3C40};
inline constexpr std::uint32_t Text = 0xE0E0E0;
inline constexpr int FooterHeight = 24;
inline constexpr int WindowSeparatorSize = 5;
inline constexpr const char* UiFontFamily = "Sans";
inline constexpr int UiFontPixels = 12;

}  // namespace Window::ShellStyle
