#include "media/draw/GdiFontList.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "media/draw/StyleValue.h"

#include <pango/pango.h>

namespace Resource {

namespace {

PangoFontDescription* makeFont(const StyleFont& style, int weight) {
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, System::String::toUtf8(style.family).c_str());
    // The character height in whole pixels, as the size was truncated for it.
    pango_font_description_set_absolute_size(font, static_cast<int>(style.size) * PANGO_SCALE);
    pango_font_description_set_weight(font, static_cast<PangoWeight>(weight));
    return font;
}

}  // namespace

GdiFontList::GdiFontList() {
    // Without a setting service (tools, benchmarks) the size the program
    // ships with.
    const StyleFont control = System::Singleton<Setting::SettingService>::getInstance()
                                  ? styleFont("Control")
                                  : StyleFont{13.0f, Setting::DefaultFamily};
    normal_ = makeFont(control, 400);
    bold_ = makeFont(control, 700);
}

GdiFontList::~GdiFontList() {
    pango_font_description_free(bold_);
    pango_font_description_free(normal_);
}

}  // namespace Resource
