#include "plugin/input/CacheMediaSource.h"

#include "plugin/input/InputFile.h"
#include "plugin/input/InputService.h"

namespace Plugin {

namespace {

class CachedFile : public Cache::MediaFile {
public:
    explicit CachedFile(std::shared_ptr<InputFile> file) : file_(std::move(file)) {}
    std::shared_ptr<Media::ImageBuffer> readVideo(int frame) override { return file_->readVideo(frame); }
    std::shared_ptr<Media::AudioBlockBuffer> readAudio(int block) override { return file_->readAudio(block); }
    int timeToFrame(double seconds) override { return file_->timeToFrame(seconds); }
    int getSampleRate() const override { return file_->sampleRate; }
    std::int64_t getSampleCount() const override { return file_->sampleCount; }

private:
    std::shared_ptr<InputFile> file_;
};

}  // namespace

std::shared_ptr<Cache::MediaFile> CacheMediaSource::open(const std::wstring& name, int kind) const {
    std::shared_ptr<InputFile> file = service_.getInputFile(name, kind);
    if (!file) return nullptr;
    return std::make_shared<CachedFile>(std::move(file));
}

std::wstring CacheMediaSource::makeTrackName(const std::wstring& path, int track) const {
    return InputService::MakeMultiTrackFileName(path, track);
}

}  // namespace Plugin
