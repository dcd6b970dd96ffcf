#pragma once
// Values of the style settings (style.conf) that drawing resources are made
// from. A missing or malformed value throws the ini value's own exception
// (file, line, section and key in its note); without the setting service
// every value reads as missing.
#include "platform/cairo/DrawTypes.h"

#include <string>
#include <vector>

namespace Resource {

// The colour under the key of the "Color" section.
Platform::Cairo::ColorF styleColor(const char* key);
// The comma-separated colours under the key, at least one.
std::vector<Platform::Cairo::ColorF> styleColorList(const char* key);
// The n-th colour of the key's list (from 0), the last one past its end.
Platform::Cairo::ColorF styleColorEntry(const char* key, std::size_t n);

struct StyleFont {
    float size = 0;
    std::wstring family;
};
// The "Font" section's "size[,family]" under the key; the family defaults
// to the style's user-interface family (DefaultFamily).
StyleFont styleFont(const char* key);

}  // namespace Resource
