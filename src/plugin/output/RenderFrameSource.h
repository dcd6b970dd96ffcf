#pragma once
// The export's frames from the renderer: each frame is a one-shot request
// to the render service's video or audio worker, delivered into one of the
// output service's two preloaders, keyed by frame number. A fetch asks for
// the next frames ahead (half the preload size) and then waits for its own,
// so the render workers draw while the writer encodes and writes. Every
// stored frame counts 1 toward a preloader's capacity.
//
// Fetches run on the export thread; loaders on each preloader's own thread;
// completions on the render workers. The preloaders outlive every source.
#include "plugin/output/OutputFrameSource.h"
#include "render/cache/PreLoadCache.h"

#include <atomic>

namespace Render {
class RenderVideoWorker;
class RenderAudioWorker;
}  // namespace Render

namespace Plugin {

using VideoPreloader = System::PreLoadCache<int, Media::ImageBuffer>;
using AudioPreloader = System::PreLoadCache<int, Media::RawAudioBuffer>;

class RenderFrameSource : public OutputFrameSource {
public:
    // Empties both preloaders (after their queued loads ran) and sets their
    // capacity to one frame. lastFrame bounds the look-ahead.
    RenderFrameSource(Render::RenderVideoWorker& video, Render::RenderAudioWorker& audio,
                      VideoPreloader& videoPreloader, AudioPreloader& audioPreloader, int lastFrame);

    std::shared_ptr<Media::ImageBuffer> getVideoFrame(int frame, int format, bool straightAlpha) override;
    std::shared_ptr<Media::RawAudioBuffer> getAudioFrame(int frame, int format) override;
    void setVideoPreloadSize(int n) override;
    void setAudioPreloadSize(int n) override;

    // Waits for every queued load, then drops every stored frame.
    static void reset(VideoPreloader& videoPreloader, AudioPreloader& audioPreloader);

private:
    VideoPreloader::Loader videoLoader(int frame, int format, bool straightAlpha);
    AudioPreloader::Loader audioLoader(int frame, int format);

    Render::RenderVideoWorker& video_;
    Render::RenderAudioWorker& audio_;
    VideoPreloader& videoPreloader_;
    AudioPreloader& audioPreloader_;
    const int lastFrame_;
    std::atomic<int> videoPreloadSize_{1};
    std::atomic<int> audioPreloadSize_{1};
};

}  // namespace Plugin
