#include "effect/registry/PaletteManager.h"

#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "core/event/MessageBox.h"
#include "effect/item/EffectItemColor.h"

#include <algorithm>
#include <exception>

namespace Effect {

namespace {

std::wstring palettePath(const std::wstring& name) {
    std::wstring path = L"%Default%\\" + name + L".palette";
    System::FileName::expandVariable(path);
    return path;
}

// Eight shades of each base colour, the brightest named after it.
std::shared_ptr<Palette> defaultPalette() {
    auto palette = std::make_shared<Palette>();
    palette->name = L"default";
    for (const BaseColor& base : baseColors) {
        for (int k = 0; k < 8; ++k) {
            PaletteEntry entry;
            const float shade = static_cast<float>(8 - k) / 8.0f;
            for (int i = 0; i < 3; ++i) entry.color[i] = base.rgba[i] * shade;
            if (k == 0) entry.name = base.name;
            palette->entries.push_back(entry);
        }
    }
    return palette;
}

}  // namespace

bool PaletteManager::Utf16Less::operator()(const std::wstring& a, const std::wstring& b) const {
    return System::String::toUtf16(a) < System::String::toUtf16(b);
}

void PaletteManager::reloadPalette() {
    palettes_.clear();
    std::wstring pattern = L"%Default%\\*.palette";
    System::FileName::expandVariable(pattern);
    for (const System::File::FileInfo& file : System::File::findFiles(pattern, L"%Default%"))
        registerPalette(file.name);
    if (palettes_.empty()) {
        const std::shared_ptr<Palette> palette = defaultPalette();
        palettes_.emplace(palette->name, PaletteDefine(palette));
        savePalette(*palette);
    }
    reloadPresetColor();
}

void PaletteManager::registerPalette(const std::wstring& path) {
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    try {
        const std::wstring name = System::FileName::getTitle(expanded);
        std::vector<PaletteEntry> entries = PaletteDefine::loadPaletteFile(expanded);
        if (entries.empty()) return;
        if (palettes_.contains(name)) {
            Dialog::showError(L"Failed to register palette. [%ls]\n\n%ls", name.c_str(),
                              L"Duplicate params with the same key exist.");
            return;
        }
        auto palette = std::make_shared<Palette>();
        palette->name = name;
        palette->entries = std::move(entries);
        palettes_.emplace(name, PaletteDefine(std::move(palette)));
        System::Log::info("Effect::PaletteManager::registerPalette", "register palette [%s]",
                          System::String::toUtf8(name).c_str());
    } catch (const std::exception& e) {
        Dialog::showError("Failed to register palette. [%s]\n\n%s",
                          System::String::toUtf8(expanded).c_str(), e.what());
    }
}

void PaletteManager::reloadPresetColor() {
    // Rebuilt whole under the lock, so a lookup meanwhile waits rather than
    // missing a name. The old definitions go first: each writes its menu
    // settings back, which the new one of its name reads.
    std::unique_lock lock(presetMutex_);
    presetColors_.clear();
    for (const auto& [paletteName, define] : palettes_) {
        for (const PaletteEntry& entry : define.palette->entries) {
            if (entry.name.empty()) continue;
            const int order = counter_++;
            if (!presetColors_.contains(entry.name))
                presetColors_.emplace(entry.name, std::make_unique<PresetColorDefine>(entry, order));
            System::Log::info("Effect::PaletteManager::reloadPresetColor", "register preset color [%s]",
                              System::String::toUtf8(entry.name).c_str());
        }
    }
}

std::vector<PaletteDefine*> PaletteManager::getPaletteList() {
    std::vector<PaletteDefine*> list;
    for (auto& entry : palettes_) list.push_back(&entry.second);
    return list;
}

std::vector<PresetColorDefine*> PaletteManager::getPresetColorList() const {
    std::vector<PresetColorDefine*> list;
    std::shared_lock lock(presetMutex_);
    for (const auto& entry : presetColors_) list.push_back(entry.second.get());
    Menu::sortByOrder(list);
    return list;
}

std::vector<const wchar_t*> PaletteManager::getPresetColorLabelList() const {
    return Menu::distinctLabels(getPresetColorList());
}

const PresetColorDefine* PaletteManager::findPresetColor(const std::wstring& name) const {
    std::shared_lock lock(presetMutex_);
    const auto found = presetColors_.find(name);
    return found == presetColors_.end() ? nullptr : found->second.get();
}

bool PaletteManager::getPresetColor(const std::wstring& name, float rgba[4]) const {
    std::shared_lock lock(presetMutex_);
    const auto found = presetColors_.find(name);
    if (found == presetColors_.end()) return false;
    std::copy(found->second->color, found->second->color + 4, rgba);
    return true;
}

bool PaletteManager::setPresetColorName(Palette& palette, int index, const wchar_t* name) {
    if (index < 0 || static_cast<std::size_t>(index) >= palette.entries.size()) return false;
    if (name && !PaletteDefine::isValidPresetName(name)) return false;
    if (name) {
        for (auto& [paletteName, define] : palettes_) {
            Palette& other = *define.palette;
            bool cleared = false;
            for (PaletteEntry& entry : other.entries) {
                if (entry.name != name) continue;
                entry.name.clear();
                cleared = true;
            }
            if (cleared && &other != &palette) savePalette(other);
        }
        palette.entries[static_cast<std::size_t>(index)].name = name;
    } else {
        palette.entries[static_cast<std::size_t>(index)].name.clear();
    }
    savePalette(palette);
    // Renderers see the preset colours change inside an edit scope once the
    // project model exists.
    reloadPresetColor();
    return true;
}

void PaletteManager::savePalette(const Palette& palette) {
    try {
        PaletteDefine::savePaletteFile(palettePath(palette.name), palette.entries);
    } catch (const std::exception&) {
        Dialog::showError("%s", "パレットの保存に失敗しました");
    }
}

}  // namespace Effect
