#pragma once
// The Windows media records that stream formats are stored in (AVI and WAV
// headers) and that the plugin interface passes: exact sizes and offsets,
// little-endian, packed as on Windows.
#include "platform/WinTypes.h"

#include <cstddef>
#include <cstdint>

using WORD = std::uint16_t;
using LONG = std::int32_t;
using FOURCC = std::uint32_t;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
    return static_cast<FOURCC>(static_cast<std::uint8_t>(a)) |
           static_cast<FOURCC>(static_cast<std::uint8_t>(b)) << 8 |
           static_cast<FOURCC>(static_cast<std::uint8_t>(c)) << 16 |
           static_cast<FOURCC>(static_cast<std::uint8_t>(d)) << 24;
}

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);
static_assert(offsetof(WAVEFORMATEX, nAvgBytesPerSec) == 8);
static_assert(offsetof(WAVEFORMATEX, cbSize) == 16);

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(offsetof(BITMAPINFOHEADER, biCompression) == 16);

constexpr WORD WAVE_FORMAT_PCM = 0x0001;
constexpr WORD WAVE_FORMAT_IEEE_FLOAT = 0x0003;
constexpr WORD WAVE_FORMAT_EXTENSIBLE = 0xFFFE;
// WAVEFORMATEXTENSIBLE: the SubFormat GUID follows the 18-byte header and
// six bytes of samples and channel mask.
constexpr std::size_t WAVEFORMATEXTENSIBLE_SUBFORMAT_OFFSET = 24;
constexpr std::size_t WAVEFORMATEXTENSIBLE_SIZE = 40;

constexpr DWORD BI_RGB = 0;

constexpr LONG ICERR_OK = 0;
constexpr LONG ICERR_BADFORMAT = -2;
constexpr LONG ICERR_ERROR = -100;
