#pragma once
// The figures a user can choose: the eight built-in shapes ("背景", "円",
// "四角形", "三角形", "五角形", "六角形", "星型", "ハート"), then one entry
// per SVG file of the figure folder, named by the file's title, in the
// order of their full paths. Read once at start-up; drawn on any thread.
#include "platform/WinTypes.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Media {
class ResourceBuffer;
}

namespace Resource {

class PathData;

// The frame a figure is drawn for: the background figure fills it.
struct FrameSize {
    UINT width = 0;
    UINT height = 0;
};

struct FigureItem {
    enum Kind { Plain = 0, Background = 1, Square = 2, Circle = 3 };

    std::wstring name;
    const PathData* path = nullptr;  // none for an SVG file
    std::wstring file;               // empty for a built-in figure
    int kind = Plain;

    // The figure at width x height in the colour (premultiplied into the
    // picture), outlined with the line width unless the outline covers the
    // shape; format 0 is the pixel format. None for a zero side, or when an
    // SVG file cannot be drawn.
    std::unique_ptr<Media::ResourceBuffer> createImage(const FrameSize& frame, UINT width, UINT height,
                                                       const std::array<float, 4>& color, float lineWidth,
                                                       bool roundCorners, int format) const;
};

class FigureList {
public:
    // The built-in figures over the service's path shapes, then the figure
    // folder's SVG files; a file that is no readable SVG is left out with a
    // warning naming it.
    void load(const PathData* shapes);

    const std::vector<FigureItem>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    // The item of that index, null outside the list.
    const FigureItem* find(int index) const;

private:
    std::vector<FigureItem> items_;
};

// The mixin through which figure parameters and effects reach the list.
class FigureResource {
public:
    FigureResource();

    // The figure in the pixel format; none for an index outside the list.
    std::unique_ptr<Media::ResourceBuffer> createFigureImage(int index, const FrameSize& frame, UINT width,
                                                             UINT height, const std::array<float, 4>& color,
                                                             float lineWidth, bool roundCorners) const;
    // The figure filled in opaque black, in the mask format; none for an
    // index outside the list.
    std::unique_ptr<Media::ResourceBuffer> createFigureImage(int index, const FrameSize& frame, UINT width,
                                                             UINT height) const;

protected:
    FigureList* figureList;
};

// The sorted full paths of the files a folder pattern ("%Figure%/*.svg")
// matches, path variables expanded; extensions match in any case.
std::vector<std::wstring> listFolderFiles(const std::wstring& pattern);

}  // namespace Resource
