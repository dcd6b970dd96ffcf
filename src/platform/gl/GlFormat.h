#pragma once
// How each DXGI texture format is kept in GL: one table for storage, CPU
// transfers, image-unit qualifiers and read swizzles.
//
// - B8G8R8A8 and B8G8R8X8 are RGBA8 storage with GL_BGRA transfers; X8
//   reads alpha as 1.
// - A8 masks are RGBA8 with the mask in alpha; reads give (0, 0, 0, a) and
//   render targets write alpha only, as an alpha-only format would.
// - G8R8_G8B8 takes YUY2 rows (Y0 Cb Y1 Cr per pair of pixels) and keeps
//   them packed, one RGBA8 texel per pair (half the width, rounded up):
//   the shader that reads it unpacks the pair (Y of its own pixel, the
//   pair's chroma). It is only uploaded, never read back.
#include <epoxy/gl.h>

#include <span>

namespace Platform::Gl {

struct Format {
    enum class Reads { Rgba, OpaqueAlpha, AlphaOnly };
    // Snorm16AsFloat: 16-bit signed words on the CPU side, kept as floats
    // where the driver cannot render into signed normalised storage.
    enum class Transfer { Direct, Packed422, Snorm16AsFloat };

    int code;                    // DXGI code
    const char* name;            // "DXGI_FORMAT_R16G16B16A16_FLOAT"
    GLenum internalFormat;       // storage
    GLenum transferFormat;       // CPU side of uploads and read-backs
    GLenum transferType;
    int bytesPerPixel;           // CPU side
    const char* imageQualifier;  // layout qualifier on an image unit; null: none
    Reads reads;
    Transfer transfer = Transfer::Direct;
};

// Null for a code the GPU layer cannot store.
const Format* findFormat(int code);
// The storage a render target of the format takes on a driver that cannot
// render into the format's own: null when there is no other.
const Format* renderableFallback(int code);
// Every format of the table, for the start-up checks.
std::span<const Format> allFormats();

}  // namespace Platform::Gl
