#pragma once
// The built-in decoder of the two simplest picture files: BMP with a plain
// 40-byte header and 24- or 32-bit pixels, and uncompressed true-colour
// TGA. Other BMP files fall to the imaging reader behind it.
#include "plugin/input/InputFile.h"
#include "plugin/input/InputPlugin.h"

#include <cstdint>
#include <string>

namespace Plugin {

class ImageFileReader : public InputPlugin {
public:
    class InputBmpImageFile : public InputFile {
    public:
        // Reads and checks the headers; false declines the file.
        bool open(const wchar_t* path);
        std::shared_ptr<Media::ImageBuffer> readVideo(int frame) override;

        std::wstring path;
        std::uint32_t dataOffset = 0;
        bool topDown = false;
    };

    class InputTgaImageFile : public InputFile {
    public:
        bool open(const wchar_t* path);
        std::shared_ptr<Media::ImageBuffer> readVideo(int frame) override;

        std::wstring path;
        std::uint32_t dataOffset = 0;
        std::uint64_t imageSize = 0;
        int rowBytes = 0;
        int rowStep = 0;
    };

    ImageFileReader();
    // "bmp" and "tga" files (by lower-case extension); the track is
    // ignored. Never throws.
    std::shared_ptr<InputFile> open(const wchar_t* path, int track) override;
};

}  // namespace Plugin
