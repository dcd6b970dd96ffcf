#include "effect/base/OutputView.h"

namespace Effect {

using namespace Transform;

Media::Matrix4 OutputView::getObjectMatrix() const {
    Matrix4 m = multiply(translation(-centerX, -centerY, -centerZ), getRotationMatrix());
    return multiply(m, translation(x, y, z));
}

Media::Matrix4 OutputView::getRotationMatrix() const {
    Matrix4 m = multiply(scaling(scaleX, scaleY, scaleZ), Transform::rotationZ(rotationZ));
    m = multiply(m, Transform::rotationY(rotationY));
    return multiply(m, Transform::rotationX(rotationX));
}

Media::Matrix4 OutputView::getScreenMatrix(int width, int height) const {
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const Matrix4 projection = {2048.0f / w, 0, 0, 0, 0, -2048.0f / h, 0, 0, 0, 0, 0, 1, 0, 0, 51.2f, 0};
    const Matrix4 m = multiply(translation(-x, -y, 1024.0f), projection);
    return multiply(m, translation(2.0f * x / w, -2.0f * y / h, 0.0f));
}

}  // namespace Effect
