#pragma once
// Stand-ins for the caches' file and scene sources: files of made-up
// pictures and ramp sound whose reads are counted, and scenes whose render
// requests are kept for the test to answer.
#include "edit/model/Scene.h"
#include "media/audio/AudioBlockBuffer.h"
#include "media/image/ImageBuffer.h"
#include "plugin/input/InputService.h"
#include "render/cache/MediaFileSource.h"
#include "render/cache/SceneSource.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace CacheTest {

// Sound whose sample i (counted from the file's start) is i on the left
// and -i on the right (mono: i only); blocks from `blocks` on are missing.
struct StubFile {
    int rate = 8;
    int blocks = 3;
    int channels = 2;
    std::int64_t sampleCount = 0;  // 0: blocks × rate
    bool video = true;
    bool audio = true;
    int frames = 10;
};

class StubSource : public Cache::MediaFileSource {
public:
    StubSource() { Cache::setMediaFileSource(this); }
    ~StubSource() override { Cache::setMediaFileSource(nullptr); }

    std::shared_ptr<Cache::MediaFile> open(const std::wstring& name, int kind) const override {
        std::lock_guard lock(mutex);
        opened.push_back(name);
        const auto it = files.find(name);
        if (it == files.end()) return nullptr;
        if ((kind == Video && !it->second.video) || (kind == Audio && !it->second.audio)) return nullptr;
        return std::make_shared<File>(const_cast<StubSource&>(*this), name, it->second);
    }
    std::wstring makeTrackName(const std::wstring& path, int track) const override {
        return Plugin::InputService::MakeMultiTrackFileName(path, track);
    }

    void add(const std::wstring& name, StubFile file) {
        std::lock_guard lock(mutex);
        files[name] = file;
    }
    int readsOf(const std::wstring& name, int number) const {
        std::lock_guard lock(mutex);
        const auto it = reads.find({name, number});
        return it == reads.end() ? 0 : it->second;
    }
    std::vector<std::wstring> openedNames() const {
        std::lock_guard lock(mutex);
        return opened;
    }

    mutable std::mutex mutex;
    std::map<std::wstring, StubFile> files;
    std::map<std::pair<std::wstring, int>, int> reads;
    mutable std::vector<std::wstring> opened;

private:
    class File : public Cache::MediaFile {
    public:
        File(StubSource& owner, std::wstring name, StubFile file)
            : owner_(owner), name_(std::move(name)), file_(file) {}
        std::shared_ptr<Media::ImageBuffer> readVideo(int frame) override {
            count(frame);
            if (frame < 0 || frame >= file_.frames) return nullptr;
            auto picture = Media::ImageBuffer::create(87, 4, 2);  // B8G8R8A8
            for (std::uint32_t i = 0; i < picture->pixels.size; ++i)
                picture->pixels.data[i] = static_cast<std::uint8_t>(frame);
            return picture;
        }
        std::shared_ptr<Media::AudioBlockBuffer> readAudio(int block) override {
            count(block);
            if (block < 0 || block >= file_.blocks) return nullptr;
            auto out = std::make_shared<Media::AudioBlockBuffer>();
            out->allocate(static_cast<std::uint32_t>(file_.rate), file_.channels);
            for (int i = 0; i < file_.rate; ++i) {
                const float v = static_cast<float>(block * file_.rate + i);
                out->getChannel(0)[i] = v;
                if (file_.channels == 2) out->getChannel(1)[i] = -v;
            }
            return out;
        }
        int timeToFrame(double seconds) override { return static_cast<int>(seconds * 10 + 0.5); }
        int getSampleRate() const override { return file_.rate; }
        std::int64_t getSampleCount() const override {
            return file_.sampleCount ? file_.sampleCount : std::int64_t{file_.blocks} * file_.rate;
        }

    private:
        void count(int number) {
            std::lock_guard lock(owner_.mutex);
            ++owner_.reads[{name_, number}];
        }
        StubSource& owner_;
        std::wstring name_;
        StubFile file_;
    };
};

// Scenes by id; render requests wait in a list until the test answers them.
class StubScenes : public Cache::SceneSource {
public:
    StubScenes() { Cache::setSceneSource(this); }
    ~StubScenes() override { Cache::setSceneSource(nullptr); }

    Edit::Scene& add(int id) {
        scenes[id] = std::make_unique<Edit::Scene>(id, id);
        return *scenes[id];
    }
    Edit::Scene* getScene(int id) const override {
        const auto it = scenes.find(id);
        return it == scenes.end() ? nullptr : it->second.get();
    }
    void createSceneImage(Edit::Scene& scene, int frame, ImageDone done) override {
        if (fail) throw std::runtime_error("render failed");
        std::lock_guard lock(mutex);
        imageRequests.push_back({scene.id, frame, std::move(done)});
    }
    void createSceneAudioBlock(Edit::Scene& scene, int block, AudioDone done) override {
        if (fail) throw std::runtime_error("render failed");
        std::lock_guard lock(mutex);
        audioRequests.push_back({scene.id, block, std::move(done)});
    }
    bool isBusy() const override { return busy; }

    template <class Done>
    struct Request {
        int scene;
        int number;
        Done done;
    };
    std::map<int, std::unique_ptr<Edit::Scene>> scenes;
    std::mutex mutex;
    std::vector<Request<ImageDone>> imageRequests;
    std::vector<Request<AudioDone>> audioRequests;
    std::atomic<bool> busy{false};
    bool fail = false;
};

// A block of `samples` ramp values from `first` on.
inline std::shared_ptr<Media::AudioBlockBuffer> rampBlock(int samples, float first) {
    auto out = std::make_shared<Media::AudioBlockBuffer>();
    out->allocate(static_cast<std::uint32_t>(samples), 2);
    for (int i = 0; i < samples; ++i) out->getChannel(0)[i] = out->getChannel(1)[i] = first + i;
    return out;
}

inline std::vector<float> plane(const Media::AudioBuffer& buffer, int channel) {
    const float* p = buffer.getChannel(channel);
    return std::vector<float>(p, p + buffer.samples);
}

}  // namespace CacheTest
