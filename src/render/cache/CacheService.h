#pragma once
// The process-wide holder of every decoded media cache: ahead of them the
// four transfer buffers of media input and output (input picture, input
// sound, output picture, output sound), then the image, audio, model,
// waveform and GPU picture caches, built in that order and released in the
// reverse one. Built once the settings file, the event service and the input
// service exist.
#include "render/cache/AudioCache.h"
#include "render/cache/ImageCache.h"
#include "render/cache/ModelCache.h"
#include "render/cache/ReadBuffer.h"
#include "render/cache/VramCache.h"
#include "render/cache/WaveformCache.h"
#include "render/cache/WriteBuffer.h"

namespace Cache {

class CacheService {
public:
    CacheService() = default;
    CacheService(const CacheService&) = delete;
    CacheService& operator=(const CacheService&) = delete;

    // Before the current scene changes (user-interface thread): ends the
    // queued waveform loads, then drops every picture and sound block of a
    // scene. File entries, models and textures stay.
    void eraseSceneEntries();
    // As the main loop ends: no waveform is computed any more.
    void stopWaveforms();

    ImageReadBuffer imageReadBuffer;
    AudioReadBuffer audioReadBuffer;
    ImageWriteBuffer imageWriteBuffer;
    AudioWriteBuffer audioWriteBuffer;
    ImageCache imageCache;
    AudioCache audioCache;
    ModelCache modelCache;
    WaveformCache waveformCache{audioCache};
    VramCache vramCache{imageCache};
};

// The mixin of the media effects: the service they read through.
class CacheInstance {
public:
    CacheInstance();

protected:
    CacheService* cacheService;
};

}  // namespace Cache
