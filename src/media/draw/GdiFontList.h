#pragma once
// The fonts handed to the toolkit's own dialog controls: the style's
// "Control" font at a whole-pixel character height, normal (400) and bold
// (700). Made when the list is built; a missing or malformed "Control"
// value throws the ini value's exception.
typedef struct _PangoFontDescription PangoFontDescription;

namespace Resource {

class GdiFontList {
public:
    GdiFontList();
    ~GdiFontList();
    GdiFontList(const GdiFontList&) = delete;
    GdiFontList& operator=(const GdiFontList&) = delete;

    const PangoFontDescription* normal() const { return normal_; }
    const PangoFontDescription* bold() const { return bold_; }

private:
    PangoFontDescription* normal_ = nullptr;
    PangoFontDescription* bold_ = nullptr;
};

}  // namespace Resource
