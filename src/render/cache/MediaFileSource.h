#pragma once
// How the media caches read files: through the input service, which sits
// above the render layer and installs itself here while it lives. Without a
// source no file is read (loads deliver nothing).
#include <cstdint>
#include <memory>
#include <string>

namespace Media {
class ImageBuffer;
class AudioBlockBuffer;
}  // namespace Media

namespace Cache {

// An opened media file, shared by every thread that asked for it.
class MediaFile {
public:
    virtual ~MediaFile() = default;
    virtual std::shared_ptr<Media::ImageBuffer> readVideo(int frame) = 0;
    // One second from block × rate on, planar float.
    virtual std::shared_ptr<Media::AudioBlockBuffer> readAudio(int block) = 0;
    virtual int timeToFrame(double seconds) = 0;
    virtual int getSampleRate() const = 0;
    virtual std::int64_t getSampleCount() const = 0;
};

class MediaFileSource {
public:
    enum Kind : int { Video = 1, Audio = 2 };

    virtual ~MediaFileSource() = default;
    // The file (a track name picks a track) opened for the kind; empty on
    // any failure. Never throws.
    virtual std::shared_ptr<MediaFile> open(const std::wstring& name, int kind) const = 0;
    // The name of a file's track: the path for track 0. Raises for a track
    // the files cannot have.
    virtual std::wstring makeTrackName(const std::wstring& path, int track) const = 0;
};

// Any thread may read the source while its installer lives.
void setMediaFileSource(const MediaFileSource* source);
const MediaFileSource* getMediaFileSource();

// Through the installed source: empty without one.
std::shared_ptr<MediaFile> openMediaFile(const std::wstring& name, int kind);
// The path itself for track 0; empty for another track without a source.
std::wstring makeTrackName(const std::wstring& path, int track);

}  // namespace Cache
