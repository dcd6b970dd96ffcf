#include "effect/registry/Palette.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "effect/item/EffectItemColor.h"
#include "effect/registry/KeyValueFile.h"
#include "effect/base/StdConvert.h"
#include "core/text/ColorText.h"

#include <algorithm>
#include <exception>

namespace Effect {

namespace {

// Sets the entry from "rrggbb" or "rrggbb|name"; a bad colour throws and
// changes nothing.
void readEntry(PaletteEntry& entry, const std::string& text) {
    const std::vector<std::string> pieces = System::String::split(text, '|');
    std::uint8_t rgb[3] = {0, 0, 0};
    parseSixDigitColor(pieces[0], rgb);
    for (int i = 0; i < 3; ++i) entry.color[i] = rgb[i] / 255.0f;
    entry.color[3] = 1.0f;
    entry.name = pieces.size() >= 2 ? System::String::toWide(pieces[1]) : std::wstring();
}

}  // namespace

std::vector<PaletteEntry> PaletteDefine::loadPaletteFile(const std::wstring& path) {
    const std::optional<std::string> contents = readTextFile(path);
    return contents ? parsePalette(*contents) : std::vector<PaletteEntry>();
}

std::vector<PaletteEntry> PaletteDefine::parsePalette(const std::string& contents) {
    std::vector<PaletteEntry> entries(Palette::EntryCount);
    for (const auto& [indexText, colorText] : parseKeyValueText(contents)) {
        try {
            const int index = StdConvert::toInt(indexText);
            if (index < 0 || index >= Palette::EntryCount) continue;
            readEntry(entries[static_cast<std::size_t>(index)], colorText);
        } catch (const std::exception&) {
            // A line that does not convert is skipped; the rest is read.
        }
    }
    return entries;
}

void PaletteDefine::savePaletteFile(const std::wstring& path, const std::vector<PaletteEntry>& entries) {
    System::Log::info("Effect::PaletteDefine::savePaletteFile", "save palette file : %s",
                      System::String::toUtf8(path).c_str());
    replaceTextFile(path, formatPalette(entries));
}

std::string PaletteDefine::formatPalette(const std::vector<PaletteEntry>& entries) {
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Media::RGB8 rgb = Media::toRGB8(entries[i].color);
        const std::uint8_t bytes[3] = {rgb.r, rgb.g, rgb.b};
        text += std::to_string(i) + "=" + Media::toHexString(bytes);
        if (!entries[i].name.empty()) text += "|" + System::String::toUtf8(entries[i].name);
        text += "\r\n";
    }
    return text;
}

bool PaletteDefine::isValidPresetName(const std::wstring& name) {
    return name.find_first_of(std::wstring(L"=|\r\n\0", 5)) == std::wstring::npos;
}

PresetColorDefine::PresetColorDefine(const PaletteEntry& entry, int order)
    : MenuDefineBase("Color", entry.name, order, L"", true), name(entry.name) {
    std::copy(entry.color, entry.color + 4, color);
}

}  // namespace Effect
