#include "effects/BuiltinEffectList.h"

#include "edit/model/Project.h"
#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/BuiltinEffects.h"
#include "effect/registry/EffectService.h"
#include "effects/basic/BasicTransform.h"
#include "effects/blur/BokashiFilter.h"
#include "effects/media/FigureLoad.h"
#include "effects/media/ImageLoad.h"
#include "effects/media/MovieLoad.h"
#include "effects/media/SceneLoad.h"
#include "render/audio/AudioEffects.h"
#include "render/output/OutputEffects.h"

#include "core/CoreTestSupport.h"
#include "effect/RegistryTestSupport.h"
#include "effects/EffectsTestSupport.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <typeinfo>

namespace {

using namespace EffectsTest;

// The object's first effect of that class.
template <class T>
T& effectOf(Edit::Object& object) {
    for (const auto& effect : object.effectList)
        if (auto* found = dynamic_cast<T*>(effect.get())) return *found;
    throw std::bad_cast();
}

class Registration : public EffectGpuTest {
protected:
    void SetUp() override {
        EffectGpuTest::SetUp();
        Render::installOutputEffects();
        Render::installAudioEffects();
        Effect::installBuiltinEffects();
    }
    void TearDown() override {
        for (const Effect::BuiltinEffect& row : Effect::builtinEffects())
            Effect::installBuiltinEffect(row.number, nullptr);
    }
    RegistryTest::Environment env;
};

TEST_F(Registration, EachEffectTakesItsRowAndDeclaresWhatTheRowSays) {
    int installed = 0;
    {
        Effect::EffectService service;
        for (const Effect::BuiltinEffect& row : Effect::builtinEffects()) {
            if (!Effect::installedBuiltinEffect(row.number)) continue;
            ++installed;
            SCOPED_TRACE(row.number);
            const Effect::EffectDefine& define = service.findEffect(row.name);
            EXPECT_EQ(define.order, row.number + 8);
            EXPECT_STREQ(define.prototype->name, row.name);
            EXPECT_EQ(define.prototype->effectType, row.kind);
            EXPECT_EQ(define.prototype->mediaType, row.media);
            // The time control and the scene change target the scene itself,
            // the camera control the camera's filters.
            const bool scene = row.number == 20 || row.number == 65;
            const std::uint8_t target = scene ? Effect::MediaKind::Scene
                                        : row.number == 19 ? Effect::MediaKind::Camera
                                                           : row.media;
            EXPECT_EQ(define.prototype->targetType, target);
            EXPECT_STREQ(define.prototype->category, row.category);
        }
        EXPECT_TRUE(env.errorBoxes().empty());

        // Instances share the prototype's resources; ids follow each other.
        const auto first = service.createEffect(L"ぼかし");
        const auto second = service.createEffect(L"ぼかし");
        const auto* a = dynamic_cast<Effect::BokashiFilter*>(first.get());
        const auto* b = dynamic_cast<Effect::BokashiFilter*>(second.get());
        ASSERT_TRUE(a && b);
        ASSERT_TRUE(a->common);
        EXPECT_EQ(a->common, b->common);
        EXPECT_EQ(a->common, service.getDefaultEffect<Effect::BokashiFilter>()->common);
        EXPECT_EQ(second->id, first->id + 1);
        EXPECT_EQ(first->name, service.findEffect(L"ぼかし").prototype->name);
    }
    EXPECT_GT(installed, 10);  // with the outputs of the rendering
    for (int number : {1, 2, 3, 5, 6, 7, 31, 73, 74, 75, 76})
        EXPECT_TRUE(Effect::installedBuiltinEffect(number)) << number;
    // The registry writes each kind's menu section back.
    EXPECT_EQ(env.settings.getValue("Effect.ぼかし", "order").text, "39");
    EXPECT_EQ(env.settings.getValue("Effect.座標", "order").text, "81");
    EXPECT_EQ(env.settings.getValue("Effect.テキスト", "order").text, "13");
    EXPECT_EQ(env.settings.getValue("Effect.図形", "order").text, "14");
    EXPECT_EQ(env.settings.getValue("Effect.回転", "label").text, "基本効果");
}

TEST_F(Registration, DestroyingOneInstanceLeavesTheOthersShadersWorking) {
    Effect::EffectService service;
    auto survivor = service.createEffect(L"ぼかし");
    service.createEffect(L"ぼかし").reset();
    auto& blur = dynamic_cast<Effect::BokashiFilter&>(*survivor);
    std::unique_ptr<Media::ResourceBuffer> result;
    blur.blur(result, picture(4, 4, [](UINT, UINT) { return Rgba{1, 1, 1, 1}; }), 1, 0.0f, 2);
    MediaTest::expectNear(pixel(*result, 0, 0), {1, 1, 1, 1});
}

TEST_F(Registration, AProjectHoldingEachEffectIsWrittenAndReadBackByteForByte) {
    Effect::EffectService service;
    CoreTest::TempFolder folder;
    const auto file = [&](const char* name) {
        const std::string path = (folder.path() / name).string();
        return std::wstring(path.begin(), path.end());
    };
    Edit::Project project(&service);
    project.getOrCreateScene(0);
    Edit::Scene& scene = *project.getOrCreateScene(1);
    Edit::ObjectPointer figure = scene.createObject(L"図形", 0, 0, 59);
    figure->addSection(30, nullptr);
    auto& shape = effectOf<Effect::FigureLoad>(*figure);
    shape.figure.value = 3;
    shape.size.fromString("80,120,40,直線移動,0");
    shape.color.fromString("12abef");
    shape.roundCorners.value = true;
    for (const wchar_t* name : {L"ぼかし", L"座標", L"拡大率", L"透明度", L"回転"})
        figure->addEffect(name, figure->getMidPointCount(), nullptr);
    effectOf<Effect::BokashiFilter>(*figure).range.fromString("12,3,7,直線移動,0");
    effectOf<Effect::BasicMove>(*figure).x.setValue(-12.25, 0);
    effectOf<Effect::BasicScale>(*figure).scale.setValue(150.125, 0);
    effectOf<Effect::BasicAlpha>(*figure).transparency.setValue(33.5, 0);
    effectOf<Effect::BasicAngle>(*figure).z.setValue(-720, 0);
    Edit::ObjectPointer svg = scene.createObject(L"図形", 2, 10, 20);
    effectOf<Effect::FigureLoad>(*svg).figure.setFilePath(L"/tmp/figures/star.svg");
    Edit::ObjectPointer image = scene.createObject(L"画像ファイル", 3, 0, 40);
    auto& still = effectOf<Effect::ImageLoad>(*image);
    still.file.path = L"/tmp/pictures/img_0003.png";
    still.sequence.value = true;
    still.number.fromString("1,20,直線移動,0");
    Edit::ObjectPointer movie = scene.createObject(L"動画ファイル", 4, 0, 40);
    auto& clip = effectOf<Effect::MovieLoad>(*movie);
    clip.file.path = L"/tmp/clips/a.avi";
    clip.position.setValue(1.5, 0);
    clip.position.setValue(7.25, 1);
    clip.speed.setValue(-150, 0);
    clip.loop.value = true;
    clip.yuv.range = 1;
    Edit::ObjectPointer sound = scene.createObject(L"音声ファイル", 5, 0, 40);
    effectOf<Effect::AudioLoad>(*sound).file.path = L"/tmp/clips/a.wav";
    Edit::ObjectPointer nested = scene.createObject(L"シーン", 6, 0, 40);
    auto& inner = effectOf<Effect::SceneLoad>(*nested);
    inner.scene.value = 0;
    inner.scene.fromString("2");
    inner.speed.setValue(200, 0);
    scene.updateLayerObject();

    Edit::Project::saveProjectFile(project, file("a.mvp2"));
    const std::string written = CoreTest::readBytes((folder.path() / "a.mvp2").string());
    for (const char* line : {"effect.name=図形\r\n図形の種類=三角形\r\nサイズ=80,120,40,直線移動,0\r\n",
                             "色=12abef\r\n角を丸くする=1\r\n", "effect.name=ぼかし\r\n範囲=12,3,7,直線移動,0\r\n",
                             "effect.name=座標\r\nX=-12.25\r\n", "拡大率=150.125\r\n", "透明度=33.50\r\n",
                             "Z=-720.00\r\n", "図形の種類=/tmp/figures/star.svg\r\n",
                             "effect.name=画像ファイル\r\nファイル=/tmp/pictures/img_0003.png\r\n"
                             "表示番号=1,20,直線移動,0\r\n連番ファイル=1\r\n",
                             "effect.name=動画ファイル\r\n再生位置=1.500,7.250,再生範囲,0\r\n再生速度=-150.00\r\n"
                             "ファイル=/tmp/clips/a.avi\r\nトラック=0\r\nループ再生=1\r\n",
                             "effect.name=音声ファイル\r\n再生位置=0.000,0.000,再生範囲,0\r\n",
                             "effect.name=シーン\r\n再生位置=0.000,0.000,再生範囲,0\r\n再生速度=200.00\r\n"
                             "シーン=2\r\nループ再生=0\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line;
    Edit::Project reloaded(&service);
    Edit::Project::loadProjectFile(reloaded, file("a.mvp2"));
    Edit::Project::saveProjectFile(reloaded, file("b.mvp2"));
    EXPECT_EQ(CoreTest::readBytes((folder.path() / "b.mvp2").string()), written);
}

}  // namespace
