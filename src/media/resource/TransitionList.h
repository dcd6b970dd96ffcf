#pragma once
// The wipes a user can choose: seven built-in shapes ("ワイプ(円)",
// "ワイプ(四角)", "ワイプ(時計)", "ワイプ(横)", "ワイプ(縦)", "ワイプ(星型)",
// "ワイプ(ハート)"), then one entry per PNG file of the transition folder,
// named by the file's title. Each draws the mask of a progress value: the
// new picture shows where the mask's alpha is set.
#include "platform/WinTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Media {
class ResourceBuffer;
}

namespace Resource {

class PathData;

struct TransitionItem {
    enum Kind { Shape = 0, Clock = 1, Horizontal = 2, Vertical = 3 };

    std::wstring name;
    const PathData* path = nullptr;  // none for an image file
    float scale = 1.0f;
    std::wstring file;  // empty for a built-in wipe
    int kind = Shape;

    // A new pixel-format mask of width x height for progress 0 to 1 with
    // edges softened over that many pixels; none for a zero side or an
    // image that cannot be read.
    std::unique_ptr<Media::ResourceBuffer> createMask(UINT width, UINT height, float progress, int softness,
                                                      bool keepAspect) const;
};

// The picture work the wipes borrow from the built-in clipping and blur
// effects, which live above this layer: they install it when they are
// registered. Until then the clock and straight wipes, and any softened
// shape wipe, fail with "default effect not found".
struct TransitionEffects {
    // The fan cut of the angle clipping ("扇クリッピング"): base and range
    // angles in degrees, centre relative to the picture's centre.
    std::function<void(std::unique_ptr<Media::ResourceBuffer>& image, float base, float range, float centerX,
                       float centerY, int blur, bool centerBase)>
        angleClip;
    // The straight cut of the line clipping ("斜めクリッピング").
    std::function<void(std::unique_ptr<Media::ResourceBuffer>& image, float angle, int width, float centerX,
                       float centerY, int blur)>
        lineClip;
    // The shared blur of "ぼかし" (mode 2 keeps the size).
    std::function<std::unique_ptr<Media::ResourceBuffer>(std::unique_ptr<Media::ResourceBuffer> image, int radius,
                                                         float aspect, int mode)>
        blur;

    static void install(TransitionEffects effects);
    static TransitionEffects installed();
};

// How an image wipe's picture is read: through the image cache once it
// exists (it installs itself), else straight from the file. Null when the
// file cannot be read.
using TransitionImageLoader = std::function<std::unique_ptr<Media::ResourceBuffer>(const std::wstring& path)>;
void installTransitionImageLoader(TransitionImageLoader loader);

class TransitionList {
public:
    // The built-in wipes over the service's path shapes, then the
    // transition folder's PNG files; a file that does not decode is left
    // out with a warning naming it.
    void load(const PathData* shapes);

    const std::vector<TransitionItem>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    const TransitionItem* find(int index) const;

private:
    std::vector<TransitionItem> items_;
};

// The mixin through which the wipe filter and the scene change reach the
// list.
class TransitionResource {
public:
    TransitionResource();

protected:
    TransitionList* transitionList;
};

}  // namespace Resource
