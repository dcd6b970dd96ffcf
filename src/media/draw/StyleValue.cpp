#include "media/draw/StyleValue.h"

#include "core/file/IniFile.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"

namespace Resource {

namespace {

const System::IniFile::VALUE& styleValue(const char* section, const char* key) {
    static const System::IniFile::VALUE missing;
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!settings) return missing;
    return settings->styleConfig.getSection(section).findValue(key);
}

Platform::Cairo::ColorF toColor(const System::IniFile::VALUE& value) {
    const std::array<float, 4> rgba = value.toRGBA();
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

}  // namespace

Platform::Cairo::ColorF styleColor(const char* key) { return toColor(styleValue("Color", key)); }

std::vector<Platform::Cairo::ColorF> styleColorList(const char* key) {
    std::vector<Platform::Cairo::ColorF> colors;
    for (const System::IniFile::VALUE& piece : styleValue("Color", key).split(",")) colors.push_back(toColor(piece));
    return colors;
}

Platform::Cairo::ColorF styleColorEntry(const char* key, std::size_t n) {
    const std::vector<Platform::Cairo::ColorF> colors = styleColorList(key);
    return colors[std::min(n, colors.size() - 1)];
}

StyleFont styleFont(const char* key) {
    const std::vector<System::IniFile::VALUE> pieces = styleValue("Font", key).split(",");
    StyleFont font;
    font.size = pieces[0].toFloat();
    font.family = pieces.size() >= 2 ? pieces[1].toString() : Setting::DefaultFamily;
    return font;
}

}  // namespace Resource
