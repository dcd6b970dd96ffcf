// Built-in effects rendered through the real walk and the program's
// standard drawing.
#include "effects/BuiltinEffectList.h"

#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/BuiltinEffects.h"
#include "effects/basic/BasicTransform.h"
#include "effects/media/FigureLoad.h"

#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

namespace {

// Installed before the fixture's registry is made.
struct InstalledEffects {
    InstalledEffects() { Effect::installBuiltinEffects(); }
    ~InstalledEffects() {
        for (const Effect::BuiltinEffect& row : Effect::builtinEffects())
            if (row.kind != Effect::EffectKind::Output && row.number != 60)
                Effect::installBuiltinEffect(row.number, nullptr);
    }
};

class WalkedEffects : public InstalledEffects, public WalkTest::WalkFixture {
protected:
    WalkedEffects() : WalkFixture(8, true) {}
};

TEST_F(WalkedEffects, AFigureIsMovedAndScaledByTheBasicEffects) {
    Edit::ObjectPointer object = scene().createObject(L"図形", 0, 0, 40);
    scene().updateLayerObject();
    auto& figure = dynamic_cast<Effect::FigureLoad&>(*object->effectList[0]);
    figure.figure.value = 2;  // 四角形, filled
    figure.size.setValue(8, 0);
    figure.color.fromString("ff0000");
    auto& move = dynamic_cast<Effect::BasicMove&>(*object->addEffect(L"座標", 0, nullptr));
    move.x.setValue(10, 0);
    auto& scale = dynamic_cast<Effect::BasicScale&>(*object->addEffect(L"拡大率", 0, nullptr));
    scale.scale.setValue(200, 0);

    const std::vector<MediaTest::Rgba> pixels = render(5);
    // 16 x 16 centred at (42, 18) of the 64 x 36 frame: columns 34 to 49,
    // rows 10 to 25; the enlarged picture is filtered, so its outermost
    // pixels are partly covered.
    MediaTest::expectNear(at(pixels, 36, 12), {1, 0, 0, 1});
    MediaTest::expectNear(at(pixels, 47, 23), {1, 0, 0, 1});
    EXPECT_GT(at(pixels, 34, 10)[3], 0.3f);
    EXPECT_GT(at(pixels, 49, 25)[3], 0.3f);
    EXPECT_LT(at(pixels, 33, 18)[3], 0.01f);
    EXPECT_LT(at(pixels, 50, 18)[3], 0.01f);
    EXPECT_LT(at(pixels, 42, 9)[3], 0.01f);
    EXPECT_LT(at(pixels, 42, 26)[3], 0.01f);
}

}  // namespace
