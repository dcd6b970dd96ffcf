#include "platform/font/FreeType.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>

namespace Platform::Font {

namespace {

std::mutex libraryMutex;

// Made on first use, kept to the end of the process.
FT_Library library() {
    static FT_Library shared = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return shared;
}

}  // namespace

int openFace(const std::string& file, long index, FT_Face* face) {
    std::lock_guard lock(libraryMutex);
    FT_Library shared = library();
    if (!shared) return FT_Err_Cannot_Open_Resource;
    return FT_New_Face(shared, file.c_str(), index, face);
}

void closeFace(FT_Face face) {
    if (!face) return;
    std::lock_guard lock(libraryMutex);
    FT_Done_Face(face);
}

const char* errorText(int error) {
    const char* text = FT_Error_String(error);
    return text ? text : "FreeType error";
}

}  // namespace Platform::Font
