#pragma once
// Where an export's writer gets its finished frames: a picture in a given
// DXGI format and the sound of one frame in a file sample format. The export
// pipeline renders them; an empty result means the frame gave nothing.
#include "media/audio/RawAudioBuffer.h"
#include "media/image/ImageBuffer.h"

#include <memory>

namespace Plugin {

class OutputFrameSource {
public:
    virtual ~OutputFrameSource() = default;
    // frame is an absolute scene frame, already clamped to the scene.
    virtual std::shared_ptr<Media::ImageBuffer> getVideoFrame(int frame, int format, bool straightAlpha) = 0;
    // format 1: 16-bit integer PCM, 3: 32-bit float; always two channels.
    virtual std::shared_ptr<Media::RawAudioBuffer> getAudioFrame(int frame, int format) = 0;
    // Look-ahead in frames (0 and below mean 1).
    virtual void setVideoPreloadSize(int) {}
    virtual void setAudioPreloadSize(int) {}
};

}  // namespace Plugin
