#pragma once
// Helpers of the reader tests: fixtures made by the ffmpeg command line,
// raw references decoded by it, and small RIFF files built byte by byte
// where a layout (index kinds, chunk order, OpenDML indexes) is the point.
#include "core/CoreTestSupport.h"
#include "media/MediaFixtures.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace PluginTest {

using Bytes = std::vector<std::uint8_t>;

inline void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// ffmpeg decodes a file into raw bytes of a pixel or sample format.
inline Bytes decodeRaw(const MediaTest::TempFolder& folder, const std::string& input, const std::string& options) {
    const std::string out = folder.file("reference.raw");
    if (!MediaTest::ffmpeg("-i " + input + " " + options + " " + out)) return {};
    return MediaTest::readFile(out);
}

class Writer {
public:
    Bytes bytes;

    void u8(std::uint8_t v) { bytes.push_back(v); }
    void u16(std::uint16_t v) { append(&v, 2); }
    void u32(std::uint32_t v) { append(&v, 4); }
    void u64(std::uint64_t v) { append(&v, 8); }
    void fourcc(const char* c) { append(c, 4); }
    void append(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }
    void append(const Bytes& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }

    // Opens a chunk ("LIST"/"RIFF" take a type); returns the size field's
    // position for close().
    std::size_t open(const char* id, const char* type = nullptr) {
        fourcc(id);
        const std::size_t at = bytes.size();
        u32(0);
        if (type) fourcc(type);
        return at;
    }
    void close(std::size_t at) {
        const auto size = static_cast<std::uint32_t>(bytes.size() - at - 4);
        std::memcpy(&bytes[at], &size, 4);
        if (size & 1) u8(0);
    }
    void chunk(const char* id, const Bytes& data) {
        const std::size_t at = open(id);
        append(data);
        close(at);
    }
    std::size_t size() const { return bytes.size(); }
};

// A 24-bit bottom-up picture whose pixel (x, y) of frame f (y = 0 at the
// top) is B = 10f + x, G = 20 + y, R = 200 - 5f.
inline Bytes rawFrame(int width, int height, int frame) {
    const int row = (width * 3 + 3) & ~3;
    Bytes data(static_cast<std::size_t>(row * height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = &data[static_cast<std::size_t>((height - 1 - y) * row)];
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = static_cast<std::uint8_t>(10 * frame + x);
            p[1] = static_cast<std::uint8_t>(20 + y);
            p[2] = static_cast<std::uint8_t>(200 - 5 * frame);
        }
    }
    return data;
}

inline Bytes streamHeader(const char* type, std::uint32_t handler, std::uint32_t scale, std::uint32_t rate,
                          std::uint32_t length, std::uint32_t sampleSize) {
    Writer w;
    w.fourcc(type);
    w.u32(handler);
    w.u32(0);
    w.u32(0);
    w.u32(0);
    w.u32(scale);
    w.u32(rate);
    w.u32(0);
    w.u32(length);
    w.u32(0);
    w.u32(0);
    w.u32(sampleSize);
    w.u64(0);
    return w.bytes;
}

inline Bytes bitmapFormat(int width, int height, int bits) {
    Writer w;
    w.u32(40);
    w.u32(static_cast<std::uint32_t>(width));
    w.u32(static_cast<std::uint32_t>(height));
    w.u16(1);
    w.u16(static_cast<std::uint16_t>(bits));
    w.u32(0);
    w.u32(static_cast<std::uint32_t>(((width * bits / 8 + 3) & ~3) * std::abs(height)));
    for (int i = 0; i < 4; ++i) w.u32(0);
    return w.bytes;
}

inline Bytes waveFormat(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Writer w;
    const auto align = static_cast<std::uint16_t>(channels * bits / 8);
    w.u16(tag);
    w.u16(channels);
    w.u32(rate);
    w.u32(rate * align);
    w.u16(align);
    w.u16(bits);
    w.u16(0);
    return w.bytes;
}

// An uncompressed AVI of 24-bit frames (rawFrame pictures), 8 kHz mono
// 16-bit sound of one chunk per frame (sample i of the stream = i), and a
// choice of index.
struct AviLayout {
    enum class Index { Relative, Absolute, None, OpenDml };
    int width = 5;
    int height = 3;
    int frames = 6;
    std::uint32_t claimedFrames = 0;  // 0: frames
    int fps = 4;
    bool audio = true;
    Index index = Index::Relative;
    bool odmlList = true;          // with OpenDML: the "odml" list in "hdrl"
    std::uint64_t secondRiff = 0;  // with OpenDML: file position of the "AVIX" part (0: none)
};

inline int samplesPerFrame(const AviLayout& l) { return 8000 / l.fps; }

// Writes the file; the second part of an OpenDML file lies past a hole.
inline void writeAvi(const std::string& path, const AviLayout& l) {
    struct Entry {
        std::string id;
        std::uint64_t position;  // of the chunk header, in the file
        std::uint32_t size;
    };
    std::vector<Entry> entries;
    const int firstPart = l.secondRiff ? (l.frames + 1) / 2 : l.frames;
    const bool odml = l.index == AviLayout::Index::OpenDml;

    Writer w;
    const std::size_t riff = w.open("RIFF", "AVI ");
    const std::size_t hdrl = w.open("LIST", "hdrl");
    w.chunk("avih", Bytes(56, 0));
    std::vector<std::size_t> superIndexes;  // where each stream's super index entries begin
    const auto streamList = [&](const Bytes& strh, const Bytes& strf, const char* id) {
        const std::size_t strl = w.open("LIST", "strl");
        w.chunk("strh", strh);
        w.chunk("strf", strf);
        if (odml) {
            const std::size_t indx = w.open("indx");
            w.u16(4);
            w.u8(0);
            w.u8(0);
            w.u32(l.secondRiff ? 2 : 1);
            w.fourcc(id);
            w.bytes.resize(w.size() + 12, 0);
            superIndexes.push_back(w.size());
            w.bytes.resize(w.size() + 32, 0);  // two entries, filled later
            w.close(indx);
        }
        w.close(strl);
    };
    const std::uint32_t claimed = l.claimedFrames ? l.claimedFrames : static_cast<std::uint32_t>(l.frames);
    streamList(streamHeader("vids", 0, 1, static_cast<std::uint32_t>(l.fps), claimed, 0),
               bitmapFormat(l.width, l.height, 24), "00db");
    if (l.audio)
        streamList(streamHeader("auds", 0, 1, 8000, static_cast<std::uint32_t>(l.frames * samplesPerFrame(l)), 2),
                   waveFormat(1, 1, 8000, 16), "01wb");
    if (odml && l.odmlList) {
        const std::size_t list = w.open("LIST", "odml");
        w.chunk("dmlh", Bytes(248, 0));
        w.close(list);
    }
    w.close(hdrl);

    const auto moviPart = [&](Writer& out, std::uint64_t base, int from, int to) {
        const std::size_t movi = out.open("LIST", "movi");
        for (int f = from; f < to; ++f) {
            const std::size_t at = out.size();
            out.chunk("00db", rawFrame(l.width, l.height, f));
            entries.push_back({"00db", base + at, static_cast<std::uint32_t>(out.size() - at - 8)});
            if (l.audio) {
                Bytes sound;
                for (int i = 0; i < samplesPerFrame(l); ++i) {
                    const auto v = static_cast<std::int16_t>(f * samplesPerFrame(l) + i);
                    sound.push_back(static_cast<std::uint8_t>(v & 0xFF));
                    sound.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
                }
                entries.push_back({"01wb", base + out.size(), static_cast<std::uint32_t>(sound.size())});
                out.chunk("01wb", sound);
            }
        }
        out.close(movi);
    };
    // A standard index of one stream's entries from `from` on, entered in
    // slot `part` of the stream's super index.
    const auto standardIndex = [&](Writer& out, std::uint64_t base, const char* id, const char* stream,
                                   std::size_t from, std::size_t stream_, int part) {
        std::vector<Entry> mine;
        for (std::size_t i = from; i < entries.size(); ++i)
            if (entries[i].id == stream) mine.push_back(entries[i]);
        const std::uint64_t dataBase = mine.empty() ? 0 : mine.front().position;
        const std::uint64_t at = base + out.size();
        const std::size_t ix = out.open(id);
        out.u16(2);
        out.u8(0);
        out.u8(1);
        out.u32(static_cast<std::uint32_t>(mine.size()));
        out.fourcc(stream);
        out.u64(dataBase);
        out.u32(0);
        for (const Entry& e : mine) {
            out.u32(static_cast<std::uint32_t>(e.position + 8 - dataBase));
            out.u32(e.size);
        }
        out.close(ix);
        const std::size_t slot = superIndexes[stream_] + static_cast<std::size_t>(part) * 16;
        std::memcpy(&w.bytes[slot], &at, 8);
    };

    const std::size_t moviStart = w.size();
    moviPart(w, 0, 0, firstPart);
    if (odml) {
        standardIndex(w, 0, "ix00", "00db", 0, 0, 0);
        if (l.audio) standardIndex(w, 0, "ix01", "01wb", 0, 1, 0);
    }
    if (l.index == AviLayout::Index::Relative || l.index == AviLayout::Index::Absolute) {
        const std::size_t idx1 = w.open("idx1");
        const std::uint64_t listType = moviStart + 8;  // the "movi" type
        for (const Entry& e : entries) {
            w.fourcc(e.id.c_str());
            w.u32(e.id == "00db" ? 0x10 : 0);
            w.u32(static_cast<std::uint32_t>(l.index == AviLayout::Index::Relative ? e.position - listType : e.position));
            w.u32(e.size);
        }
        w.close(idx1);
    }
    w.close(riff);

    Writer second;
    if (odml && l.secondRiff) {
        const std::size_t firstEnd = entries.size();
        const std::size_t avix = second.open("RIFF", "AVIX");
        moviPart(second, l.secondRiff, firstPart, l.frames);
        standardIndex(second, l.secondRiff, "ix00", "00db", firstEnd, 0, 1);
        if (l.audio) standardIndex(second, l.secondRiff, "ix01", "01wb", firstEnd, 1, 1);
        second.close(avix);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(w.bytes.data()), static_cast<std::streamsize>(w.size()));
    if (second.size()) {
        // A hole up to the second part: the file is sparse.
        out.seekp(static_cast<std::streamoff>(l.secondRiff));
        out.write(reinterpret_cast<const char*>(second.bytes.data()), static_cast<std::streamsize>(second.size()));
    }
}

}  // namespace PluginTest
