#pragma once
// What the effect registry needs to know of media files, answered by the
// input service once it runs (it sits above the registry and installs
// itself here). Without a probe no media file is taken.
#include <memory>
#include <string>

namespace Effect {

class MediaFileProbe {
public:
    struct Streams {
        bool video = false;
        bool audio = false;
        int frameCount = 0;
    };

    virtual ~MediaFileProbe() = default;
    // Whether a lower-case extension is read as video or as audio; opens
    // no file.
    virtual bool isMediaExtension(const std::wstring& extension) const = 0;
    // What the media objects need of a file opened for video (kind 1) or
    // audio (kind 2).
    struct Info {
        bool video = false;
        bool audio = false;
        bool multiTrack = false;
        int frameCount = 0;
        unsigned rate = 0;
        unsigned scale = 0;
        int pixelFormat = 0;
        int videoTrackCount = 0;
        long long sampleCount = 0;
        int sampleRate = 0;
        int audioTrackCount = 0;
        // For the information tooltips of the media objects.
        int width = 0;
        int height = 0;
        int audioFormat = 0;  // 1 integer PCM, 3 IEEE float
        int bitsPerSample = 0;
        int channels = 0;
        std::wstring readerName;
    };
    // False when the file does not open for the kind.
    virtual bool getInfo(const std::wstring&, int, Info&) const { return false; }
    // Whether a lower-case extension is read as a still image.
    virtual bool isImageExtension(const std::wstring&) const { return false; }
    // Whether a lower-case extension is read as video (kind 1) or audio
    // (kind 2); opens no file.
    virtual bool isKindExtension(int, const std::wstring&) const { return false; }
    // The open-file filter of the readers of video (1), audio (2) or image
    // (3) files, in the double-null form; empty when there is none.
    virtual std::wstring getFileFilter(int) const { return {}; }
    // Opens the file as video, else as audio; false when neither works.
    virtual bool probe(const wchar_t* path, Streams& out) const = 0;
};

// Any thread may read the probe while its installer lives.
void setMediaFileProbe(const MediaFileProbe* probe);
const MediaFileProbe* getMediaFileProbe();

// The installed probe's filter of a kind (see getFileFilter), double-null
// ended; empty without a probe.
std::wstring mediaFileFilter(int kind);
// Whether the installed probe reads the path's extension as that kind
// (1 video, 2 audio, 3 image); false without a probe.
bool isMediaFileOfKind(int kind, const wchar_t* path);

}  // namespace Effect
