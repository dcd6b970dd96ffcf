// The matrices of an output view that depend on the camera and group
// controls in force; they live with the render context because reading a
// control's record needs the project's objects.
#include "edit/model/Object.h"
#include "effect/base/OutputView.h"
#include "media/gpu/LightSource.h"
#include "media/gpu/RenderBuffer.h"
#include "render/context/ControlStateLookup.h"

namespace Effect {

using namespace Transform;

namespace {

const GroupControlState* groupState(const OutputView& view) {
    return Render::getGroupControlState(view.groupControl.get());
}

const CameraControlState* cameraState(const OutputView& view) {
    return Render::getCameraControlState(view.cameraControl.get());
}

}  // namespace

Media::Matrix4 OutputView::getWorldMatrix() const {
    const Matrix4 object = getObjectMatrix();
    if (const GroupControlState* group = groupState(*this)) return multiply(object, group->worldMatrix);
    return object;
}

Media::Matrix4 OutputView::getViewMatrix() const {
    if (const CameraControlState* camera = cameraState(*this)) return camera->viewProjectionMatrix;
    if (const GroupControlState* group = groupState(*this)) return group->viewMatrix;
    // Without a frame target there is no screen to project on.
    if (!target) return identity();
    return getScreenMatrix(target->getWidth(), target->getHeight());
}

Media::Matrix4 OutputView::getWorldViewMatrix() const { return multiply(getWorldMatrix(), getViewMatrix()); }

Media::Matrix4 OutputView::getGroupViewMatrix() const {
    const CameraControlState* camera = cameraState(*this);
    const GroupControlState* group = groupState(*this);
    if (camera && group) return multiply(group->worldMatrix, camera->viewProjectionMatrix);
    if (camera) return camera->viewProjectionMatrix;
    if (group) return multiply(group->worldMatrix, group->viewMatrix);
    return multiply(translation(0.0f, 0.0f, -z), getViewMatrix());
}

Media::Matrix4 OutputView::getLightViewMatrix(const Media::LightSource& light) const {
    const CameraControlState* camera = cameraState(*this);
    const Media::Float3 target = camera ? camera->target : Media::Float3{0.0f, 0.0f, 0.0f};
    const Media::Float3 eye = target + Media::Float3{light.pos[0], light.pos[1], light.pos[2]};
    const Matrix4 view = Media::lookToMatrix(eye, target - eye, {0.0f, 1.0f, 0.0f});
    const Matrix4 projection = {2.0f / light.range, 0, 0, 0, 0, -2.0f / light.range, 0, 0,
                                0, 0, 1.0f / light.depth, 0, 0, 0, 0.5f, 1};
    return multiply(view, projection);
}

}  // namespace Effect
