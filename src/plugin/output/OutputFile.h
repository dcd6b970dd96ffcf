#pragma once
// One export job: the target path, the frame and sample range, the cancel
// and completion-notice flags, the progress counters and the two fetches a
// writer reads its frames through. A writer's file class implements save,
// which runs on the export worker.
#include "plugin/output/OutputFrameSource.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace Plugin {

// The scene facts an export range is worked out from.
struct OutputSceneInfo {
    int lastFrame = 0;        // the scene's last frame
    int cursorFrame = 0;
    int selectionStart = -1;  // a frame selection when both are 0 or more
    int selectionEnd = -1;
    int rate = 30;            // video.rate / video.scale
    int scale = 1;
    int audioRate = 44100;
    int width = 0;
    int height = 0;
};

struct OutputRange {
    int startFrame = 0;
    int frameCount = 0;  // zero or less: nothing to write
    std::int64_t startSample = 0;
    std::int64_t sampleCount = 0;

    static OutputRange fromScene(const OutputSceneInfo& scene);
    // Samples from the scene start to the start of frame (nearest, halves
    // away from zero).
    static std::int64_t samplesBefore(const OutputSceneInfo& scene, std::int64_t frame);
};

class OutputFile {
public:
    OutputFile(std::wstring path, bool notifyOnEnd, const OutputSceneInfo& scene,
               std::shared_ptr<OutputFrameSource> source);
    virtual ~OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // True when output was produced; failures throw.
    virtual bool save() = 0;

    // frame is clamped to 0..lastFrame; empty when the frame gave nothing.
    std::shared_ptr<Media::ImageBuffer> getVideoFrame(int frame, int format, bool straightAlpha);
    std::shared_ptr<Media::RawAudioBuffer> getAudioFrame(int frame, int format);
    void setVideoPreloadSize(int n);
    void setAudioPreloadSize(int n);

    // "%3.2f%% (%d/%d)", with the remaining time and speed once at least
    // 15 frames and 15 s have passed. elapsedMs counts from startTick.
    std::wstring progressDetail(std::uint64_t elapsedMs) const;
    float progressFraction() const;

    const std::wstring path;
    const OutputSceneInfo scene;
    const int startFrame;
    const int frameCount;
    const std::int64_t startSample;
    const std::int64_t sampleCount;
    const int lastFrame;
    const bool notifyOnEnd;
    std::atomic<bool> cancel{false};
    std::atomic<std::uint32_t> progressCurrent{0};
    std::atomic<std::uint32_t> progressTotal{0};
    std::uint64_t startTick = 0;

protected:
    int clampFrame(int frame) const;

private:
    std::shared_ptr<OutputFrameSource> source_;
};

}  // namespace Plugin
