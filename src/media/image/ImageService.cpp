#include "media/image/ImageService.h"

#include "core/file/AtomicFile.h"
#include "core/base/Exception.h"
#include "core/text/StringConvert.h"
#include "media/image/ImageBuffer.h"
#include "platform/ErrorCode.h"
#include "platform/FaultGuard.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/image/CairoBitmap.h"
#include "platform/image/ImageDecoder.h"
#include "platform/image/ProgramResource.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <unistd.h>

namespace Media {

namespace {

constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
constexpr DWORD kResourceNameNotFound = 1814;
// The JPEG quality of an encoder given no "ImageQuality".
constexpr int kDefaultJpegQuality = 90;

System::Exception ffmpegFailure(const char* call, const char* place, int code) {
    if (Platform::Image::isErrnoCode(code)) return System::makeErrnoException(call, place, AVUNERROR(code));
    return System::makeHResultException(call, place, code, Platform::Ffmpeg::errorText(code).c_str());
}

// Runs one decoder step inside the fault guard; a failure raises the step's
// call text.
template <class Step>
void runStep(Step&& step, const char* call, const char* place) {
    const int result = Platform::FaultGuard::invoke(step, call, place);
    if (result < 0) throw ffmpegFailure(call, place, result);
}

// Opens the file and decodes its first picture.
void decodeFile(Platform::Image::ImageDecoder& decoder, const std::wstring& path, const char* place) {
    const std::string file = System::String::toUtf8(path);
    runStep([&] { return decoder.openFile(file); }, "factory->CreateDecoderFromFilename", place);
    runStep([&] { return decoder.decodeFirstFrame(); },
            decoder.identifiedByContent() ? "decoder->GetFrame" : "factory->CreateDecoderFromFilename", place);
}

// The decoded picture as a new format-28 image.
std::shared_ptr<ImageBuffer> convertToImage(Platform::Image::ImageDecoder& decoder, const char* copyCall,
                                            const char* place) {
    auto image = ImageBuffer::create(DXGI_FORMAT_R8G8B8A8_UNORM, static_cast<std::uint32_t>(decoder.width()),
                                     static_cast<std::uint32_t>(decoder.height()));
    runStep([&] { return decoder.prepareConverter(); }, "converter->Initialize", place);
    runStep([&] { return decoder.convert(image->pixels.data, image->pitch); }, copyCall, place);
    return image;
}

Platform::Image::SourceLayout sourceLayout(ImageService::PixelFormat format) {
    switch (format) {
        case ImageService::PixelFormat::Format32bppBGR: return Platform::Image::SourceLayout::BGRX;
        case ImageService::PixelFormat::Format32bppBGRA: return Platform::Image::SourceLayout::BGRA;
        case ImageService::PixelFormat::Format32bppPBGRA: return Platform::Image::SourceLayout::PremultipliedBGRA;
        case ImageService::PixelFormat::Format32bppRGBA: return Platform::Image::SourceLayout::RGBA;
    }
    return Platform::Image::SourceLayout::BGRX;
}

int jpegQuality(const ImageService::EncoderOption* option) {
    if (!option || !option->name || std::string_view(option->name) != "ImageQuality" || !std::isfinite(option->value))
        return kDefaultJpegQuality;
    const float value = std::clamp(option->value, 0.0f, 1.0f);
    return static_cast<int>(std::lround(value * 100.0f));
}

// The folder must take a new file: a refusal is reported as the opening of
// the target, before anything is written.
void checkFolderWritable(const std::string& path, const char* place) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        throw System::makeLastErrorException("stream->InitializeFromFilename", place);
}

}  // namespace

ImageService::ImageService() {
    for (const AVCodecID id : {AV_CODEC_ID_PNG, AV_CODEC_ID_MJPEG}) {
        if (!avcodec_find_decoder(id))
            throw System::makeHResultException("CoCreateInstance", "Media::ImageService::ImageService",
                                               AVERROR_DECODER_NOT_FOUND,
                                               Platform::Ffmpeg::errorText(AVERROR_DECODER_NOT_FOUND).c_str());
    }
}

void ImageService::saveToFile(const std::wstring& path, const void* pixels, std::uint32_t width,
                              std::uint32_t height, std::uint32_t pitch, PixelFormat pixelFormat,
                              Container container, const EncoderOption* option) {
    constexpr const char* place = "Media::ImageService::saveToFile";
    if (width == 0 || height == 0) throw System::makeHResultException("frame->SetSize", place, kInvalidArgument);
    if (!pixels || pitch < std::uint64_t{width} * 4)
        throw System::makeHResultException("factory->CreateBitmapFromMemory", place, kInvalidArgument);

    // Encoded in memory first: an encoder failure never touches the disk.
    std::vector<std::uint8_t> bytes;
    std::string error;
    const auto* source = static_cast<const std::uint8_t*>(pixels);
    const Platform::Image::SourceLayout layout = sourceLayout(pixelFormat);
    const bool encoded =
        container == Container::Png
            ? Platform::Image::encodePng(source, width, height, pitch, layout, bytes, error)
            : Platform::Image::encodeJpeg(source, width, height, pitch, layout, jpegQuality(option), bytes, error);
    if (!encoded) throw System::makeHResultException("frame->WriteSource", place, kFail, error.c_str());
    if (bytes.size() > std::numeric_limits<DWORD>::max())
        throw System::makeHResultException("encoder->Commit", place, kFail, "file too large");

    checkFolderWritable(System::String::toUtf8(path), place);
    System::AtomicFile file(path.c_str());
    file.write(bytes.data(), static_cast<DWORD>(bytes.size()));
    file.commit();
}

bool ImageService::canLoadFile(const std::wstring& path, int& format, std::uint32_t& width,
                               std::uint32_t& height) {
    Platform::Image::ImageDecoder decoder;
    decodeFile(decoder, path, "Media::ImageService::canLoadFile");
    format = DXGI_FORMAT_R8G8B8A8_UNORM;
    width = static_cast<std::uint32_t>(decoder.width());
    height = static_cast<std::uint32_t>(decoder.height());
    return decoder.canConvert();
}

std::shared_ptr<ImageBuffer> ImageService::loadFromFile(const std::wstring& path) {
    constexpr const char* place = "Media::ImageService::loadFromFile";
    Platform::Image::ImageDecoder decoder;
    decodeFile(decoder, path, place);
    if (!decoder.canConvert()) throw System::makeException(place, "IWICFormatConverter can not convert.");
    return convertToImage(decoder, "converter->CopyPixels", place);
}

cairo_surface_t* ImageService::loadFromResource(int id, cairo_t* target) {
    constexpr const char* place = "Media::ImageService::loadFromResource";
    const std::span<const std::uint8_t> data = Platform::Image::findPngResource(id);
    if (data.empty())
        throw System::makeHResultException("FindResource", place, Platform::hresultFromWin32(kResourceNameNotFound),
                                           "The specified resource name cannot be found in the image file.");
    Platform::Image::ImageDecoder decoder;
    runStep([&] { return decoder.openMemory(data.data(), data.size(), AV_CODEC_ID_PNG); },
            "factory->CreateDecoderFromStream", place);
    runStep([&] { return decoder.decodeFirstFrame(); }, "decoder->GetFrame", place);
    const auto image = convertToImage(decoder, "target->CreateBitmapFromWicBitmap", place);
    cairo_surface_t* bitmap = Platform::Image::createCairoBitmap(target, image->pixels.data, image->width,
                                                                 image->height, image->pitch, D2D1_ALPHA_MODE_STRAIGHT);
    if (!bitmap) throw System::makeHResultException("target->CreateBitmapFromWicBitmap", place, kInvalidArgument);
    return bitmap;
}

}  // namespace Media
