#include "media/image/YUVformat.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"

#include <algorithm>
#include <string>
#include <utility>

namespace Media::YUVformat {

namespace {

constexpr int kMaxEntries = 100;
constexpr const char* kTag = "Media::YUVformat::InitializeColorTable";

ColorTable yuv2rgbTable;
ColorTable rgb2yuvTable;

// Coefficient (row, column) of a line's matrix.
double at(const ColorValues& values, int row, int column) { return values.coefficients[row * 3 + column]; }

// A block with the given three rows (fourth column 0), row 3 = (0, 0, 0, 1).
ColorMatrix makeMatrix(const double rows[3][3], const double offset[3]) {
    ColorMatrix block{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) block.matrix[r * 4 + c] = static_cast<float>(rows[r][c]);
    block.matrix[15] = 1.0f;
    for (int i = 0; i < 3; ++i) block.offset[i] = static_cast<float>(offset[i]);
    return block;
}

// YUV to RGB: the 8-bit blocks take their input as (Cb, Y, Cr), the order
// in which a packed YUY2 texture delivers red, green and blue, and add the
// offset before the product; YC48 takes (Y, Cb, Cr).
ColorEntry makeYUV2RGBEntry(const ColorValues& values) {
    constexpr int Y = 0, Cb = 1, Cr = 2;
    double limited[3][3], full[3][3], yc48[3][3];
    for (int r = 0; r < 3; ++r) {
        limited[r][0] = at(values, r, Cb) * 255.0 / 224.0;
        limited[r][1] = at(values, r, Y) * 255.0 / 219.0;
        limited[r][2] = at(values, r, Cr) * 255.0 / 224.0;
        full[r][0] = at(values, r, Cb);
        full[r][1] = at(values, r, Y);
        full[r][2] = at(values, r, Cr);
        for (int c = 0; c < 3; ++c) yc48[r][c] = at(values, r, c) * 32767.0 / 4096.0;
    }
    const double limitedOffset[3] = {-128.0 / 255.0, -16.0 / 255.0, -128.0 / 255.0};
    const double fullOffset[3] = {-128.0 / 255.0, 0.0, -128.0 / 255.0};
    const double noOffset[3] = {0.0, 0.0, 0.0};
    return {values.name, makeMatrix(limited, limitedOffset), makeMatrix(full, fullOffset),
            makeMatrix(yc48, noOffset), values.threshold};
}

// RGB to YUV: input (R, G, B, A); the offset is added after the product.
ColorEntry makeRGB2YUVEntry(const ColorValues& values) {
    double limited[3][3], full[3][3], yc48[3][3];
    for (int r = 0; r < 3; ++r) {
        const double scale = r == 0 ? 219.0 / 255.0 : 224.0 / 255.0;
        for (int c = 0; c < 3; ++c) {
            limited[r][c] = at(values, r, c) * scale;
            full[r][c] = at(values, r, c);
            yc48[r][c] = at(values, r, c) * 4096.0 / 32767.0;
        }
    }
    const double limitedOffset[3] = {16.0 / 255.0, 128.0 / 255.0, 128.0 / 255.0};
    const double fullOffset[3] = {0.0, 128.0 / 255.0, 128.0 / 255.0};
    const double noOffset[3] = {0.0, 0.0, 0.0};
    return {values.name, makeMatrix(limited, limitedOffset), makeMatrix(full, fullOffset),
            makeMatrix(yc48, noOffset), values.threshold};
}

ColorTable readTable(const System::IniFile& config, const char* section,
                     ColorEntry (*makeEntry)(const ColorValues&)) {
    ColorTable table;
    const System::IniFile::SectionRef ref = config.getSection(section);
    for (int i = 0; i < kMaxEntries; ++i) {
        const System::IniFile::VALUE& value = ref.findValue(std::to_string(i));
        if (!value.file) break;  // only the shared empty value of a missing key has no file
        const ColorValues values(value);
        table.indices.try_emplace(values.name, i);
        table.entries.push_back(makeEntry(values));
        System::Log::info(kTag, L"[%s] %d: %ls", section, i, values.name.c_str());
    }
    return table;
}

}  // namespace

ColorValues::ColorValues(const System::IniFile::VALUE& value) {
    const std::vector<System::IniFile::VALUE> pieces = value.split(",");
    if (pieces.size() != 11)
        throw System::makeExceptionFormat("Media::YUVformat::ColorValues::ColorValues", "yuv color setting invalid",
                                          L"%ls", value.getPlace().c_str());
    name = pieces[0].toString();
    threshold = pieces[1].toInt();
    for (std::size_t i = 0; i < coefficients.size(); ++i) coefficients[i] = pieces[i + 2].toDouble();
}

const ColorEntry& ColorTable::getEntry(int index) const {
    return entries[static_cast<std::size_t>(std::clamp(index, 0, size() - 1))];
}

void InitializeColorTable() {
    const auto* setting = System::Singleton<Setting::SettingService>::getInstance();
    if (setting) {
        InitializeColorTable(setting->systemConfig);
    } else {
        const System::IniFile none;
        InitializeColorTable(none);
    }
}

void InitializeColorTable(const System::IniFile& systemConfig) {
    ColorTable yuv2rgb = readTable(systemConfig, "YUV2RGB", makeYUV2RGBEntry);
    ColorTable rgb2yuv = readTable(systemConfig, "RGB2YUV", makeRGB2YUVEntry);
    if (yuv2rgb.entries.empty() || rgb2yuv.entries.empty())
        throw System::makeException(kTag, "no yuv color setting");
    yuv2rgbTable = std::move(yuv2rgb);
    rgb2yuvTable = std::move(rgb2yuv);
}

const ColorTable& getYUV2RGBTable() { return yuv2rgbTable; }

const ColorTable& getRGB2YUVTable() { return rgb2yuvTable; }

int getColorSpaceIndex(const std::wstring& name) {
    if (name.empty()) return 0;
    const auto found = rgb2yuvTable.indices.find(name);
    return found == rgb2yuvTable.indices.end() ? 0 : found->second + 1;
}

int selectColorSpace(const ColorTable& table, int height) {
    if (table.size() < 2) return 0;
    int best = 0;
    for (int i = 1; i < table.size(); ++i) {
        const int threshold = table.entries[static_cast<std::size_t>(i)].threshold;
        if (height >= threshold && threshold >= table.entries[static_cast<std::size_t>(best)].threshold) best = i;
    }
    return best;
}

}  // namespace Media::YUVformat
