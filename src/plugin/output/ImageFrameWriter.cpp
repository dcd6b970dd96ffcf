#include "plugin/output/ImageFrameWriter.h"

#include "media/image/ImageService.h"

namespace Plugin {

bool writeImageFrame(OutputFile& file, int frame, ImageKind kind, bool transparent, int quality,
                     const std::wstring& path) {
    const bool alpha = kind == ImageKind::Png && transparent;
    const auto picture = file.getVideoFrame(frame, alpha ? 87 : 88, false);
    if (!picture) return false;
    if (kind == ImageKind::Jpeg) {
        picture->saveJpegFile(path, quality);
    } else {
        using Service = Media::ImageService;
        Service::saveToFile(path, picture->pixels.data, picture->width, picture->height, picture->pitch,
                            alpha ? Service::PixelFormat::Format32bppPBGRA : Service::PixelFormat::Format32bppBGR,
                            Service::Container::Png);
    }
    return true;
}

}  // namespace Plugin
