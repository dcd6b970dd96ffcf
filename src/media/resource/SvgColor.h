#pragma once
// Colours of SVG paint values as the drawing's renderer reads them: "#rgb",
// "#rrggbb" (and their forms with alpha), "rgb()" / "rgba()" with numbers
// or percentages, "hsl()" / "hsla()", "transparent" and the CSS colour
// names. Paint values that are not a colour ("none", "currentColor",
// "inherit", "url(...)") are not parsed.
#include <array>
#include <string>
#include <string_view>

namespace Resource {

// Red, green, blue, alpha from 0 to 1; false when the text is no colour.
bool parseSvgColor(std::string_view text, std::array<float, 4>& rgba);
// "#rrggbb" for an opaque colour, else "rgba(r,g,b,a)".
std::string formatSvgColor(const std::array<float, 4>& rgba);

}  // namespace Resource
