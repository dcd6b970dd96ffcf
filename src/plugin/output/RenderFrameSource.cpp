#include "plugin/output/RenderFrameSource.h"

#include "render/audio/RenderAudioWorker.h"
#include "render/service/RenderVideoWorker.h"
#include "core/base/Log.h"

#include <algorithm>

namespace Plugin {

namespace {

constexpr const char* kPlace = "Plugin::OutputFile::getVideoFrame";

template <class Cache>
void emptyPreloader(Cache& cache) {
    cache.worker().waitAllTasks();
    std::lock_guard lock(cache.mutex());
    cache.eraseIf([](int) { return true; });
}

// Frames from first to min(lastFrame, first + size / 2) are asked for; then
// the caller's own frame is waited for.
template <class Cache, class MakeLoader>
typename Cache::BufferPointer fetch(Cache& cache, int frame, int size, int lastFrame, MakeLoader makeLoader) {
    const int last = std::max(0, std::min(lastFrame, frame + size / 2));
    for (int i = frame; i <= last; ++i) cache.preload(i, makeLoader(i));
    return cache.get(frame, makeLoader(frame));
}

}  // namespace

RenderFrameSource::RenderFrameSource(Render::RenderVideoWorker& video, Render::RenderAudioWorker& audio,
                                     VideoPreloader& videoPreloader, AudioPreloader& audioPreloader,
                                     int lastFrame)
    : video_(video),
      audio_(audio),
      videoPreloader_(videoPreloader),
      audioPreloader_(audioPreloader),
      lastFrame_(std::max(lastFrame, 0)) {
    reset(videoPreloader_, audioPreloader_);
    videoPreloader_.setLimit(1);
    audioPreloader_.setLimit(1);
}

void RenderFrameSource::reset(VideoPreloader& videoPreloader, AudioPreloader& audioPreloader) {
    emptyPreloader(videoPreloader);
    emptyPreloader(audioPreloader);
}

void RenderFrameSource::setVideoPreloadSize(int n) {
    videoPreloadSize_ = std::max(n, 1);
    videoPreloader_.setLimit(static_cast<std::uint64_t>(videoPreloadSize_.load()));
}

void RenderFrameSource::setAudioPreloadSize(int n) {
    audioPreloadSize_ = std::max(n, 1);
    audioPreloader_.setLimit(static_cast<std::uint64_t>(audioPreloadSize_.load()));
}

// Loaders and completions hold the workers and preloaders, which outlive
// the source, never the source itself: a load may still run when an export
// ends early.
VideoPreloader::Loader RenderFrameSource::videoLoader(int frame, int format, bool straightAlpha) {
    return [&worker = video_, &cache = videoPreloader_, frame, format, straightAlpha] {
        worker.requestRenderingFrame(
            Render::RenderTaskType::OneShot, frame,
            [&cache, format, straightAlpha](int done, Media::RenderBuffer& target, Anchor::AnchorList&) {
                if (!target.getTexture()) return;
                try {
                    std::shared_ptr<Media::ImageBuffer> picture = target.convertToImageBuffer(format, straightAlpha);
                    if (picture) cache.complete(done, std::move(picture), 1);
                } catch (const std::exception& e) {
                    System::Log::error(kPlace, "frame [%d] not converted: %s", done, e.what());
                }
            });
        // The render of this frame and of everything queued before it is done;
        // a frame that delivered nothing leaves its waiter an empty result.
        worker.thread.waitAllTasks();
    };
}

AudioPreloader::Loader RenderFrameSource::audioLoader(int frame, int format) {
    return [&worker = audio_, &cache = audioPreloader_, frame, format] {
        worker.requestRenderingFrame(Render::RenderTaskType::OneShot, frame,
                                     [&cache, format](int done, Media::AudioBuffer& buffer) {
                                         if (buffer.samples == 0 || buffer.channels == 0) return;
                                         auto block = std::make_shared<Media::RawAudioBuffer>();
                                         block->format = static_cast<std::uint32_t>(format);
                                         block->channels = 2;
                                         block->bitsPerSample = format == 1 ? 16 : 32;
                                         block->blockAlign = format == 1 ? 4 : 8;
                                         try {
                                             buffer.convertTo(*block);
                                         } catch (const std::exception& e) {
                                             System::Log::error(kPlace, "sound of frame [%d] not converted: %s",
                                                                done, e.what());
                                             return;
                                         }
                                         cache.complete(done, std::move(block), 1);
                                     });
        worker.thread.waitAllTasks();
    };
}

std::shared_ptr<Media::ImageBuffer> RenderFrameSource::getVideoFrame(int frame, int format, bool straightAlpha) {
    return fetch(videoPreloader_, frame, videoPreloadSize_, lastFrame_,
                 [&](int i) { return videoLoader(i, format, straightAlpha); });
}

std::shared_ptr<Media::RawAudioBuffer> RenderFrameSource::getAudioFrame(int frame, int format) {
    return fetch(audioPreloader_, frame, audioPreloadSize_, lastFrame_,
                 [&](int i) { return audioLoader(i, format); });
}

}  // namespace Plugin
