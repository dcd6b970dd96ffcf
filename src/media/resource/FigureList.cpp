#include "media/resource/FigureList.h"

#include "core/base/Log.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/file/PathString.h"
#include "core/text/StringConvert.h"
#include "media/draw/RenderTargetDirect3D.h"
#include "media/draw/StrokeStyleList.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/PathData.h"
#include "media/resource/ResourceService.h"
#include "media/resource/SvgDocument.h"
#include "platform/cairo/Brush.h"

#include <algorithm>
#include <limits>

namespace Resource {

namespace {

struct BuiltInFigure {
    const wchar_t* name;
    PathData::Shape shape;
    int kind;
};

constexpr BuiltInFigure kFigures[] = {
    {L"背景", PathData::Square, FigureItem::Background}, {L"円", PathData::Circle, FigureItem::Circle},
    {L"四角形", PathData::Square, FigureItem::Square},    {L"三角形", PathData::Triangle, FigureItem::Plain},
    {L"五角形", PathData::Pentagon, FigureItem::Plain},   {L"六角形", PathData::Hexagon, FigureItem::Plain},
    {L"星型", PathData::Star, FigureItem::Plain},         {L"ハート", PathData::Heart, FigureItem::Plain},
};

}  // namespace

std::vector<std::wstring> listFolderFiles(const std::wstring& pattern) {
    const std::wstring expanded = System::expandPathString(pattern.c_str());
    const std::wstring folder = System::FileName::getDirectory(expanded);
    const std::vector<System::File::FileInfo> files = System::File::findFiles(expanded, folder.c_str());
    std::vector<std::wstring> paths;
    for (const System::File::FileInfo* file : System::File::sortFileList(files)) paths.push_back(file->name);
    return paths;
}

void FigureList::load(const PathData* shapes) {
    items_.clear();
    for (const BuiltInFigure& figure : kFigures)
        items_.push_back({figure.name, &shapes[figure.shape], L"", figure.kind});
    for (const std::wstring& path : listFolderFiles(L"%Figure%/*.svg")) {
        if (!Media::SvgDocument::canLoadFile(path)) {
            System::Log::warn("Resource::FigureList::load", "figure file not loaded. %s",
                              System::String::toUtf8(path).c_str());
            continue;
        }
        items_.push_back({System::FileName::getTitle(path), nullptr, path, FigureItem::Plain});
    }
}

const FigureItem* FigureList::find(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
}

std::unique_ptr<Media::ResourceBuffer> FigureItem::createImage(const FrameSize& frame, UINT width, UINT height,
                                                               const std::array<float, 4>& color, float lineWidth,
                                                               bool roundCorners, int format) const {
    if (kind == Background) {
        width = frame.width;
        height = frame.height;
    }
    if (width == 0 || height == 0) return nullptr;
    if (!path) return Media::SvgDocument::renderToBuffer(file, width, height, color, format);

    if (format == 0) format = Media::Direct3DService::Get().pixelFormat;
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    if ((kind == Background || kind == Square) && (2 * lineWidth >= w || 2 * lineWidth >= h)) {
        // Filled: one colour, kept without a texture until one is needed.
        const float premultiplied[4] = {color[0] * color[3], color[1] * color[3],
                                        color[2] * color[3], color[3]};
        return Media::ResourceBuffer::solid(width, height, premultiplied, format);
    }
    auto buffer = std::make_unique<Media::ResourceBuffer>(width, height, format);

    float fw = w, fh = h, o = 0;
    if (kind == Circle) {
        fw -= 1;
        fh -= 1;
        o = 0.5f;
    }
    const Platform::Cairo::SolidColorBrush brush({color[0], color[1], color[2], color[3]});
    Media::RenderTargetDirect3D target = buffer->getSurface();
    target.beginDraw();
    const float f = path->factor;
    const float m = f > 0 ? std::min(f * fw, f * fh) : 0;
    if (f > 0 && (roundCorners || 2 * lineWidth < m)) {
        const float lw = std::min(lineWidth, m), t = lw / f;
        const Platform::Cairo::StrokeStyle* style = nullptr;
        if (roundCorners)
            if (auto* service = ResourceService::getInstance()) style = service->strokeStyleList.get(StrokeStyleList::Round);
        target.drawGeometry(path->createPathGeometry(t / 2 + o, t / 2 + o, fw - t, fh - t), nullptr, 0, 0, &brush, lw,
                            style);
    } else {
        target.drawGeometry(path->createPathGeometry(o, o, fw, fh), &brush, 0, 0, nullptr, 0, nullptr);
    }
    target.endDraw();
    return buffer;
}

FigureResource::FigureResource() {
    ResourceService* service = ResourceService::getInstance();
    figureList = service ? &service->figureList : nullptr;
}

std::unique_ptr<Media::ResourceBuffer> FigureResource::createFigureImage(int index, const FrameSize& frame, UINT width,
                                                                         UINT height, const std::array<float, 4>& color,
                                                                         float lineWidth, bool roundCorners) const {
    const FigureItem* item = figureList ? figureList->find(index) : nullptr;
    return item ? item->createImage(frame, width, height, color, lineWidth, roundCorners, 0) : nullptr;
}

std::unique_ptr<Media::ResourceBuffer> FigureResource::createFigureImage(int index, const FrameSize& frame, UINT width,
                                                                         UINT height) const {
    const FigureItem* item = figureList ? figureList->find(index) : nullptr;
    if (!item) return nullptr;
    // A line wider than any figure: every shape is filled.
    return item->createImage(frame, width, height, {0, 0, 0, 1}, std::numeric_limits<float>::max(), false,
                             Media::Direct3DService::Get().maskFormat);
}

}  // namespace Resource
