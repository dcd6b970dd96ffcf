#include "platform/gl/GlFormat.h"

#include "platform/gl/DxgiFormat.h"

namespace Platform::Gl {

namespace {

using Reads = Format::Reads;

constexpr Format kFormats[] = {
    {DXGI_FORMAT_R16G16B16A16_FLOAT, "DXGI_FORMAT_R16G16B16A16_FLOAT", GL_RGBA16F, GL_RGBA,
     GL_HALF_FLOAT, 8, "rgba16f", Reads::Rgba},
    {DXGI_FORMAT_R16G16B16A16_UNORM, "DXGI_FORMAT_R16G16B16A16_UNORM", GL_RGBA16, GL_RGBA,
     GL_UNSIGNED_SHORT, 8, "rgba16", Reads::Rgba},
    {DXGI_FORMAT_R16G16B16A16_SNORM, "DXGI_FORMAT_R16G16B16A16_SNORM", GL_RGBA16_SNORM, GL_RGBA,
     GL_SHORT, 8, "rgba16_snorm", Reads::Rgba},
    {DXGI_FORMAT_R32G32_FLOAT, "DXGI_FORMAT_R32G32_FLOAT", GL_RG32F, GL_RG, GL_FLOAT, 8, "rg32f",
     Reads::Rgba},
    {DXGI_FORMAT_R8G8B8A8_UNORM, "DXGI_FORMAT_R8G8B8A8_UNORM", GL_RGBA8, GL_RGBA,
     GL_UNSIGNED_BYTE, 4, "rgba8", Reads::Rgba},
    {DXGI_FORMAT_R32_FLOAT, "DXGI_FORMAT_R32_FLOAT", GL_R32F, GL_RED, GL_FLOAT, 4, "r32f",
     Reads::Rgba},
    {DXGI_FORMAT_A8_UNORM, "DXGI_FORMAT_A8_UNORM", GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, 4,
     "rgba8", Reads::AlphaOnly},
    {DXGI_FORMAT_B8G8R8A8_UNORM, "DXGI_FORMAT_B8G8R8A8_UNORM", GL_RGBA8, GL_BGRA,
     GL_UNSIGNED_BYTE, 4, "rgba8", Reads::Rgba},
    {DXGI_FORMAT_B8G8R8X8_UNORM, "DXGI_FORMAT_B8G8R8X8_UNORM", GL_RGBA8, GL_BGRA,
     GL_UNSIGNED_BYTE, 4, nullptr, Reads::OpaqueAlpha},
    {DXGI_FORMAT_G8R8_G8B8_UNORM, "DXGI_FORMAT_G8R8_G8B8_UNORM", GL_RGBA8, GL_RGBA,
     GL_UNSIGNED_BYTE, 2, nullptr, Reads::Rgba, Format::Transfer::Packed422},
};

// Every 16-bit signed word is exact in a 32-bit float.
constexpr Format kSnorm16AsFloat = {DXGI_FORMAT_R16G16B16A16_SNORM, "DXGI_FORMAT_R16G16B16A16_SNORM",
                                    GL_RGBA32F, GL_RGBA, GL_FLOAT, 8, "rgba32f", Reads::Rgba,
                                    Format::Transfer::Snorm16AsFloat};

}  // namespace

const Format* renderableFallback(int code) {
    return code == DXGI_FORMAT_R16G16B16A16_SNORM ? &kSnorm16AsFloat : nullptr;
}

std::span<const Format> allFormats() { return kFormats; }

const Format* findFormat(int code) {
    for (const Format& format : kFormats)
        if (format.code == code) return &format;
    return nullptr;
}

}  // namespace Platform::Gl
