#include "plugin/input/WindowsImageReader.h"

#include "media/image/ImageBuffer.h"
#include "media/image/ImageService.h"
#include "plugin/input/FileFilter.h"

namespace Plugin {

WindowsImageReader::WindowsImageReader()
    : InputPlugin(L"WIC image file reader",
                  FileFilter::make({{L"PngFile (*.png)", L"*.png"},
                                    {L"JpegFile (*.jpg)", L"*.jpg"},
                                    {L"BmpFile (*.bmp)", L"*.bmp"},
                                    {L"GifFile (*.gif)", L"*.gif"}}),
                  KindVideo | KindImage) {}

std::shared_ptr<InputFile> WindowsImageReader::open(const wchar_t* path, int) {
    int format = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!Media::ImageService::canLoadFile(path, format, width, height)) return {};
    auto file = std::make_shared<WindowsImageFile>();
    file->path = path;
    file->flags = InputFile::Video;
    file->frameCount = 1;
    file->rate = 1;
    file->scale = 1;
    file->pixelFormat = format;
    file->width = static_cast<int>(width);
    file->height = static_cast<int>(height);
    return file;
}

std::shared_ptr<Media::ImageBuffer> WindowsImageReader::WindowsImageFile::readVideo(int) {
    return Media::ImageService::loadFromFile(path);
}

}  // namespace Plugin
