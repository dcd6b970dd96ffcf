#pragma once
// The draw state of one object: where it sits, how it is turned, scaled and
// blended, and in which frame, camera and group it is drawn. Coordinates are
// pixels from the frame centre, x right, y down, z away from the viewer.
//
// The matrices follow the row-vector convention of TransformMatrix.h. The
// ones that need the camera or group control in force (world, view, group
// view, light view) read the controls' records (ControlState.h) and are
// built with the render context, which knows the project's objects.
#include "effect/base/TransformMatrix.h"

#include <cstdint>
#include <memory>

namespace Edit {
class Object;
}
namespace Media {
class RenderBuffer;
struct LightSource;
}  // namespace Media
namespace Platform::Gl {
class SamplerState;
}

namespace Effect {

class OutputView {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float rotationX = 0.0f, rotationY = 0.0f, rotationZ = 0.0f;
    float scaleX = 1.0f, scaleY = 1.0f, scaleZ = 1.0f;
    float centerX = 0.0f, centerY = 0.0f, centerZ = 0.0f;
    float alpha = 1.0f;
    float shine = 0.7f;
    int blendMode = 0;  // 0 to 23
    Platform::Gl::SamplerState* sampler = nullptr;  // null: the default one
    std::uint8_t rasterizer = 0;
    int cameraMode = 0;  // 0 plain, 3 billboard
    Media::RenderBuffer* target = nullptr;
    std::shared_ptr<Edit::Object> cameraControl;
    std::shared_ptr<Edit::Object> groupControl;

    static constexpr int Billboard = 3;

    // T(-centre) × S(scale) × Rz × Ry × Rx × T(position).
    Media::Matrix4 getObjectMatrix() const;
    // S(scale) × Rz × Ry × Rx.
    Media::Matrix4 getRotationMatrix() const;
    // The perspective of a flat frame with the eye 1024 pixels in front of
    // z = 0 and the vanishing point at the view's own position: a point at
    // z = 0 lands at (2X / width, -2Y / height) with depth 0.05.
    Media::Matrix4 getScreenMatrix(int width, int height) const;

    // The object matrix followed by the group control's world matrix.
    Media::Matrix4 getWorldMatrix() const;
    // The camera's view-projection, else the group's view, else the screen
    // matrix of the frame target.
    Media::Matrix4 getViewMatrix() const;
    Media::Matrix4 getWorldViewMatrix() const;
    // The space the object's parent lives in (used by on-picture handles).
    Media::Matrix4 getGroupViewMatrix() const;
    // The shadow view of a light, under a camera.
    Media::Matrix4 getLightViewMatrix(const Media::LightSource& light) const;
};

}  // namespace Effect
