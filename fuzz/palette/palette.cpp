// The palette file reader: any bytes give 64 entries, and the file written
// from them reads back to the same entries, names included.
#include "effect/registry/Palette.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto entries = Effect::PaletteDefine::parsePalette(text);
    if (entries.size() != Effect::Palette::EntryCount) std::abort();
    const std::string written = Effect::PaletteDefine::formatPalette(entries);
    const auto back = Effect::PaletteDefine::parsePalette(written);
    for (std::size_t i = 0; i < back.size(); ++i) {
        if (back[i].name != entries[i].name) std::abort();
        for (int c = 0; c < 4; ++c)
            if (back[i].color[c] != entries[i].color[c]) std::abort();
    }
    if (Effect::PaletteDefine::formatPalette(back) != written) std::abort();
    return 0;
}
