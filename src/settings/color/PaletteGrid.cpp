#include "settings/color/PaletteGrid.h"

#include "core/file/FileName.h"
#include "core/text/ColorText.h"
#include "core/translate/TranslateService.h"

#include <algorithm>

namespace Component::PaletteGrid {

namespace {

const wchar_t* message(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Message, text);
}

}  // namespace

int cellAt(int x, int y, int width, int height) {
    const int column = std::clamp(width > 0 ? x * Side / width : 0, 0, Side - 1);
    const int row = std::clamp(height > 0 ? y * Side / height : 0, 0, Side - 1);
    return row * Side + column;
}

CellRect cellRect(int cell, int width, int height) {
    const int c = cell % Side, r = cell / Side;
    return {c * width / Side, r * height / Side, (c + 1) * width / Side, (r + 1) * height / Side};
}

std::wstring cellTooltip(const Effect::Palette& palette, int cell) {
    const Effect::PaletteEntry& entry = palette.entries.at(static_cast<std::size_t>(cell));
    std::wstring text;
    if (!entry.name.empty()) text += std::wstring(message(L"プリセット名")) + L" : " + entry.name + L"\n";
    text += std::wstring(message(L"パレット")) + L" : " + palette.name;
    const Media::RGB8 rgb = Media::toRGB8(entry.color);
    text += L"\nR : " + std::to_wstring(rgb.r) + L"\nG : " + std::to_wstring(rgb.g) + L"\nB : " +
            std::to_wstring(rgb.b);
    return text;
}

std::shared_ptr<Effect::Palette> choosePalette(Effect::PaletteManager& palettes, const std::wstring& name) {
    const std::vector<Effect::PaletteDefine*> list = palettes.getPaletteList();
    for (Effect::PaletteDefine* define : list)
        if (define->palette->name == name) return define->palette;
    return list.empty() ? nullptr : list.front()->palette;
}

std::shared_ptr<Effect::Palette> copyWithoutNames(const Effect::Palette& source, const std::wstring& name) {
    auto palette = std::make_shared<Effect::Palette>();
    palette->name = name;
    palette->entries = source.entries;
    palette->entries.resize(Effect::Palette::EntryCount);
    for (Effect::PaletteEntry& entry : palette->entries) entry.name.clear();
    return palette;
}

std::wstring paletteFilePath(const std::wstring& name) {
    std::wstring path = L"%Default%\\" + name + L".palette";
    System::FileName::expandVariable(path);
    return path;
}

}  // namespace Component::PaletteGrid
