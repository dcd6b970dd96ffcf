#pragma once
// The drawing half of every effect that puts an object's picture into a
// frame: the full path (world and view matrices, optionally in camera
// space with depth, lights and shadows), the flat path (the picture already
// in frame orientation, only shifted), drawing into a picture, and the
// camera control's transparent-layer composite and lighting pass.
//
// - Only the video object render thread draws: the shader list's constant
//   blocks, the shared quad and the binding cache are not locked. Every
//   bind goes through the binding cache, so unchanged state costs nothing.
// - The frame is copied only for blend modes other than 0; the copy lives
//   for one draw.
// - Each operation in "Steps" takes what a render context and its view give
//   (matrices, alpha, mode, states), so the context-facing operations stay
//   thin and the GPU work can be driven on its own.
#include "media/gpu/LightSource.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/ShaderResource.h"
#include "media/gpu/ShaderStateResource.h"
#include "media/gpu/VertexListMath.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace Media {
class Direct3DService;
class RenderBuffer;
class ResourceBuffer;
class VertexList;
}  // namespace Media
namespace Platform::Gl {
class SamplerState;
}
namespace Render {
class ObjectContext;
}

namespace Effect {

class OutputView;

class OutputShaderEffect : public Resource::ShaderStateResource, public Resource::ShaderResource {
public:
    // Blend-list entries of the drawing: premultiplied source-over, the
    // replacing state, and the multiply of the lighting pass.
    static constexpr int BlendOver = 0;
    static constexpr int BlendReplace = 4;
    static constexpr int BlendLighting = 11;
    // Sampler entries: plain pictures, custom meshes, the lighting pass.
    static constexpr int SamplerImage = 0;
    static constexpr int SamplerMesh = 1;
    static constexpr int SamplerLighting = 7;
    // Only the first lights of a frame count.
    static constexpr int maxLights = 8;

    // The shadow view of a light record under the object's camera.
    using LightView = std::function<Media::Matrix4(const Media::LightSource&)>;

    // One full-path draw, gathered from a render context and its view.
    struct ObjectDraw {
        Media::Matrix4 world;
        Media::Matrix4 view;
        float alpha = 1.0f;
        int blend = 0;  // the view's mode, unclamped
        Platform::Gl::SamplerState* sampler = nullptr;  // null: by mesh
        int rasterizer = 0;  // the view's selector
        bool camera = false;
        float shine = 0.0f;
        Media::VertexList* mesh = nullptr;  // null: the shared quad of the picture
        LightView lightView;  // shadows of a lit draw
    };

    OutputShaderEffect();

    // The full path of an object: its output's view with world and view
    // matrices, in camera space under a camera, lit when the frame carries
    // lights. Draws nothing at alpha 0 or below.
    void drawObject(Render::ObjectContext& context, Media::RenderBuffer& frame, Media::ResourceBuffer* image);
    // The flat path: the picture is in frame orientation, only shifted.
    void drawObjectFlat(Render::ObjectContext& context, Media::RenderBuffer& frame,
                        Media::ResourceBuffer& image);
    // The object as it would appear in the frame, into a picture of the
    // frame's size (off-screen drawing).
    void drawObjectToBuffer(Render::ObjectContext& context, Media::ResourceBuffer& target,
                            Media::ResourceBuffer* image);
    // With the view's own object matrix and the target's screen only (no
    // world, group or camera): script drawing into a script buffer.
    void drawObjectImage(const OutputView& view, Media::ResourceBuffer& target, Media::ResourceBuffer* image,
                         Media::VertexList* mesh);
    // One picture of a scene change with the view's object matrix.
    void drawTransition(const OutputView& view, Media::RenderBuffer& frame, Media::ResourceBuffer& image,
                        bool composite);
    // The camera control's lighting pass under the context's camera.
    void drawCameraLighting(Render::ObjectContext& context, Media::RenderBuffer& frame,
                            const Media::Float3 corners[4]);

    // Steps of the drawing paths.

    // The full path: nothing at alpha 0 or below; camera space when the
    // draw has a camera, lit when the frame also carries lights.
    void drawPrepared(Media::RenderBuffer& frame, Media::ResourceBuffer* image, const ObjectDraw& draw);
    // The flat path: frame pixel (x, y) takes picture pixel (x + dx, y + dy)
    // at the alpha, through the mode's arithmetic when it is not 0.
    void drawFlat(Media::RenderBuffer& frame, Media::ResourceBuffer& image, float alpha, int blend,
                  int dx, int dy);
    // Into a picture through the projection (world × view), replacing
    // nothing: blend mode 0 at full alpha (off-screen drawing) or the given
    // mode and alpha unclamped (script drawing; modes 20 to 23 replace the
    // pixel).
    void drawIntoImage(Media::ResourceBuffer& target, Media::ResourceBuffer* image,
                       const Media::Matrix4& projection, float alpha, int blend,
                       Platform::Gl::SamplerState* sampler, int rasterizer, Media::VertexList* mesh);
    // A scene change's picture through the projection: over the frame
    // (composite) or replacing its pixels.
    void drawTransitionImage(Media::RenderBuffer& frame, Media::ResourceBuffer& image,
                             const Media::Matrix4& projection, float alpha,
                             Platform::Gl::SamplerState* sampler, bool composite);
    // The camera-space transparent layer over the frame where it lies in
    // front of the opaque depth.
    void drawCameraPass(Media::RenderBuffer& frame);
    // Lights the frame and then its transparent layer. corners: the view
    // vectors at the top-left, top-right, bottom-right and bottom-left.
    void drawCameraLighting(Media::RenderBuffer& frame, const Media::Matrix4& cameraViewProjection,
                            const LightView& lightView, const Media::Float3 corners[4]);

    // The flat stage's variant bits (ShaderList::FlatVariant) for a draw
    // through the projection into a target of that size: the blend code's,
    // and for the picture's own quad the sampling every pixel will take,
    // when the mapping is affine and far enough from the footprint
    // threshold that the shader's own test could not decide otherwise.
    static int flatVariant(const Media::Matrix4& projection, int targetWidth, int targetHeight,
                           bool pictureQuad, int blend);
    // Whether a solid picture's own quad through the projection covers the
    // whole target with every pixel centre sampling within the outermost
    // texel centres, so it draws its colour on every pixel and nothing
    // else.
    static bool coversTarget(const Media::Matrix4& projection, int targetWidth, int targetHeight,
                             UINT pictureWidth, UINT pictureHeight);
    // Off: every flat draw takes the plain stages (comparisons, profiles).
    static inline std::atomic<bool> chooseFlatVariants{true};

    // The supporting operations.
    void setDrawState(Platform::Gl::SamplerState* sampler, int rasterizer, bool hasMesh);
    void drawImage(Media::ResourceBuffer* image, Media::VertexList& mesh);
    void drawShadow(const Media::LightSource& light, const Media::Matrix4& world,
                    const Media::Matrix4& lightView, Media::ResourceBuffer& shadowMap,
                    Media::ResourceBuffer* image, Media::VertexList& mesh, bool hasMesh,
                    Platform::Gl::SamplerState* sampler);

    // The constant blocks' CPU images. The object block keeps the previous
    // normalWorld and shine unless lit; the lighting block takes the first
    // lights, their residual factors' product added to the ambient sum.
    static Resource::ShaderList::ObjectConstant objectConstant(
        const Resource::ShaderList::ObjectConstant& previous, const Media::Matrix4& projection,
        float alpha, int blend, const Media::Matrix4* normalWorld, float shine);
    static Resource::ShaderList::LightingConstant lightingConstant(
        const std::vector<Media::LightSource>& lights, const Media::Matrix4& pixelToWorld,
        const LightView& lightView);

protected:
    // Null while there is no GPU service (registries built without one).
    Media::Direct3DService* direct3D;

private:
    void bindBlend(int entry);
    void bindRasterizer(int entry);
    // An opaque solid picture over the whole of a frame nothing was drawn
    // into yet: the frame's pending clear takes its colour instead.
    bool fillInsteadOfDraw(Media::RenderBuffer& frame, Media::ResourceBuffer* image, const ObjectDraw& draw,
                           int blend, const Media::Matrix4& projection);
    // After the mesh's flat pair: the pixel stage of the draw's variant.
    void bindFlatVariant(Media::VertexList& mesh, bool pictureQuad, const Media::Matrix4& projection,
                         int targetWidth, int targetHeight, int blend);
    void uploadObjectConstant(const Media::Matrix4& projection, float alpha, int blend,
                              const Media::Matrix4* normalWorld, float shine);
};

}  // namespace Effect
