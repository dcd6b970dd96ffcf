#pragma once
// Sizes of the window shell until the docking layout takes them from the
// style settings. Colours and fonts come from the style settings through
// the window's brush table and the text formats.
namespace Window::ShellStyle {

inline constexpr int FooterHeight = 24;
inline constexpr int WindowSeparatorSize = 5;

}  // namespace Window::ShellStyle
