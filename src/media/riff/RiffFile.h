#pragma once
// Walks the chunks of a RIFF file (AVI, WAV). Positions and sizes are 64-bit
// and every chunk is clamped to the file's length, so a crafted or truncated
// size neither wraps the walk nor reaches past the end of the file.
#include "core/file/File.h"
#include "platform/WinMediaTypes.h"

#include <cstdint>

namespace Media {

class RiffFile {
public:
    // A chunk's data range and the walk position inside it.
    struct Chunk {
        std::uint64_t size = 0;
        std::uint64_t start = 0;
        std::uint64_t position = 0;

        std::uint64_t end() const { return start + size; }
        void rewind() { position = start; }
    };

    // The file must stay open while the walker is used.
    explicit RiffFile(System::File& file);

    // Raises "invalid RIFF file." unless the file starts with "RIFF"; false
    // when the form type differs.
    bool getRiffChunk(FOURCC form, Chunk& out);
    // The next chunk named id (or a "LIST" of that type) from the parent's
    // position on; the parent's position moves past it. False at the end.
    bool findChunk(FOURCC id, Chunk& out, Chunk& parent);

    // Exactly size bytes at a file position (the file's exceptions on
    // failure).
    void read(std::uint64_t position, void* buffer, std::uint32_t size);
    // The bytes of [position, position + size) that lie in the file.
    std::uint64_t clampToFile(std::uint64_t position, std::uint64_t size) const;

    System::File& file;
    std::uint64_t fileSize = 0;
};

// The code upper-cased (ASCII letters); "DIB " and "\0DIB" count as 0.
FOURCC normalizeFourCC(FOURCC code);
// compareFourCC: the two codes equal after normalizing.
bool compareFourCC(FOURCC a, FOURCC b);

}  // namespace Media
