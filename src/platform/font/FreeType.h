#pragma once
// The process's FreeType library. Faces are opened and closed under its
// lock, as FreeType asks of a library shared between threads.
#include <string>

typedef struct FT_FaceRec_* FT_Face;

namespace Platform::Font {

// FreeType's error code (0 on success).
int openFace(const std::string& file, long index, FT_Face* face);
void closeFace(FT_Face face);
// FreeType's text for an error code.
const char* errorText(int error);

}  // namespace Platform::Font
