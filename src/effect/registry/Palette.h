#pragma once
// Palettes: named sets of 64 colours, each file "%Default%/<name>.palette"
// with lines "index=rrggbb" or "index=rrggbb|name". A named entry is a
// preset colour, offered by name in the colour menus and the text tags.
#include "core/file/MenuDefineBase.h"

#include <memory>
#include <string>
#include <vector>

namespace Effect {

struct PaletteEntry {
    float color[4] = {0, 0, 0, 1};  // r, g, b in 0..1, alpha 1
    std::wstring name;              // empty: no preset colour
};

struct Palette {
    static constexpr int EntryCount = 64;

    std::wstring name;  // the file name without folder and extension
    std::vector<PaletteEntry> entries;
};

// A registered palette.
class PaletteDefine {
public:
    explicit PaletteDefine(std::shared_ptr<Palette> palette) : palette(std::move(palette)) {}

    // 64 entries of black without names, then each valid line; an empty
    // list when the file cannot be read. Malformed lines are skipped.
    static std::vector<PaletteEntry> loadPaletteFile(const std::wstring& path);
    // One line per entry, indices 0 to 63, CR LF; the old file stays when
    // writing fails (the failure is raised).
    static void savePaletteFile(const std::wstring& path, const std::vector<PaletteEntry>& entries);
    // The entries of a palette file's contents, and the contents of entries.
    static std::vector<PaletteEntry> parsePalette(const std::string& contents);
    static std::string formatPalette(const std::vector<PaletteEntry>& entries);
    // Whether a preset name reads back from a palette file as it is: none
    // of "=", "|", a line break or NUL.
    static bool isValidPresetName(const std::wstring& name);

    std::shared_ptr<Palette> palette;
};

// A preset colour in the menus (section "Color.<name>", empty label).
class PresetColorDefine : public Menu::MenuDefineBase {
public:
    PresetColorDefine(const PaletteEntry& entry, int order);
    ~PresetColorDefine() = default;

    const wchar_t* getName() const override { return name.c_str(); }

    float color[4];
    const std::wstring name;
};

}  // namespace Effect
