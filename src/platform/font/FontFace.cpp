#include "platform/font/FontFace.h"

#include "core/base/Exception.h"
#include "platform/font/FreeType.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

namespace Platform::Font {

namespace {

constexpr unsigned kUseTypoMetrics = 1u << 7;

FontMetrics readMetrics(FT_Face face) {
    FontMetrics m;
    m.designUnitsPerEm = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (os2 && os2->version != 0xFFFF && (os2->fsSelection & kUseTypoMetrics)) {
        m.ascent = os2->sTypoAscender;
        m.descent = -os2->sTypoDescender;
        m.lineGap = os2->sTypoLineGap;
    } else if (os2 && os2->version != 0xFFFF) {
        m.ascent = os2->usWinAscent;
        m.descent = os2->usWinDescent;
        m.lineGap = hhea ? hhea->Line_Gap : 0;
    } else {
        m.ascent = face->ascender;
        m.descent = -face->descender;
        m.lineGap = face->height - face->ascender + face->descender;
    }
    m.underlinePosition = face->underline_position;
    m.underlineThickness = face->underline_thickness;
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
        m.strikethroughPosition = os2->yStrikeoutPosition;
        m.strikethroughThickness = os2->yStrikeoutSize;
    } else {
        // Faces without OS/2: a third of the ascent, as thick as the underline.
        m.strikethroughPosition = m.ascent / 3;
        m.strikethroughThickness = m.underlineThickness;
    }
    return m;
}

}  // namespace

FontFace::FontFace(const Font& font, const char* call, const char* place)
    : simulations_(font.simulations) {
    const int error = openFace(font.file, font.index, &face_);
    if (error != 0)
        throw System::makeHResultException(call, place, static_cast<HRESULT>(error), errorText(error));
    metrics_ = readMetrics(face_);
}

FontFace::~FontFace() { closeFace(face_); }

}  // namespace Platform::Font
