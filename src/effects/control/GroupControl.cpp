#include "effects/control/GroupControl.h"

#include "edit/model/Scene.h"
#include "effect/base/TransformMatrix.h"
#include "effects/control/ControlCategory.h"
#include "media/gpu/RenderBuffer.h"
#include "render/context/ControlStateLookup.h"
#include "render/context/ObjectContext.h"

namespace Effect {

using namespace Transform;

GroupControl::GroupControl()
    : BuiltinClass(Name, EffectKind::Control, MediaKind::Video, MediaKind::Video, objectControlCategory),
      x(items, L"X", 0, -100000, 100000, 0.01),
      y(items, L"Y", 0, -100000, 100000, 0.01),
      z(items, L"Z", 0, -100000, 100000, 0.01),
      group(items, L"Group", {&x, &y, &z}, true),
      rotationX(items, L"X軸回転", 0, -3600, 3600, 0.01),
      rotationY(items, L"Y軸回転", 0, -3600, 3600, 0.01),
      rotationZ(items, L"Z軸回転", 0, -3600, 3600, 0.01),
      scale(items, L"拡大率", 100, 0, 10000, 0.001),
      layerRange(items, L"対象レイヤー数", 0) {
    anchorItems = &group;
    zoomItem = &scale;
}

OutputView GroupControl::getOutputView(Render::ObjectContext& context) {
    OutputView view = context.view;
    view.x += static_cast<float>(x.getValue(context));
    view.y += static_cast<float>(y.getValue(context));
    view.z += static_cast<float>(z.getValue(context));
    return view;
}

void GroupControl::controlVideo(Render::ObjectContext& context) {
    auto value = [&](const EffectItemNumber& item) { return static_cast<float>(item.getValue(context)); };
    const float px = value(x);
    const float py = value(y);
    const float pz = value(z);
    const float ax = value(rotationX);
    const float ay = value(rotationY);
    const float az = value(rotationZ);
    const float percent = value(scale);
    const float k = percent * 0.01f;
    Matrix4 own = multiply(Transform::rotationZ(az), Transform::rotationY(ay));
    own = multiply(own, Transform::rotationX(ax));
    own = multiply(own, scaling(k, k, k));
    own = multiply(own, translation(px, py, pz));
    const auto ownFlat = [&] { return percent == 100.0f && pz == 0.0f && ax == 0.0f && ay == 0.0f && az == 0.0f; };

    // While the walk runs this, the context's group is the enclosing one.
    if (const GroupControlState* parent = Render::getGroupControlState(context.view.groupControl.get())) {
        worldMatrix = multiply(own, parent->worldMatrix);
        viewMatrix = parent->viewMatrix;
        snapAllowed = parent->snapAllowed && ownFlat();
        return;
    }
    worldMatrix = own;
    int width = context.scene ? context.scene->width : 1;
    int height = context.scene ? context.scene->height : 1;
    if (context.view.target) {
        width = context.view.target->getWidth();
        height = context.view.target->getHeight();
    }
    // The default camera at distance 1024 with its vanishing point at the
    // group's position: points at z = 0 keep their pixel size.
    OutputView centre;
    centre.x = px;
    centre.y = py;
    viewMatrix = centre.getScreenMatrix(width, height);
    snapAllowed = ownFlat();
}

}  // namespace Effect
