#include "plugin/input/ImageFileReader.h"

#include "core/file/File.h"
#include "core/file/FileName.h"
#include "media/image/ImageBuffer.h"
#include "plugin/input/FileFilter.h"
#include "render/cache/ReadBuffer.h"

#include <climits>
#include <cstring>

namespace Plugin {

namespace {

// Sides beyond this are refused before anything is sized from them.
constexpr std::int64_t kMaxSide = 65535;
// The read buffer's size is 32-bit.
constexpr std::uint64_t kMaxImageBytes = 0x7FFFFFFF;

#pragma pack(push, 1)
struct BmpFileHeader {
    std::uint16_t type;
    std::uint32_t fileSize;
    std::uint32_t reserved;
    std::uint32_t dataOffset;
};
struct TgaHeader {
    std::uint8_t idLength;
    std::uint8_t colorMapType;
    std::uint8_t imageType;
    std::uint16_t colorMapFirst;
    std::uint16_t colorMapLength;
    std::uint8_t colorMapEntryBits;
    std::uint16_t xOrigin;
    std::uint16_t yOrigin;
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t depth;
    std::uint8_t descriptor;
};
#pragma pack(pop)
static_assert(sizeof(BmpFileHeader) == 14);
static_assert(sizeof(TgaHeader) == 18);

std::wstring expanded(const std::wstring& path) {
    std::wstring text = path;
    System::FileName::expandVariable(text);
    return text;
}

// Reads the first bytes of a file; false when it cannot be opened or is
// shorter. Gives the file's size.
bool readHead(const std::wstring& path, void* head, DWORD size, std::uint64_t& fileSize) {
    try {
        System::File file;
        file.open(expanded(path).c_str(), System::File::Mode::Read);
        file.readBlock(head, size);
        fileSize = file.getSize();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void setPicture(InputFile& file, int format, int width, int height) {
    file.flags = InputFile::Video;
    file.frameCount = 1;
    file.rate = 1;
    file.scale = 1;
    file.pixelFormat = format;
    file.width = width;
    file.height = height;
}

// Reads size bytes at offset of the file into the shared read buffer.
void readPixels(const std::wstring& path, std::uint64_t offset, std::uint32_t size, System::AlignedBuffer& buffer) {
    System::File file;
    file.open(expanded(path).c_str(), System::File::Mode::Read);
    file.seek(static_cast<std::int64_t>(offset));
    buffer.allocMemory(size);
    file.readBlock(buffer.data, size);
}

}  // namespace

bool ImageFileReader::InputBmpImageFile::open(const wchar_t* name) {
    path = name;
    std::uint8_t head[sizeof(BmpFileHeader) + sizeof(BITMAPINFOHEADER)];
    std::uint64_t fileSize = 0;
    if (!readHead(path, head, sizeof head, fileSize)) return false;
    BmpFileHeader fileHeader{};
    BITMAPINFOHEADER info{};
    std::memcpy(&fileHeader, head, sizeof fileHeader);
    std::memcpy(&info, head + sizeof fileHeader, sizeof info);
    if (fileHeader.type != 0x4D42 || info.biSize != 40 || info.biCompression != BI_RGB ||
        (info.biBitCount != 24 && info.biBitCount != 32))
        return false;
    const std::int64_t w = std::abs(std::int64_t{info.biWidth});
    const std::int64_t h = std::abs(std::int64_t{info.biHeight});
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) return false;
    const std::uint64_t row = Media::ImageBuffer::getBitmapRowSize(info.biBitCount, static_cast<std::uint32_t>(w));
    const std::uint64_t bytes = row * static_cast<std::uint64_t>(h);
    if (bytes > kMaxImageBytes || fileHeader.dataOffset > fileSize || fileSize - fileHeader.dataOffset < bytes)
        return false;
    setPicture(*this, info.biBitCount == 32 ? 87 : 88, static_cast<int>(w), static_cast<int>(h));
    topDown = info.biHeight < 0;
    dataOffset = fileHeader.dataOffset;
    return true;
}

std::shared_ptr<Media::ImageBuffer> ImageFileReader::InputBmpImageFile::readVideo(int) {
    Cache::ImageReadBuffer& read = Cache::ImageReadBuffer::instance();
    std::lock_guard lock(read.mutex);
    read.header = {};
    Media::ImageBuffer::getBitmapInfoHeader(read.header, pixelFormat, width, height);
    readPixels(path, dataOffset, read.header.biSizeImage, read.buffer);
    // Stored rows run top to bottom when the height was negative.
    if (topDown) read.header.biHeight = -read.header.biHeight;
    auto image = Media::ImageBuffer::create(pixelFormat, width, height);
    image->convertFrom(read.header, read.buffer.data);
    return image;
}

bool ImageFileReader::InputTgaImageFile::open(const wchar_t* name) {
    path = name;
    TgaHeader header{};
    std::uint64_t fileSize = 0;
    if (!readHead(path, &header, sizeof header, fileSize)) return false;
    if (header.imageType != 2 || (header.depth != 24 && header.depth != 32) || (header.descriptor & 0x10)) return false;
    if (header.width == 0 || header.height == 0) return false;
    std::uint64_t offset = sizeof header + header.idLength;
    if (header.colorMapType == 1) offset += std::uint64_t{header.colorMapLength} * ((header.colorMapEntryBits + 7u) / 8u);
    const std::uint64_t row = std::uint64_t{header.width} * header.depth / 8;
    const std::uint64_t bytes = row * header.height;
    if (bytes > kMaxImageBytes || offset > fileSize || fileSize - offset < bytes) return false;
    setPicture(*this, header.depth == 32 ? 87 : 88, header.width, header.height);
    dataOffset = static_cast<std::uint32_t>(offset);
    rowBytes = static_cast<int>(row);
    imageSize = bytes;
    rowStep = (header.descriptor & 0x20) ? 1 : -1;
    return true;
}

std::shared_ptr<Media::ImageBuffer> ImageFileReader::InputTgaImageFile::readVideo(int) {
    Cache::ImageReadBuffer& read = Cache::ImageReadBuffer::instance();
    std::lock_guard lock(read.mutex);
    readPixels(path, dataOffset, static_cast<std::uint32_t>(imageSize), read.buffer);
    auto image = Media::ImageBuffer::create(pixelFormat, width, height);
    const auto rows = static_cast<std::size_t>(height);
    for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t stored = rowStep > 0 ? y : rows - 1 - y;
        const std::uint8_t* in = read.buffer.data + stored * static_cast<std::size_t>(rowBytes);
        std::uint8_t* out = image->pixels.data + y * image->pitch;
        if (pixelFormat == 87) {
            std::memcpy(out, in, static_cast<std::size_t>(rowBytes));
            continue;
        }
        for (int x = 0; x < width; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 0;
        }
    }
    return image;
}

ImageFileReader::ImageFileReader()
    : InputPlugin(L"Uncompressed Image File Reader",
                  FileFilter::make({{L"BmpFile (*.bmp)", L"*.bmp"}, {L"TgaFile (*.tga)", L"*.tga"}}),
                  KindVideo | KindImage) {}

std::shared_ptr<InputFile> ImageFileReader::open(const wchar_t* path, int) {
    const std::wstring extension = System::FileName::getExtension(path);
    if (extension == L"bmp") {
        auto file = std::make_shared<InputBmpImageFile>();
        if (file->open(path)) return file;
    } else if (extension == L"tga") {
        auto file = std::make_shared<InputTgaImageFile>();
        if (file->open(path)) return file;
    }
    return {};
}

}  // namespace Plugin
