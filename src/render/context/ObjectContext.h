#pragma once
// The render record of one object in a video frame: the common part, the
// object's draw state with its frame target and the camera and group in
// force, custom geometry, the preview's handle list, the pass's temporary
// pictures and seven flags. The scene walk builds it on "RenderVideoWorker";
// copies run the object's effect chain on "RenderObjectWorkerVideo".
//
// Operations that work on another listed object make it current (object and
// section position) for the call and restore the context's own afterwards.
#include "effect/base/ObjectContextBase.h"
#include "effect/base/OutputView.h"

#include <cstdint>
#include <memory>

namespace Anchor {
class AnchorList;
}
namespace Effect {
class EffectBase;
}
namespace Media {
class ResourceBuffer;
class VertexList;
}  // namespace Media

namespace Render {

class PreInputBuffer;
class ResourceCache;

class ObjectContext : public ObjectContextBase {
public:
    using Image = std::unique_ptr<Media::ResourceBuffer>;

    Effect::OutputView view;
    // Drawn instead of the picture's quad while set.
    std::shared_ptr<Media::VertexList> vertexList;
    // Collects on-picture handles; null except in preview renders.
    Anchor::AnchorList* anchors = nullptr;
    ResourceCache* cache = nullptr;
    std::shared_ptr<PreInputBuffer> preInput;
    // The picture of the last ordinary object drawn by the per-object
    // thread (the render worker's slot); null outside a render pass.
    Image* previousImage = nullptr;

    // The picture is already in frame space; filter handles are not drawn.
    std::uint8_t flat = 0;
    // Drawn under a camera mode, as particles or off-screen: handles of
    // movable effects read it.
    std::uint8_t drawnDifferently = 0;
    // The output ignores its own rotation, centre and scale items.
    std::uint8_t keepRotation = 0;
    // The output ignores its own X, Y and Z items.
    std::uint8_t keepPosition = 0;
    // Set until the first camera pass is done; cameras draw handles then.
    std::uint8_t firstCameraPass = 0;
    // Set until the first clipping object; it gets the tint toggle handle.
    std::uint8_t firstClippingObject = 0;
    // An enabled "拡張色設定" effect is among the listed objects.
    std::uint8_t extendedColor = 0;
    // The preview's camera switches: the guide grid and the free view.
    std::uint8_t cameraGrid = 0;
    std::uint8_t cameraFreeView = 0;

    // Walk side ("RenderVideoWorker").
    // Appends the group controls in force that carry filters, inner first.
    void collectGroupControls();
    // Preload of every enabled input and filter of the listed objects.
    void preloadVideo();

    // Drawing side ("RenderObjectWorkerVideo").
    void renderVideoObject();
    // The listed objects' enabled video filters in order (after `startAfter`
    // when given); an empty result ends the run.
    Image filterVideo(Image image, const Effect::EffectBase* startAfter = nullptr);
    // filterVideo without handles; a caller's context learns whether the
    // picture was drawn differently.
    Image applyFilterVideo(Image image, const Effect::EffectBase* startAfter = nullptr,
                           ObjectContext* caller = nullptr);
    // controlVideo of every enabled filter (any media) of the listed objects.
    void controlFilterVideo();
    // The first listed object's output draws the picture into the target.
    void outputVideo(Image& image);
    void drawFilterAnchor(int width, int height);
    void drawCameraFilterAnchor(int width, int height);
    void drawOutputAnchor(int width, int height);
    // A control's view from its own control effect, any other object's from
    // the output of the first listed object.
    Effect::OutputView getOutputView();

    // Whether the current object is a control object (first effect kind 4).
    bool isControlObject() const;

private:
    // Runs the visit with each listed object made current, then restores
    // the context's own object.
    template <class Visit>
    void forEachListedObject(Visit visit);
    template <class Call>
    auto withObject(const std::shared_ptr<Edit::Object>& target, Call call);
};

}  // namespace Render
