#include "media/riff/RiffFile.h"

#include "core/base/Exception.h"

namespace Media {

RiffFile::RiffFile(System::File& file) : file(file), fileSize(file.getSize()) {}

void RiffFile::read(std::uint64_t position, void* buffer, std::uint32_t size) {
    file.seek(static_cast<std::int64_t>(position));
    file.readBlock(buffer, size);
}

std::uint64_t RiffFile::clampToFile(std::uint64_t position, std::uint64_t size) const {
    if (position >= fileSize) return 0;
    return size < fileSize - position ? size : fileSize - position;
}

bool RiffFile::getRiffChunk(FOURCC form, Chunk& out) {
    std::uint32_t header[2] = {};
    read(0, header, sizeof header);
    if (header[0] != mmioFOURCC('R', 'I', 'F', 'F'))
        throw System::makeException("Media::RiffFile::getRiffChunk", "invalid RIFF file.");
    std::uint32_t type = 0;
    file.readBlock(&type, sizeof type);
    if (type != form) return false;
    const std::uint64_t size = header[1] >= 4 ? header[1] - 4u : 0;
    out.start = out.position = 12;
    out.size = clampToFile(12, size);
    return true;
}

bool RiffFile::findChunk(FOURCC id, Chunk& out, Chunk& parent) {
    const FOURCC list = mmioFOURCC('L', 'I', 'S', 'T');
    while (parent.position >= parent.start && parent.position + 8 <= parent.end()) {
        const std::uint64_t at = parent.position;
        std::uint32_t header[2] = {};
        read(at, header, sizeof header);
        const std::uint64_t size = header[1];
        parent.position = at + 8 + size + (size & 1);
        if (header[0] == id) {
            out.start = out.position = at + 8;
            out.size = clampToFile(out.start, size);
            return true;
        }
        if (header[0] == list && size >= 4 && at + 12 <= parent.end()) {
            std::uint32_t type = 0;
            file.readBlock(&type, sizeof type);
            if (type == id) {
                out.start = out.position = at + 12;
                out.size = clampToFile(out.start, size - 4);
                return true;
            }
        }
    }
    return false;
}

FOURCC normalizeFourCC(FOURCC code) {
    FOURCC upper = 0;
    for (int i = 0; i < 4; ++i) {
        auto c = static_cast<std::uint8_t>(code >> (8 * i));
        if (c >= 'a' && c <= 'z') c = static_cast<std::uint8_t>(c - 'a' + 'A');
        upper |= static_cast<FOURCC>(c) << (8 * i);
    }
    if (upper == mmioFOURCC('D', 'I', 'B', ' ') || upper == mmioFOURCC('\0', 'D', 'I', 'B')) return 0;
    return upper;
}

bool compareFourCC(FOURCC a, FOURCC b) { return normalizeFourCC(a) == normalizeFourCC(b); }

}  // namespace Media
