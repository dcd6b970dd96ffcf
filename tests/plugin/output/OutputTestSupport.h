#pragma once
// Helpers of the writer tests: a frame source with pictures and sound worked
// out from the frame number, a RIFF chunk walker, and ffprobe queries.
#include "plugin/output/OutputFrameSource.h"

#include "media/MediaFixtures.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace OutputTest {

using Bytes = std::vector<std::uint8_t>;

// Pixel (x, y) of frame f (y = 0 at the top) as B, G, R, A.
inline std::array<std::uint8_t, 4> pixel(int f, int x, int y) {
    return {static_cast<std::uint8_t>(10 * f + 7 * x), static_cast<std::uint8_t>(20 + 9 * y),
            static_cast<std::uint8_t>(200 - 5 * f), static_cast<std::uint8_t>(100 + 11 * x)};
}

// Sample s of channel c (absolute sample index) as a 16-bit value.
inline std::int16_t sample(std::int64_t s, int c) { return static_cast<std::int16_t>((s * 37 + c * 1000) % 20000 - 10000); }

class PatternSource : public Plugin::OutputFrameSource {
public:
    PatternSource(int width, int height, int samplesPerFrame)
        : width(width), height(height), samplesPerFrame(samplesPerFrame) {}

    std::shared_ptr<Media::ImageBuffer> getVideoFrame(int frame, int format, bool straightAlpha) override {
        videoRequests.push_back(frame);
        lastStraightAlpha = straightAlpha;
        if (onVideo) onVideo(frame);
        if (noPicture.count(frame)) return nullptr;
        auto image = Media::ImageBuffer::create(static_cast<std::uint32_t>(format), static_cast<std::uint32_t>(width),
                                                static_cast<std::uint32_t>(height));
        std::memset(image->pixels.data, 0, image->pixels.size);
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = image->pixels.data + static_cast<std::size_t>(y) * image->pitch;
            for (int x = 0; x < width; ++x) {
                const auto p = pixel(frame, x, y);
                if (format == 87 || format == 88) {
                    std::memcpy(row + 4 * x, p.data(), 4);
                } else if (format == 107) {
                    // Y from B, Cb from G, Cr from R of the even pixel.
                    row[2 * x] = p[0];
                    row[2 * x + 1] = (x % 2 == 0) ? p[1] : pixel(frame, x - 1, y)[2];
                } else {  // 64-bit forms: four 16-bit values
                    for (int c = 0; c < 4; ++c) {
                        const auto v = static_cast<std::uint16_t>(p[c] * 257 + frame);
                        std::memcpy(row + 8 * x + 2 * c, &v, 2);
                    }
                }
            }
        }
        return image;
    }

    std::shared_ptr<Media::RawAudioBuffer> getAudioFrame(int frame, int format) override {
        if (noSound.count(frame)) return nullptr;
        auto block = std::make_shared<Media::RawAudioBuffer>();
        block->format = static_cast<std::uint32_t>(format);
        block->channels = 2;
        block->bitsPerSample = format == 1 ? 16 : 32;
        block->blockAlign = format == 1 ? 4 : 8;
        block->sampleCount = samplesPerFrame;
        block->data.allocMemory(static_cast<std::uint32_t>(samplesPerFrame * block->blockAlign));
        auto* out = block->data.data;
        for (int i = 0; i < samplesPerFrame; ++i)
            for (int c = 0; c < 2; ++c) {
                const std::int16_t v = sample(std::int64_t{frame} * samplesPerFrame + i, c);
                if (format == 1) {
                    std::memcpy(out, &v, 2);
                    out += 2;
                } else {
                    const float f = v / 32768.0f;
                    std::memcpy(out, &f, 4);
                    out += 4;
                }
            }
        return block;
    }

    int width, height, samplesPerFrame;
    std::vector<int> videoRequests;
    bool lastStraightAlpha = false;
    std::set<int> noPicture, noSound;
    std::function<void(int)> onVideo;
};

// A chunk of a RIFF file: id, position of its header, data size, list type.
struct Chunk {
    std::string id;
    std::size_t pos = 0;
    std::uint32_t size = 0;
    std::string type;  // RIFF/LIST only
    std::size_t data() const { return pos + 8; }
};

inline std::uint32_t u32(const Bytes& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}
inline std::uint64_t u64(const Bytes& b, std::size_t at) {
    std::uint64_t v;
    std::memcpy(&v, &b[at], 8);
    return v;
}
inline std::string id(const Bytes& b, std::size_t at) { return std::string(reinterpret_cast<const char*>(&b[at]), 4); }

// Every chunk in file order, lists followed by their contents.
inline std::vector<Chunk> walk(const Bytes& b, std::size_t from, std::size_t to) {
    std::vector<Chunk> out;
    while (from + 8 <= to) {
        Chunk c{id(b, from), from, u32(b, from + 4), {}};
        out.push_back(c);
        if (c.id == "RIFF" || c.id == "LIST") {
            out.back().type = id(b, from + 8);
            auto inner = walk(b, from + 12, std::min<std::size_t>(from + 8 + c.size, to));
            out.insert(out.end(), inner.begin(), inner.end());
        }
        from += 8 + c.size + (c.size & 1);
    }
    return out;
}

inline std::vector<Chunk> select(const std::vector<Chunk>& all, const std::string& idOrType) {
    std::vector<Chunk> out;
    for (const auto& c : all)
        if (c.id == idOrType || c.type == idOrType) out.push_back(c);
    return out;
}

// stdout of a command.
inline std::string run(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
        pclose(p);
    }
    return out;
}

// "key=value" lines of one stream from ffprobe.
inline std::map<std::string, std::string> probeStream(const std::string& path, const std::string& stream) {
    const std::string text = run("ffprobe -v error -count_frames -select_streams " + stream +
                                 " -show_entries stream=codec_tag_string,codec_name,width,height,r_frame_rate,"
                                 "nb_read_frames,sample_rate,channels,pix_fmt,sample_fmt -of default=nw=1 '" +
                                 path + "'");
    std::map<std::string, std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        const auto eq = line.find('=');
        if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return out;
}

}  // namespace OutputTest
