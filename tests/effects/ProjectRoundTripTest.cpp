// A project holding every built-in effect of this folder, with values away
// from their defaults, is written, read back and written again byte for
// byte.
#include "effects/audio/AudioFadeFilter.h"
#include "effects/audio/AudioMonoFilter.h"
#include "effects/audio/AudioVolume.h"
#include "effects/basic/BasicTransform.h"
#include "effects/control/GroupAudioControl.h"
#include "effects/control/GroupControl.h"
#include "effects/control/SceneChange.h"
#include "effects/control/TimeControl.h"
#include "effects/blur/BokashiFilter.h"
#include "effects/media/FigureLoad.h"
#include "effects/media/ImageLoad.h"
#include "effects/media/MovieLoad.h"
#include "effects/media/SceneLoad.h"

#include "edit/model/Project.h"
#include "effect/registry/EffectService.h"
#include "media/image/YUVformat.h"

#include "core/CoreTestSupport.h"
#include "effect/RegistryTestSupport.h"
#include "effects/EffectsTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProjectRoundTrip : public MediaTest::GpuTest {
protected:
    // The YUV items name their colour space from the program's table.
    ProjectRoundTrip() {
        System::IniFile config;
        config.loadMemory(CoreTest::readBytes(MOVANE2_SOURCE_DIR "/conf/system.conf").c_str());
        Media::YUVformat::InitializeColorTable(config);
    }
    std::string file(const char* name) const { return (folder.path() / name).string(); }
    static std::wstring wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }
    std::string save(const Edit::Project& project, const char* name) {
        Edit::Project::saveProjectFile(project, wide(file(name)));
        return CoreTest::readBytes(file(name));
    }
    template <class Kind>
    Kind& place(Edit::Scene& scene, const wchar_t* name, int layer, int start, int end) {
        Edit::ObjectPointer object = scene.createObject(name, layer, start, end);
        scene.updateLayerObject();
        return dynamic_cast<Kind&>(*object->effectList[0]);
    }
    template <class Kind>
    Kind& addFilter(Edit::Scene& scene, int layer, int frame, const wchar_t* name) {
        return dynamic_cast<Kind&>(*scene.getLayerObjectList(layer).getObjectAtFrame(frame)->addEffect(name, 0, nullptr));
    }

    EffectsTest::InstalledEffects installed;
    RegistryTest::Environment env;
    Effect::EffectService service;
    CoreTest::TempFolder folder;
};

TEST_F(ProjectRoundTrip, EveryBuiltInEffectIsWrittenAndReadBackByteForByte) {
    Edit::Project project(&service);
    project.getOrCreateScene(1)->name = L"中身";
    Edit::Scene& scene = *project.getOrCreateScene(0);

    auto& movie = place<Effect::MovieLoad>(scene, L"動画ファイル", 0, 0, 29);
    movie.file.path = L"/media/clip 1.avi";
    movie.position.setValue(0.25, 0);
    movie.position.setValue(1.5, 1);
    movie.speed.setValue(-150.5, 0);
    movie.track.value = 2;
    movie.loop.value = true;
    movie.withAudio.value = 1;
    movie.yuv.colorSpace = 2;
    movie.yuv.range = 1;
    auto& blur = addFilter<Effect::BokashiFilter>(scene, 0, 0, L"ぼかし");
    blur.range.setValue(12, 0);
    blur.fixedSize.value = true;

    auto& sound = place<Effect::AudioLoad>(scene, L"音声ファイル", 1, 0, 29);
    sound.file.path = L"/media/音.wav";
    sound.speed.setValue(80, 0);
    auto& volume = addFilter<Effect::AudioVolume>(scene, 1, 0, L"音量調整");
    volume.volume.setValue(55.5, 0);
    volume.pan.setValue(-20, 0);
    auto& fade = addFilter<Effect::AudioFadeFilter>(scene, 1, 0, L"音量フェード");
    fade.fadeIn.setValue(1.25, 0);
    fade.fadeOut.setValue(0, 0);
    addFilter<Effect::AudioMonoFilter>(scene, 1, 0, L"モノラル化").ratio.setValue(33.33, 0);

    auto& image = place<Effect::ImageLoad>(scene, L"画像ファイル", 2, 10, 40);
    image.file.path = L"/media/img_0003.png";
    image.number.setValue(7, 0);
    image.sequence.value = true;
    addFilter<Effect::BasicMove>(scene, 2, 10, L"座標").x.setValue(-12.5, 0);
    addFilter<Effect::BasicScale>(scene, 2, 10, L"拡大率").scale.setValue(250, 0);
    addFilter<Effect::BasicAlpha>(scene, 2, 10, L"透明度").transparency.setValue(40, 0);
    addFilter<Effect::BasicAngle>(scene, 2, 10, L"回転").z.setValue(-30, 0);

    auto& figure = place<Effect::FigureLoad>(scene, L"図形", 3, 0, 9);
    figure.figure.value = 3;
    figure.size.setValue(64, 0);
    figure.aspect.setValue(-25.5, 0);
    figure.lineWidth.setValue(6, 0);
    figure.color.fromString("12ab34");
    figure.roundCorners.value = true;

    auto& nested = place<Effect::SceneLoad>(scene, L"シーン", 4, 5, 50);
    nested.scene.value = 1;
    nested.speed.setValue(200, 0);
    nested.loop.value = true;

    auto& pictures = place<Effect::GroupControl>(scene, L"グループ制御", 7, 0, 60);
    pictures.x.setValue(-40, 0);
    pictures.rotationZ.setValue(15.5, 0);
    pictures.scale.setValue(80, 0);
    pictures.layerRange.value = 2;
    auto& group = place<Effect::GroupAudioControl>(scene, L"グループ制御(音声)", 5, 0, 60);
    group.volume.setValue(150, 0);
    group.pan.setValue(-12.25, 0);
    group.layerRange.value = 3;
    auto& time = place<Effect::TimeControl>(scene, L"時間制御(オブジェクト)", 6, 10, 30);
    time.position.setValue(42.125, 1);
    time.repeat.value = 3;
    time.drop.value = 2;
    time.layerRange.value = 1;

    auto& change = place<Effect::SceneChange>(scene, L"シーンチェンジ", 8, 20, 29);
    change.type.value = 5;
    change.angle.setValue(45, 0);
    change.invert.value = true;
    change.keepAspect.value = false;

    const std::string written = save(project, "a.mvp2");
    for (const char* line : {"effect.name=動画ファイル", "effect.name=音声ファイル", "effect.name=画像ファイル",
                             "effect.name=図形", "effect.name=シーン", "effect.name=ぼかし", "effect.name=座標",
                             "effect.name=拡大率", "effect.name=透明度", "effect.name=回転",
                             "effect.name=音量調整", "effect.name=音量フェード", "effect.name=モノラル化",
                             "effect.name=グループ制御(音声)", "effect.name=時間制御(オブジェクト)", "effect.name=グループ制御", "effect.name=シーンチェンジ", "種類=スライド",
                             "ファイル=/media/clip 1.avi", "ファイル=/media/音.wav"})
        EXPECT_NE(written.find(std::string(line) + "\r\n"), std::string::npos) << line;

    Edit::Project reloaded(&service);
    Edit::Project::loadProjectFile(reloaded, wide(file("a.mvp2")));
    EXPECT_EQ(save(reloaded, "b.mvp2"), written);
}

}  // namespace
