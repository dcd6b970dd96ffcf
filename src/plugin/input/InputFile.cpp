#include "plugin/input/InputFile.h"

#include "core/base/Exception.h"

#include <cmath>
#include <limits>

namespace Plugin {

std::shared_ptr<Media::ImageBuffer> InputFile::readVideo(int) {
    throw System::makeException("Plugin::InputFile::readVideo", "not implement.");
}

std::shared_ptr<Media::AudioBlockBuffer> InputFile::readAudio(int) {
    throw System::makeException("Plugin::InputFile::readAudio", "not implement.");
}

int InputFile::timeToFrame(double seconds) {
    const double exact = seconds * static_cast<double>(rate) / static_cast<double>(scale);
    const double rounded = std::round(exact);
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max())) return 0;
    int frame = static_cast<int>(rounded);
    if (frame > frameCount - 1) frame = frameCount - 1;
    if (frame < 0) frame = 0;
    return frame;
}

}  // namespace Plugin
