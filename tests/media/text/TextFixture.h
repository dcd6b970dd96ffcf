#pragma once
// Text drawing tests: the GPU and the 2D drawing services, the pinned fonts,
// facts about a face read straight from its file with FreeType (the
// reference the layout is checked against), and boxes of pixels of a
// read-back picture.
#include "media/DrawingFixture.h"
#include "media/GpuFixture.h"
#include "media/text/TextDraw.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace TextTest {

using MediaTest::Rgba;

// A face of the pinned fonts, opened without the code under test.
class FaceFacts {
public:
    explicit FaceFacts(const char* family) {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcChar8* file = nullptr;
        int index = 0;
        FcPatternGetString(match, FC_FILE, 0, &file);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FT_Init_FreeType(&library_);
        FT_New_Face(library_, reinterpret_cast<const char*>(file), index, &face_);
        FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    ~FaceFacts() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FaceFacts(const FaceFacts&) = delete;
    FaceFacts& operator=(const FaceFacts&) = delete;

    float scale(float size) const { return size / static_cast<float>(face_->units_per_EM); }
    // The line's ascent and height as the OS/2 table gives them.
    float ascent(float size) const { return static_cast<float>(os2()->usWinAscent) * scale(size); }
    float lineHeight(float size) const {
        const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
        return static_cast<float>(os2()->usWinAscent + os2()->usWinDescent + hhea->Line_Gap) * scale(size);
    }
    float advance(char32_t c, float size) const {
        load(c);
        return static_cast<float>(face_->glyph->metrics.horiAdvance) * scale(size);
    }
    float leftBearing(char32_t c, float size) const {
        load(c);
        return static_cast<float>(face_->glyph->metrics.horiBearingX) * scale(size);
    }
    // The outline's box from the glyph origin, y down: left, top, right, bottom.
    std::array<float, 4> box(char32_t c, float size) const {
        load(c);
        FT_BBox b;
        FT_Outline_Get_BBox(&face_->glyph->outline, &b);
        const float s = scale(size);
        return {b.xMin * s, -b.yMax * s, b.xMax * s, -b.yMin * s};
    }

private:
    const TT_OS2* os2() const { return static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2)); }
    void load(char32_t c) const {
        FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING);
    }
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// Pixel boxes: left, top, right, bottom inclusive; empty when right < left.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool empty() const { return right < left; }
    void add(int x, int y) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // The box of the pixels that pass, within the columns [from, to).
    Box box(const std::function<bool(const Rgba&)>& pass, int from = 0, int to = 1 << 30) const {
        Box b;
        for (int y = 0; y < height; ++y)
            for (int x = std::max(from, 0); x < std::min(to, width); ++x)
                if (pass(at(x, y))) b.add(x, y);
        return b;
    }
};

// Premultiplied colours: mostly red, mostly green, mostly blue, covered.
inline bool reddish(const Rgba& p) { return p[3] > 0.5f && p[0] > 0.6f * p[3] && p[2] < 0.3f * p[3]; }
inline bool greenish(const Rgba& p) { return p[3] > 0.5f && p[1] > 0.6f * p[3] && p[0] < 0.3f * p[3]; }
inline bool bluish(const Rgba& p) { return p[3] > 0.2f && p[2] > 0.6f * p[3] && p[0] < 0.3f * p[3]; }
inline bool covered(const Rgba& p) { return p[3] > 0.5f; }

constexpr Platform::Cairo::ColorF red{1, 0, 0, 1};
constexpr Platform::Cairo::ColorF green{0, 1, 0, 1};
constexpr Platform::Cairo::ColorF blue{0, 0, 1, 1};

// Construction arguments with the tests' defaults.
struct Options {
    std::wstring font = L"Noto Sans CJK JP";
    float size = 40;
    float decorationRatio = 0;
    float shadow = 0;
    bool rounded = false;
    bool bold = false;
    bool italic = false;
    bool vertical = false;
    float alignment = 0;
    float characterSpacing = 0;
    float lineSpacing = 0;
    double elapsed = 0;
    double speed = 0;
    Platform::Cairo::ColorF text = red;
    Platform::Cairo::ColorF decoration = blue;
};

class TextDrawTest : public MediaTest::GpuTest, protected DrawingTest::Services {
protected:
    void SetUp() override {
        MediaTest::GpuTest::SetUp();
        start();
    }
    void TearDown() override {
        Media::TextDraw::setPresetColorLookup({});
        stop();
    }

    static std::unique_ptr<Media::TextDraw> make(const std::wstring& text, const Options& o) {
        texts_.push_back(std::make_unique<std::wstring>(text));
        return std::make_unique<Media::TextDraw>(texts_.back()->c_str(), o.font, o.size, o.decorationRatio, o.shadow,
                                                 o.rounded, o.bold, o.italic, o.vertical, o.alignment,
                                                 o.characterSpacing, o.lineSpacing, o.elapsed, o.speed, o.text,
                                                 o.decoration);
    }
    static std::unique_ptr<Media::TextDraw> measured(const std::wstring& text, const Options& o = {}) {
        auto draw = make(text, o);
        draw->layoutText(nullptr);
        return draw;
    }
    // Measures and draws as a text object does; the picture read back.
    static Picture drawn(Media::TextDraw& draw) {
        draw.layoutText(nullptr);
        Picture picture{draw.pictureWidth(), draw.pictureHeight(), {}};
        if (picture.width <= 0 || picture.height <= 0) return picture;
        Media::ResourceBuffer buffer(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height));
        const float clear[4] = {0, 0, 0, 0};
        buffer.clear(clear);
        draw.drawToBuffer(buffer);
        picture.pixels = read(buffer);
        return picture;
    }

private:
    static inline std::vector<std::unique_ptr<std::wstring>> texts_;
};

}  // namespace TextTest
