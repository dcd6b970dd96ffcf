#pragma once
// Writes one rendered frame of an export as a PNG or JPEG file: PNG with
// alpha (premultiplied source) or without, JPEG at a quality. The file is
// replaced only when completely written.
#include "plugin/output/OutputFile.h"

#include <string>

namespace Plugin {

enum class ImageKind { Png = 1, Jpeg = 2 };

// False when the frame gave no picture; encoding and file errors throw.
bool writeImageFrame(OutputFile& file, int frame, ImageKind kind, bool transparent, int quality,
                     const std::wstring& path);

}  // namespace Plugin
