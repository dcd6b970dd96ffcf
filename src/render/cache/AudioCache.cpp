#include "render/cache/AudioCache.h"

#include "edit/model/Scene.h"
#include "render/cache/MediaFileSource.h"
#include "render/cache/Rounding.h"
#include "render/cache/SceneRequest.h"
#include "render/cache/SceneSource.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Cache {

namespace {

std::shared_ptr<MediaFile> openAudio(const std::wstring& name) { return openMediaFile(name, MediaFileSource::Audio); }

std::int64_t saturatedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum;
    if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

std::int64_t saturatedMultiply(std::int64_t a, std::int64_t b) {
    std::int64_t product;
    if (__builtin_mul_overflow(a, b, &product)) return (a < 0) != (b < 0) ? INT64_MIN : INT64_MAX;
    return product;
}

std::int64_t stepOf(unsigned sourceRate, double speed) {
    return speed == 1.0 ? static_cast<std::int64_t>(sourceRate)
                        : roundSaturated<std::int64_t>(std::fabs(static_cast<double>(sourceRate) * speed));
}

// The source position of an output sample in 1/rate of a source sample,
// before any clamping.
std::int64_t sourcePosition(std::int64_t position, unsigned rate, unsigned sourceRate, double startTime,
                            std::int64_t step) {
    std::int64_t x = saturatedMultiply(step, position);
    if (startTime != 0) {
        const double offset = static_cast<double>(std::uint64_t{rate} * sourceRate) * startTime;
        x = saturatedAdd(x, roundSaturated<std::int64_t>(offset));
    }
    return x;
}

// Block, index and fraction of a source position that is not negative.
void placeAt(AudioReadPosition& out, std::int64_t x) {
    const std::int64_t rate = out.requestRate;
    const std::int64_t sourceRate = out.blockLength;
    const std::int64_t sample = x / rate;
    out.block = static_cast<int>(std::min<std::int64_t>(sample / sourceRate, INT_MAX));
    out.index = static_cast<int>(sample % sourceRate);
    out.fraction = static_cast<int>(x % rate);
}

}  // namespace

// Walks the source sample by sample from a read position, fetching the next
// block as soon as one is used up. Samples a short block lacks read as 0.
class AudioCache::Cursor {
public:
    Cursor(AudioCache& owner, const std::wstring& name, const AudioReadPosition& position)
        : owner_(owner), name_(name), scene_(isSceneFileName(name)), length_(position.blockLength),
          number_(position.block), index_(position.index) {}

    // The first block, which must hold a sample.
    bool start() {
        block_ = fetch(number_);
        return block_ && block_->samples > 0;
    }
    float left() const { return at(0); }
    float right() const { return at(1); }
    // False when the next block is missing.
    bool advance() {
        if (++index_ < length_) return true;
        index_ = 0;
        if (number_ == INT_MAX) return false;
        block_ = fetch(++number_);
        return block_ != nullptr;
    }

private:
    std::shared_ptr<Media::AudioBlockBuffer> fetch(int number) {
        const AudioCacheKey key{name_, number};
        // Scene blocks are rendered only on their preload's request.
        if (scene_) return owner_.cache.findOrWait(key);
        return owner_.cache.get(key, owner_.loaderOf(key));
    }
    float at(int channel) const {
        if (static_cast<std::uint32_t>(index_) >= block_->samples) return 0.0f;
        return block_->getChannel(channel)[index_];
    }

    AudioCache& owner_;
    const std::wstring& name_;
    const bool scene_;
    const int length_;
    int number_;
    int index_;
    std::shared_ptr<Media::AudioBlockBuffer> block_;
};

AudioCache::AudioCache() {
    setCacheSize(setting_.get());
    cache.worker().semaphore.setMax(16);
}

std::uint64_t AudioCache::byteCount(const Media::AudioBlockBuffer& block) {
    return static_cast<std::uint64_t>(std::max(block.channels, 0)) * block.left.size;
}

AudioCache::Preloader::Loader AudioCache::loaderOf(const AudioCacheKey& key) {
    return [this, key] { loadBlock(key); };
}

AudioReadPosition AudioCache::computeReadPosition(std::int64_t position, unsigned rate, unsigned sourceRate,
                                                  double startTime, double speed) {
    AudioReadPosition out;
    out.blockLength = static_cast<int>(sourceRate);
    out.requestRate = static_cast<int>(rate);
    out.reverse = speed < 0;
    if (rate == 0 || sourceRate == 0) return out;
    out.step = stepOf(sourceRate, speed);
    // Nothing is read before the source's first sample.
    placeAt(out, std::max<std::int64_t>(sourcePosition(position, rate, sourceRate, startTime, out.step), 0));
    return out;
}

AudioReadStretch AudioCache::computeReadStretch(std::int64_t position, unsigned rate, unsigned sourceRate,
                                                std::uint32_t count, double startTime, double speed) {
    AudioReadStretch out;
    out.start = computeReadPosition(position, rate, sourceRate, startTime, speed);
    if (rate == 0 || sourceRate == 0) return out;
    const std::int64_t step = out.start.step;
    const std::int64_t x = sourcePosition(position, rate, sourceRate, startTime, step);
    const std::int64_t span = saturatedMultiply(step, count);
    std::int64_t end = saturatedAdd(std::max<std::int64_t>(x, 0), span);
    if (out.start.reverse && step > 0) {
        // The walk ends at the position; what would lie before the source's
        // start is silence at the flipped read's end.
        std::int64_t first = saturatedAdd(x, -span);
        if (first < 0) {
            const auto unit = static_cast<std::uint64_t>(step);
            const std::uint64_t deficit = static_cast<std::uint64_t>(-(first + 1)) + 1;
            const std::uint64_t before = (deficit + unit - 1) / unit;
            out.lead = static_cast<std::uint32_t>(std::min<std::uint64_t>(before, count));
            first = out.lead < count ? first + step * out.lead : 0;
        }
        placeAt(out.start, first);
        end = std::max<std::int64_t>(x, 0);
    }
    AudioReadPosition last = out.start;
    placeAt(last, end);
    out.lastBlock = last.block;
    return out;
}

int AudioCache::getSourceRate(const AudioCacheKey& key) const {
    if (isSceneFileName(key.name)) {
        const Edit::Scene* scene = getSceneOfName(key.name);
        return scene ? std::max(scene->audioRate, 0) : 0;
    }
    const std::shared_ptr<MediaFile> file = openAudio(key.name);
    return file ? std::max(file->getSampleRate(), 0) : 0;
}

std::unique_ptr<Media::AudioBuffer> AudioCache::readAudio(const std::wstring& name, int track,
                                                          const AudioSampleRange& range, int count,
                                                          double startTime, double speed) {
    const std::wstring keyName = makeTrackName(name, track);
    const int sourceRate = getSourceRate({keyName, 0});
    if (sourceRate <= 0 || range.rate <= 0) return nullptr;

    const auto samples = static_cast<std::uint32_t>(std::max(count, 0));
    auto result = std::make_unique<Media::AudioBuffer>();
    result->allocate(samples, 2);
    result->clear();
    if (samples == 0) return result;

    const AudioReadStretch stretch = computeReadStretch(range.position, static_cast<unsigned>(range.rate),
                                                        static_cast<unsigned>(sourceRate), samples, startTime, speed);
    const AudioReadPosition& pos = stretch.start;
    const std::int64_t rate = pos.requestRate;
    const std::int64_t step = pos.step;
    if (step == 0 || stretch.lead >= samples) return result;

    Cursor source(*this, keyName, pos);
    if (!source.start()) return result;

    // The walk fills the planes after the samples that lie before the
    // source's start; a reversed read flips the whole plane afterwards.
    float* const leftPlane = result->getChannel(0);
    float* const rightPlane = result->getChannel(1);
    float* left = leftPlane + stretch.lead;
    float* right = rightPlane + stretch.lead;
    const std::uint32_t walked = samples - stretch.lead;

    if (step == rate) {
        for (std::uint32_t j = 0; j < walked; ++j) {
            left[j] = source.left();
            right[j] = source.right();
            if (!source.advance()) break;
        }
    } else if (step < rate) {
        // Between the sample before (prev) and after (next) the output
        // position; phase is prev's weight in 1/rate.
        std::int64_t phase = rate - pos.fraction;
        float prevLeft = source.left(), prevRight = source.right();
        if (!source.advance()) return result;
        float nextLeft = source.left(), nextRight = source.right();
        for (std::uint32_t j = 0; j < walked; ++j) {
            const float weight = static_cast<float>(phase) / static_cast<float>(rate);
            left[j] = nextLeft + (prevLeft - nextLeft) * weight;
            right[j] = nextRight + (prevRight - nextRight) * weight;
            phase -= step;
            if (phase <= 0) {
                phase += rate;
                prevLeft = nextLeft;
                prevRight = nextRight;
                if (!source.advance()) break;
                nextLeft = source.left();
                nextRight = source.right();
            }
        }
    } else {
        // Each output sample averages the step's worth of source it spans;
        // phase is the part of the current source sample not yet used.
        std::int64_t phase = rate - pos.fraction;
        // Output samples that had a source; the rest stays silent.
        std::uint32_t written = walked;
        for (std::uint32_t j = 0; j < walked && written == walked; ++j) {
            std::int64_t remaining = step;
            float sumLeft = 0, sumRight = 0;
            while (remaining > 0) {
                const std::int64_t take = std::min(remaining, phase);
                if (take == step) {
                    sumLeft += source.left();
                    sumRight += source.right();
                } else {
                    const float share = static_cast<float>(take) / static_cast<float>(step);
                    sumLeft += source.left() * share;
                    sumRight += source.right() * share;
                }
                remaining -= take;
                phase -= take;
                if (phase == 0) {
                    phase = rate;
                    if (!source.advance()) {
                        // A sample whose whole span was read is kept.
                        written = remaining == 0 ? j + 1 : j;
                        break;
                    }
                }
            }
            if (j < written) {
                left[j] = sumLeft;
                right[j] = sumRight;
            }
        }
    }

    // Each sample keeps its place when flipped: the silence of a missing
    // block lies where that block's samples would have played.
    if (pos.reverse) {
        std::reverse(leftPlane, leftPlane + samples);
        std::reverse(rightPlane, rightPlane + samples);
    }
    return result;
}

void AudioCache::preloadAudio(const std::wstring& name, int track, const AudioSampleRange& range, int count,
                              double startTime, double speed) {
    const std::wstring keyName = makeTrackName(name, track);
    const int sourceRate = getSourceRate({keyName, 0});
    if (sourceRate <= 0 || range.rate <= 0) return;
    Edit::Scene* scene = isSceneFileName(keyName) ? getSceneOfName(keyName) : nullptr;
    SceneSource* sceneSource = getSceneSource();
    if (isSceneFileName(keyName) && (!scene || !sceneSource)) return;

    const AudioReadStretch stretch =
        computeReadStretch(range.position, static_cast<unsigned>(range.rate), static_cast<unsigned>(sourceRate),
                           static_cast<std::uint32_t>(std::max(count, 0)), startTime, speed);
    const int first = stretch.start.block;
    const int last = stretch.lastBlock;
    for (int b = first; b <= last && b >= first; ++b) {
        const AudioCacheKey key{keyName, b};
        if (scene) {
            requestSceneRender(
                cache, key,
                [&](SceneSource::AudioDone done) { sceneSource->createSceneAudioBlock(*scene, b, std::move(done)); },
                [this](const AudioCacheKey& done, std::shared_ptr<Media::AudioBlockBuffer> block) {
                    completeSceneBlock(done, std::move(block));
                });
        } else {
            cache.preload(key, loaderOf(key));
        }
        if (b == INT_MAX) break;
    }
}

void AudioCache::loadBlock(const AudioCacheKey& key) {
    const std::shared_ptr<MediaFile> file = openAudio(key.name);
    if (!file) return;
    std::shared_ptr<Media::AudioBlockBuffer> block = file->readAudio(key.number);
    if (!block) return;
    const std::uint64_t bytes = byteCount(*block);
    cache.complete(key, std::move(block), bytes);
}

void AudioCache::completeSceneBlock(const AudioCacheKey& key, std::shared_ptr<Media::AudioBlockBuffer> block) {
    const std::uint64_t bytes = block ? byteCount(*block) : 0;
    cache.deliver(key, std::move(block), bytes);
}

void AudioCache::setCacheSize(int megabytes) { cache.setLimit(setting_.set(megabytes)); }

}  // namespace Cache
