#pragma once
// Media fixtures for the codec tests: files made by the ffmpeg command line
// in a temporary folder, and a small RIFF walker that hands out the stream
// formats and chunks of AVI and WAV files, as the readers will.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace MediaTest {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/movane2-media-XXXXXX";
        if (char* made = mkdtemp(pattern)) path_ = made;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Runs ffmpeg quietly with the given arguments; true on success.
inline bool ffmpeg(const std::string& arguments) {
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments;
    return std::system(command.c_str()) == 0;
}

inline std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct Chunk {
    std::vector<std::uint8_t> data;
    bool key = true;
};

struct Stream {
    std::string type;     // "vids", "auds"
    std::uint32_t handler = 0;
    std::vector<std::uint8_t> format;  // strf / fmt bytes
    std::vector<Chunk> chunks;
};

inline std::uint32_t le32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// The streams of an AVI file (chunks in file order, key flags from idx1) or
// of a WAV file (one stream, its data as one chunk).
inline std::vector<Stream> readRiff(const std::string& path) {
    const std::vector<std::uint8_t> file = readFile(path);
    std::vector<Stream> streams;
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0) return streams;
    const bool wav = std::memcmp(file.data() + 8, "WAVE", 4) == 0;
    if (wav) streams.push_back({"auds", 0, {}, {}});
    std::vector<std::pair<std::uint32_t, std::uint32_t>> index;  // (id, flags)

    // Walks [begin, end) and calls itself for lists.
    const auto walk = [&](auto& self, std::size_t begin, std::size_t end) -> void {
        for (std::size_t pos = begin; pos + 8 <= end;) {
            const std::string id(reinterpret_cast<const char*>(&file[pos]), 4);
            const std::uint32_t size = le32(&file[pos + 4]);
            const std::size_t data = pos + 8;
            if (data + size > file.size()) break;
            if (id == "LIST" || id == "RIFF") {
                const std::string type(reinterpret_cast<const char*>(&file[data]), 4);
                if (type == "strl") streams.push_back({});
                self(self, data + 4, data + size);
            } else if (id == "strh" && !streams.empty()) {
                streams.back().type.assign(reinterpret_cast<const char*>(&file[data]), 4);
                streams.back().handler = le32(&file[data + 4]);
            } else if ((id == "strf" || id == "fmt ") && !streams.empty()) {
                streams.back().format.assign(&file[data], &file[data] + size);
            } else if (id == "data" && wav) {
                streams[0].chunks.push_back({std::vector<std::uint8_t>(&file[data], &file[data] + size), true});
            } else if (id == "idx1") {
                for (std::size_t e = data; e + 16 <= data + size; e += 16) index.emplace_back(le32(&file[e]), le32(&file[e + 4]));
            } else if (!wav && std::isdigit(static_cast<unsigned char>(id[0])) && std::isdigit(static_cast<unsigned char>(id[1]))) {
                const std::size_t n = static_cast<std::size_t>((id[0] - '0') * 10 + (id[1] - '0'));
                if (n < streams.size() && id.substr(2) != "ix")
                    streams[n].chunks.push_back({std::vector<std::uint8_t>(&file[data], &file[data] + size), true});
            }
            pos = data + size + (size & 1);
        }
    };
    walk(walk, 12, file.size());

    std::vector<std::size_t> seen(streams.size(), 0);
    for (const auto& [id, flags] : index) {
        const char* c = reinterpret_cast<const char*>(&id);
        if (!std::isdigit(static_cast<unsigned char>(c[0])) || !std::isdigit(static_cast<unsigned char>(c[1]))) continue;
        const std::size_t n = static_cast<std::size_t>((c[0] - '0') * 10 + (c[1] - '0'));
        if (n < streams.size() && seen[n] < streams[n].chunks.size()) streams[n].chunks[seen[n]++].key = (flags & 0x10) != 0;
    }
    return streams;
}

inline const Stream* findStream(const std::vector<Stream>& streams, const char* type) {
    for (const Stream& s : streams)
        if (s.type == type) return &s;
    return nullptr;
}

}  // namespace MediaTest
