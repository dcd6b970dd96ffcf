#pragma once
// One opened face of a font for glyph work (FreeType), with the metrics in
// design units that layout code scales by size / design units per em:
// ascent and descent from OS/2 (typographic values when the face asks for
// them, else the Windows values), the line gap from hhea, strikethrough and
// underline from OS/2 and post.
//
// The FreeType library is shared: opening and closing faces runs under its
// lock. A face is used by one thread at a time.
#include "platform/font/FontCollection.h"

typedef struct FT_FaceRec_* FT_Face;

namespace Platform::Font {

struct FontMetrics {
    int designUnitsPerEm = 0;
    int ascent = 0;
    int descent = 0;  // positive, below the baseline
    int lineGap = 0;
    int underlinePosition = 0;  // negative below the baseline
    int underlineThickness = 0;
    int strikethroughPosition = 0;  // above the baseline
    int strikethroughThickness = 0;
};

class FontFace {
public:
    // Opens the font's face. Failure throws the program's HRESULT exception
    // with FreeType's error code and text, and the given call and place.
    FontFace(const Font& font, const char* call, const char* place);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    FT_Face face() const { return face_; }
    unsigned simulations() const { return simulations_; }
    const FontMetrics& metrics() const { return metrics_; }

private:
    FT_Face face_ = nullptr;
    unsigned simulations_;
    FontMetrics metrics_;
};

}  // namespace Platform::Font
