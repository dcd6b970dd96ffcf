#pragma once
// The DXGI format codes by which the program names every picture format, on
// the CPU and on the GPU. Only the codes the program uses are listed.

inline constexpr int DXGI_FORMAT_UNKNOWN = 0;
inline constexpr int DXGI_FORMAT_R32G32B32A32_FLOAT = 2;
inline constexpr int DXGI_FORMAT_R32G32B32A32_UINT = 3;
inline constexpr int DXGI_FORMAT_R32G32B32A32_SINT = 4;
inline constexpr int DXGI_FORMAT_R32G32B32_FLOAT = 6;
inline constexpr int DXGI_FORMAT_R32G32B32_UINT = 7;
inline constexpr int DXGI_FORMAT_R32G32B32_SINT = 8;
inline constexpr int DXGI_FORMAT_R16G16B16A16_FLOAT = 10;
inline constexpr int DXGI_FORMAT_R16G16B16A16_UNORM = 11;
inline constexpr int DXGI_FORMAT_R16G16B16A16_SNORM = 13;
inline constexpr int DXGI_FORMAT_R32G32_FLOAT = 16;
inline constexpr int DXGI_FORMAT_R32G32_UINT = 17;
inline constexpr int DXGI_FORMAT_R32G32_SINT = 18;
inline constexpr int DXGI_FORMAT_R8G8B8A8_UNORM = 28;
inline constexpr int DXGI_FORMAT_R32_FLOAT = 41;
inline constexpr int DXGI_FORMAT_R32_UINT = 42;
inline constexpr int DXGI_FORMAT_R32_SINT = 43;
inline constexpr int DXGI_FORMAT_A8_UNORM = 65;
inline constexpr int DXGI_FORMAT_G8R8_G8B8_UNORM = 69;
inline constexpr int DXGI_FORMAT_B8G8R8A8_UNORM = 87;
inline constexpr int DXGI_FORMAT_B8G8R8X8_UNORM = 88;
inline constexpr int DXGI_FORMAT_YUY2 = 107;
