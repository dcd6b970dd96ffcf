#pragma once
// The YUV colour tables: the matrices that turn YUV video into RGB on the
// GPU (YUV2RGB) and rendered RGB frames into YUV for output (RGB2YUV), one
// entry per colour space named in the sections "YUV2RGB" and "RGB2YUV" of
// system.conf. Each entry holds three blocks: 8-bit limited range, 8-bit
// full range, and YC48 (16-bit Y, Cb, Cr where 4096 stands for 1.0).
//
// Built once at start-up on the user-interface thread, before any render
// thread runs; read afterwards without a lock.
#include "core/file/IniFile.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace Media::YUVformat {

// One configuration line: "name,threshold,c00,c01,...,c22". The matrix is
// in rows of full-range values (Y 0..1, Cb and Cr -0.5..0.5): rows R, G, B
// and columns Y, Cb, Cr in YUV2RGB; rows Y, Cb, Cr and columns R, G, B in
// RGB2YUV.
struct ColorValues {
    // Fails with "yuv color setting invalid" unless the line has 11 pieces,
    // and with the ini value's own text for a piece that does not convert.
    explicit ColorValues(const System::IniFile::VALUE& value);

    std::wstring name;
    std::array<double, 9> coefficients{};
    int threshold = 0;  // the smallest picture height chosen automatically
};

// The constant block of the conversion shaders: a 4 × 4 matrix in rows
// (row 3 is 0, 0, 0, 1) and an offset vector.
struct ColorMatrix {
    float matrix[16];
    float offset[4];
};
static_assert(sizeof(ColorMatrix) == 80);

struct ColorEntry {
    std::wstring name;
    ColorMatrix limited;
    ColorMatrix full;
    ColorMatrix yc48;
    int threshold = 0;
};

struct ColorTable {
    std::vector<ColorEntry> entries;         // in the order of the keys
    std::map<std::wstring, int> indices;     // name -> index; the first wins

    int size() const { return static_cast<int>(entries.size()); }
    // The entry at index, clamped into the table (which must not be empty).
    const ColorEntry& getEntry(int index) const;
};

// Reads both tables from the setting service's system.conf (without the
// service there is none, and start-up stops); the Direct3D service calls it
// once when it starts.
void InitializeColorTable();
// Reads both tables from a loaded system.conf and logs one INFO line per
// entry ("[YUV2RGB] n: name", "[RGB2YUV] n: name"). Keys run "0", "1", ...
// up to "99" and stop at the first missing one. Either table empty fails
// with "no yuv color setting". On failure the tables stay as they were.
void InitializeColorTable(const System::IniFile& systemConfig);

const ColorTable& getYUV2RGBTable();
const ColorTable& getRGB2YUVTable();

// 1 + the index of the name in the RGB2YUV table; 0 (the automatic choice)
// for an empty or unknown name.
int getColorSpaceIndex(const std::wstring& name);

// The automatic choice by picture height: entry 0 unless a later entry's
// threshold is at most the height and at least the best one's so far.
int selectColorSpace(const ColorTable& table, int height);

}  // namespace Media::YUVformat
