#pragma once
// The lines and triangles the camera control draws into an editing preview
// (grid, focus axes, frustum). Lines are screen-space strips a given number
// of pixels wide whose pixels read and write the camera pass's depth and
// transparent layer, so they hide behind objects and fade in just behind a
// surface. Every line is its own draw: the GPU layer puts a barrier after
// each, so overlapping lines never race where the driver has no ordered
// access.
//
// Only the per-object render thread draws.
#include "media/gpu/ContextConstantBuffer.h"
#include "media/gpu/ShaderResource.h"
#include "media/gpu/ShaderStateResource.h"
#include "media/gpu/VertexList.h"
#include "media/gpu/VertexListMath.h"

#include <array>
#include <memory>

namespace Media {
class PixelShader;
class RenderBuffer;
class VertexBufferCommon;
}  // namespace Media

namespace Effect {

class CameraGuides : public Resource::ShaderStateResource, public Resource::ShaderResource {
public:
    using Color = std::array<float, 4>;

    // Loads the line program; needs the Direct3D service.
    CameraGuides();
    ~CameraGuides();

    // The strip of a line from `from` to `to` under the view-projection m,
    // `width` pixels to each side, in device coordinates with depth: a - K,
    // a + K, b - K, b + K. False when the line lies wholly behind the near
    // plane; a line crossing it is cut there.
    static bool lineStrip(const Media::Matrix4& m, Media::Float3 from, Media::Float3 to, float width,
                          float frameWidth, float frameHeight, Media::XYZ_UV strip[4]);

    // Binds the frame with its depth and transparent layer for the draws
    // that follow, until end.
    void begin(Media::RenderBuffer& frame);
    void setColor(const Color& color);
    void drawLine(const Media::Matrix4& m, Media::Float3 from, Media::Float3 to, float width);
    // A triangle of straight per-vertex colours through m into the camera
    // pass.
    void drawTriangle(const Media::Matrix4& m, const Media::XYZ_COL (&vertices)[3]);
    void end();

private:
    std::unique_ptr<Media::PixelShader> shader_;
    Media::ContextConstantBuffer constants_{16};
    Media::RenderBuffer* frame_ = nullptr;
    Color color_{};
    std::unique_ptr<Media::VertexBufferCommon> strip_;
};

}  // namespace Effect
