#pragma once
// The built-in reader of AVI files (OpenDML included), video and audio.
#include "plugin/input/InputPlugin.h"

namespace Plugin {

class AviFileReader : public InputPlugin {
public:
    AviFileReader();
    // The track is ignored; a file that fails to parse or delivers nothing
    // is declined. Never throws.
    std::shared_ptr<InputFile> open(const wchar_t* path, int track) override;
};

}  // namespace Plugin
