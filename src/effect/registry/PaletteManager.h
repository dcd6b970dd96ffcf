#pragma once
// The palettes of the defaults folder and the preset colours named in them.
// An empty folder gets the generated palette "default". Part of the effect
// service; user-interface thread only, except getPresetColor, which text
// drawing calls from any thread while the preset colours may be rebuilt.
#include "effect/registry/Palette.h"

#include <map>
#include <memory>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Effect {

class PaletteManager {
public:
    // Every palette file again (or the generated default), then the preset
    // colours.
    void reloadPalette();
    // One palette file; a name already registered is refused in a box.
    void registerPalette(const std::wstring& path);
    // The preset colours of the registered palettes; a name in two palettes
    // belongs to the first.
    void reloadPresetColor();

    // By name, in UTF-16 code unit order.
    std::vector<PaletteDefine*> getPaletteList();
    // By menu order.
    std::vector<PresetColorDefine*> getPresetColorList() const;
    // The distinct non-empty labels in menu order.
    std::vector<const wchar_t*> getPresetColorLabelList() const;
    // The preset colour of a name, or null.
    const PresetColorDefine* findPresetColor(const std::wstring& name) const;
    // Any thread: copies the colour of a name; false when none has it.
    bool getPresetColor(const std::wstring& name, float rgba[4]) const;

    // Names an entry (no name: clears it). The name leaves every other
    // entry that had it; each palette changed is saved. A name the palette
    // file could not hold (PaletteDefine::isValidPresetName) is refused:
    // false, and nothing changes.
    bool setPresetColorName(Palette& palette, int index, const wchar_t* name);
    // Writes the palette's file; a failure is shown in a box.
    void savePalette(const Palette& palette);

private:
    struct Utf16Less {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    std::map<std::wstring, PaletteDefine, Utf16Less> palettes_;
    std::unordered_map<std::wstring, std::unique_ptr<PresetColorDefine>> presetColors_;
    // Guards presetColors_ against lookups from other threads; the user-
    // interface thread is its only writer.
    mutable std::shared_mutex presetMutex_;
    // Numbers preset colours as they are registered; never reset.
    int counter_ = 0;
};

}  // namespace Effect
