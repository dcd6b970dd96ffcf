#pragma once
// Every still picture the imaging service decodes, delivered as RGBA.
#include "plugin/input/InputFile.h"
#include "plugin/input/InputPlugin.h"

#include <string>

namespace Plugin {

class WindowsImageReader : public InputPlugin {
public:
    class WindowsImageFile : public InputFile {
    public:
        std::shared_ptr<Media::ImageBuffer> readVideo(int frame) override;

        std::wstring path;
    };

    WindowsImageReader();
    // Empty when the picture cannot be converted to RGBA; a file the
    // imaging service cannot open throws, ending the search.
    std::shared_ptr<InputFile> open(const wchar_t* path, int track) override;
};

}  // namespace Plugin
