#include "plugin/output/OutputFile.h"

#include "core/text/StringUtility.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace Plugin {

std::int64_t OutputRange::samplesBefore(const OutputSceneInfo& scene, std::int64_t frame) {
    if (scene.rate <= 0) return 0;
    return std::llround(double(scene.audioRate) * double(frame) * double(scene.scale) / double(scene.rate));
}

OutputRange OutputRange::fromScene(const OutputSceneInfo& scene) {
    OutputRange range;
    const int last = std::max(scene.lastFrame, 0);
    range.startFrame = 0;
    range.frameCount = last + 1;
    if (scene.selectionStart >= 0 && scene.selectionEnd >= 0) {
        range.startFrame = std::clamp(scene.selectionStart, 0, last);
        range.frameCount = std::clamp(scene.selectionEnd, 0, last) - range.startFrame + 1;
    }
    range.startSample = samplesBefore(scene, range.startFrame);
    range.sampleCount = samplesBefore(scene, range.frameCount);
    return range;
}

namespace {
OutputRange rangeOf(const OutputSceneInfo& scene) { return OutputRange::fromScene(scene); }
}  // namespace

OutputFile::OutputFile(std::wstring path_, bool notifyOnEnd_, const OutputSceneInfo& scene_,
                       std::shared_ptr<OutputFrameSource> source)
    : path(std::move(path_)),
      scene(scene_),
      startFrame(rangeOf(scene_).startFrame),
      frameCount(rangeOf(scene_).frameCount),
      startSample(rangeOf(scene_).startSample),
      sampleCount(rangeOf(scene_).sampleCount),
      lastFrame(std::max(scene_.lastFrame, 0)),
      notifyOnEnd(notifyOnEnd_),
      source_(std::move(source)) {
    setVideoPreloadSize(1);
    setAudioPreloadSize(1);
}

int OutputFile::clampFrame(int frame) const { return std::clamp(frame, 0, lastFrame); }

std::shared_ptr<Media::ImageBuffer> OutputFile::getVideoFrame(int frame, int format, bool straightAlpha) {
    if (!source_) return nullptr;
    return source_->getVideoFrame(clampFrame(frame), format, straightAlpha);
}

std::shared_ptr<Media::RawAudioBuffer> OutputFile::getAudioFrame(int frame, int format) {
    if (!source_) return nullptr;
    return source_->getAudioFrame(clampFrame(frame), format);
}

void OutputFile::setVideoPreloadSize(int n) {
    if (source_) source_->setVideoPreloadSize(std::max(n, 1));
}

void OutputFile::setAudioPreloadSize(int n) {
    if (source_) source_->setAudioPreloadSize(std::max(n, 1));
}

float OutputFile::progressFraction() const {
    const std::uint32_t total = progressTotal;
    return total == 0 ? 0.0f : float(progressCurrent.load()) / float(total);
}

std::wstring OutputFile::progressDetail(std::uint64_t elapsedMs) const {
    const std::uint32_t current = progressCurrent;
    const std::uint32_t total = progressTotal;
    const float percent = progressFraction() * 100.0f;
    wchar_t text[256];
    if (elapsedMs >= 15000 && current >= 15) {
        const double remaining = double(total - std::min(current, total)) * double(elapsedMs) / (double(current) * 1000.0);
        wchar_t time[64];
        System::String::formatTime(time, remaining);
        const double speed = double(current) * 1000.0 / double(elapsedMs);
        std::swprintf(text, 256, L"%3.2f%% (%d/%d) | RemainingTime %ls (%1.2ffps)", percent, int(current),
                      int(total), time, speed);
    } else {
        std::swprintf(text, 256, L"%3.2f%% (%d/%d)", percent, int(current), int(total));
    }
    return text;
}

}  // namespace Plugin
