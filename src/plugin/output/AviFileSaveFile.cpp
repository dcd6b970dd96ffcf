#include "plugin/output/AviFileSaveFile.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"

#include <algorithm>
#include <cstring>

namespace Plugin {

namespace {

constexpr const char* tag = "Plugin::AviFileSaveFile::save";
constexpr std::uint32_t avifHasIndex = 0x10;
constexpr std::uint32_t avifTrustCkType = 0x800;
constexpr std::uint32_t aviifKeyframe = 0x10;
constexpr std::uint32_t superIndexSize = 1624;
constexpr std::uint32_t odmlSize = 260;
constexpr std::uint32_t alignment = 2048;
constexpr const char* chunkIds[2] = {"00db", "01wb"};
constexpr const char* indexIds[2] = {"ix00", "ix01"};

template <class T>
void store(std::uint8_t* at, T value) {
    std::memcpy(at, &value, sizeof(T));
}

void storeId(std::uint8_t* at, const char* id) { std::memcpy(at, id, 4); }

}  // namespace

AviFileSaveFile::AviFileSaveFile(std::wstring path_, const OutputSceneInfo& scene_,
                                 std::shared_ptr<OutputFrameSource> source, int videoFormat_,
                                 std::uint32_t audioFormatTag_)
    : OutputFile(std::move(path_), true, scene_, std::move(source)),
      videoFormat(videoFormat_),
      audioFormatTag(audioFormatTag_ == 3 ? 3 : 1),
      audioBits(audioFormatTag_ == 3 ? 32 : 16) {}

void AviFileSaveFile::put(const void* data, std::size_t size) {
    if (size) file_->write(data, static_cast<DWORD>(size));
    position += size;
}

void AviFileSaveFile::putChunk(const char* id, const void* data, std::uint32_t size) {
    std::uint8_t header[8];
    storeId(header, id);
    store(header + 4, size);
    put(header, 8);
    put(data, size);
    if (size & 1) put("", 1);
}

std::uint64_t AviFileSaveFile::openList(const char* id, const char* type) {
    std::uint8_t header[12];
    storeId(header, id);
    store<std::uint32_t>(header + 4, 0);
    storeId(header + 8, type);
    put(header, 12);
    return position - 4;
}

void AviFileSaveFile::rewrite(std::uint64_t pos, const void* data, std::size_t size) {
    file_->file().seek(static_cast<std::int64_t>(pos));
    file_->write(data, static_cast<DWORD>(size));
    file_->file().seek(static_cast<std::int64_t>(position));
}

void AviFileSaveFile::closeSize(std::uint64_t dataPos) {
    const auto size = static_cast<std::uint32_t>(position - dataPos);
    rewrite(dataPos - 4, &size, 4);
}

void AviFileSaveFile::rewriteId(std::uint64_t dataPos, const char* id) { rewrite(dataPos - 8, id, 4); }

void AviFileSaveFile::writeAlignmentJunk() {
    const std::uint32_t size = alignment - static_cast<std::uint32_t>((position + 20) % alignment);
    const std::vector<std::uint8_t> zeros(size, 0);
    putChunk("JUNK", zeros.data(), size);
}

void AviFileSaveFile::writeHeader() {
    riffDataPos = openList("RIFF", "AVI ");
    hdrlDataPos = openList("LIST", "hdrl");

    const double rate = scene.rate > 0 ? scene.rate : 1;
    avih[0] = static_cast<std::uint32_t>(double(scene.scale) * 1000000.0 / rate);
    avih[3] = avifHasIndex | avifTrustCkType;
    avih[6] = 2;
    avih[8] = static_cast<std::uint32_t>(scene.width);
    avih[9] = static_cast<std::uint32_t>(scene.height);
    avihPos = position + 8;
    putChunk("avih", avih.data(), 56);

    BITMAPINFOHEADER bih{};
    Media::ImageBuffer::getBitmapInfoHeader(bih, static_cast<std::uint32_t>(videoFormat),
                                            static_cast<std::uint32_t>(scene.width),
                                            static_cast<std::uint32_t>(scene.height));
    const std::uint32_t align = blockAlign();

    // video stream
    strlDataPos = openList("LIST", "strl");
    storeId(&videoStrh[0], "vids");
    store(&videoStrh[4], bih.biCompression);
    store(&videoStrh[20], static_cast<std::uint32_t>(scene.scale));
    store(&videoStrh[24], static_cast<std::uint32_t>(scene.rate));
    store(&videoStrh[56], static_cast<std::uint32_t>(scene.width));
    store(&videoStrh[60], static_cast<std::uint32_t>(scene.height));
    videoStrhPos = position + 8;
    putChunk("strh", videoStrh.data(), 64);
    putChunk("strf", &bih, 40);
    superIndex[0].pos = position + 8;
    store<std::uint16_t>(&superIndex[0].data[0], 4);
    storeId(&superIndex[0].data[8], chunkIds[0]);
    putChunk("JUNK", superIndex[0].data.data(), superIndexSize);
    closeSize(strlDataPos);

    // audio stream
    strlDataPos = openList("LIST", "strl");
    storeId(&audioStrh[0], "auds");
    store(&audioStrh[4], audioFormatTag);
    store(&audioStrh[20], align);
    store(&audioStrh[24], align * static_cast<std::uint32_t>(scene.audioRate));
    store(&audioStrh[44], align);
    audioStrhPos = position + 8;
    putChunk("strh", audioStrh.data(), 64);
    std::uint8_t wave[18]{};
    store<std::uint16_t>(wave, static_cast<std::uint16_t>(audioFormatTag));
    store<std::uint16_t>(wave + 2, static_cast<std::uint16_t>(audioChannels));
    store<std::uint32_t>(wave + 4, static_cast<std::uint32_t>(scene.audioRate));
    store<std::uint32_t>(wave + 8, align * static_cast<std::uint32_t>(scene.audioRate));
    store<std::uint16_t>(wave + 12, static_cast<std::uint16_t>(align));
    store<std::uint16_t>(wave + 14, static_cast<std::uint16_t>(audioBits));
    putChunk("strf", wave, 18);
    superIndex[1].pos = position + 8;
    store<std::uint16_t>(&superIndex[1].data[0], 4);
    storeId(&superIndex[1].data[8], chunkIds[1]);
    putChunk("JUNK", superIndex[1].data.data(), superIndexSize);
    closeSize(strlDataPos);

    odmlPos = position + 8;
    storeId(&odml[0], "odml");
    storeId(&odml[4], "dmlh");
    store<std::uint32_t>(&odml[8], 248);
    putChunk("JUNK", odml.data(), odmlSize);
    closeSize(hdrlDataPos);

    writeAlignmentJunk();
    moviDataPos = openList("LIST", "movi");
    firstMoviDataPos = moviDataPos;
    entries.reserve(static_cast<std::size_t>(std::max(lastFrame, 0)) * 2 + 2);
}

void AviFileSaveFile::writeVideoFrame(int frame) {
    const auto picture = getVideoFrame(frame, videoFormat, true);
    std::uint32_t size = 0;
    if (picture) {
        BITMAPINFOHEADER bih{};
        Media::ImageBuffer::getBitmapInfoHeader(bih, picture->format, picture->width, picture->height);
        size = bih.biSizeImage;
        convertBuffer.resize(size);
        picture->convertTo(bih, convertBuffer.data());
    } else {
        // An empty chunk keeps the frame's place: players repeat the last one.
        System::Log::warn(tag, "no picture for frame %d; written as an empty frame", frame);
    }
    entries.push_back({position, size, 0});
    maxVideoChunk = std::max(maxVideoChunk, size);
    ++framesWritten;
    putChunk(chunkIds[0], convertBuffer.data(), size);
}

void AviFileSaveFile::writeAudioFrame(int frame) {
    const auto block = getAudioFrame(frame, static_cast<int>(audioFormatTag));
    const void* data = nullptr;
    std::int64_t samples = 0;
    if (block) {
        samples = block->sampleCount;
        data = block->data.data;
    } else {
        samples = OutputRange::samplesBefore(scene, std::int64_t{frame} + 1) - OutputRange::samplesBefore(scene, frame);
        silence.assign(static_cast<std::size_t>(samples) * blockAlign(), 0);
        data = silence.data();
        System::Log::warn(tag, "no sound for frame %d; written as silence", frame);
    }
    const auto size = static_cast<std::uint32_t>(samples * blockAlign());
    entries.push_back({position, size, 1});
    maxAudioChunk = std::max(maxAudioChunk, size);
    samplesWritten += samples;
    putChunk(chunkIds[1], data, size);
}

void AviFileSaveFile::writeStandardIndex(int stream, std::uint32_t duration) {
    std::vector<std::uint8_t> data(24);
    store<std::uint16_t>(&data[0], 2);
    data[3] = 1;
    storeId(&data[8], chunkIds[stream]);
    const std::uint64_t base = moviDataPos + 4;
    store(&data[12], base);
    std::uint32_t count = 0;
    for (const Entry& e : entries) {
        if (e.stream != stream) continue;
        std::uint8_t pair[8];
        store(pair, static_cast<std::uint32_t>(e.position + 8 - base));
        store(pair + 4, e.size);
        data.insert(data.end(), pair, pair + 8);
        ++count;
    }
    store(&data[4], count);

    SuperIndex& super = superIndex[stream];
    std::uint32_t inUse;
    std::memcpy(&inUse, &super.data[4], 4);
    std::uint8_t* entry = &super.data[24 + 16 * inUse];
    store(entry, position);
    store(entry + 8, static_cast<std::uint32_t>(data.size()));
    store(entry + 12, duration);
    store(&super.data[4], inUse + 1);
    rewrite(super.pos, super.data.data(), superIndexSize);

    putChunk(indexIds[stream], data.data(), static_cast<std::uint32_t>(data.size()));
}

void AviFileSaveFile::closeRiffChunk() {
    if (openDml) {
        if (riffCount == 0) {
            rewriteId(superIndex[0].pos, "indx");
            rewriteId(superIndex[1].pos, "indx");
        }
        writeStandardIndex(0, static_cast<std::uint32_t>(framesWritten - framesAtRiff));
        writeStandardIndex(1, static_cast<std::uint32_t>(samplesWritten - samplesAtRiff));
    }
    closeSize(moviDataPos);
    if (riffCount == 0) {
        std::vector<std::uint8_t> idx(entries.size() * 16);
        std::uint8_t* p = idx.data();
        for (const Entry& e : entries) {
            storeId(p, chunkIds[e.stream]);
            store(p + 4, aviifKeyframe);
            store(p + 8, static_cast<std::uint32_t>(e.position - firstMoviDataPos));
            store(p + 12, e.size);
            p += 16;
        }
        putChunk("idx1", idx.data(), static_cast<std::uint32_t>(idx.size()));
    }
    closeSize(riffDataPos);
    updateHeader();
}

void AviFileSaveFile::updateHeader() {
    if (riffCount == 0) {
        avih[4] = static_cast<std::uint32_t>(framesWritten);
        rewrite(avihPos, avih.data(), 56);
    }
    if (openDml) {
        if (riffCount == 0) rewriteId(odmlPos, "LIST");
        store(&odml[12], static_cast<std::uint32_t>(framesWritten));
        rewrite(odmlPos, odml.data(), odmlSize);
    }
    store(&videoStrh[32], static_cast<std::uint32_t>(framesWritten));
    store(&videoStrh[36], maxVideoChunk);
    store(&audioStrh[32], static_cast<std::uint32_t>(samplesWritten));
    store(&audioStrh[36], maxAudioChunk);
    rewrite(videoStrhPos, videoStrh.data(), 64);
    rewrite(audioStrhPos, audioStrh.data(), 64);
}

void AviFileSaveFile::changeRiffChunk() {
    openDml = true;
    closeRiffChunk();
    ++riffCount;
    riffBase = position;
    framesAtRiff = framesWritten;
    samplesAtRiff = samplesWritten;
    entries.clear();
    if (riffCount >= maxRiffChunks)
        throw System::makeException("Plugin::AviFileSaveFile::changeRiffChunk", "exceeded super index entry max.");
    riffDataPos = openList("RIFF", "AVIX");
    writeAlignmentJunk();
    moviDataPos = openList("LIST", "movi");
}

bool AviFileSaveFile::save() {
    try {
        file_ = std::make_unique<System::AtomicFile>(path.c_str());
        writeHeader();
        progressTotal = static_cast<std::uint32_t>(std::max(frameCount, 0));
        for (int i = 0; i < frameCount && !cancel; ++i) {
            progressCurrent = static_cast<std::uint32_t>(i);
            writeVideoFrame(startFrame + i);
            writeAudioFrame(startFrame + i);
            if (position - riffBase >= riffLimit) changeRiffChunk();
        }
        closeRiffChunk();
        file_->commit();
        file_.reset();
    } catch (...) {
        file_.reset();  // removes the temporary file; the target stays as it was
        throw;
    }
    return true;
}

}  // namespace Plugin
