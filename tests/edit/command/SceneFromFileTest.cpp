#include "edit/command/SceneFromFile.h"

#include "edit/command/CommandTestSupport.h"
#include "edit/command/FakeDialogs.h"
#include "effect/base/EffectEvent.h"
#include "effect/registry/MediaFileProbe.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Info = Effect::MediaFileProbe::Info;

// Media files by extension; anything else does not open.
class FakeProbe : public Effect::MediaFileProbe {
public:
    FakeProbe() { Effect::setMediaFileProbe(this); }
    ~FakeProbe() override { Effect::setMediaFileProbe(nullptr); }

    bool isMediaExtension(const std::wstring& extension) const override { return files.contains(extension); }
    bool getInfo(const std::wstring& path, int, Info& out) const override {
        const auto found = files.find(System::FileName::getExtension(path.c_str()));
        if (found == files.end()) return false;
        out = found->second;
        return true;
    }
    bool probe(const wchar_t* path, Streams& out) const override {
        Info info;
        if (!getInfo(path, 0, info)) return false;
        out.video = info.video;
        out.audio = info.audio;
        out.frameCount = info.frameCount;
        return true;
    }

    std::map<std::wstring, Info> files;
};

// An image input that keeps the files dropped on it.
class Picture : public Effect::EffectBase {
public:
    Picture() : EffectBase(L"画像ファイル", Effect::EffectKind::Input, Effect::MediaKind::Video,
                           Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Picture>(); }
    bool effectEvent(Effect::EffectEvent& event) override {
        if (event.code == Effect::EffectEvent::FileDropped && event.object && event.effect.get() == this)
            dropped.push_back(event.path);
        return true;
    }
    std::vector<std::wstring> dropped;
};

class SceneFromFile : public ::testing::Test, public CommandTest::Fixture {
protected:
    SceneFromFile() {
        registry.service.registerEffect<Picture>();
        Info wav;
        wav.audio = true;
        wav.sampleRate = 44100;
        Info movie;
        movie.video = movie.audio = true;
        movie.frameCount = 300;
        movie.width = 640;
        movie.height = 480;
        movie.rate = 30000;
        movie.scale = 1001;
        movie.sampleRate = 48000;
        Info still;
        still.video = true;
        still.frameCount = 1;
        still.width = 800;
        still.height = 600;
        probe.files = {{L"wav", wav}, {L"avi", movie}, {L"svg", still}, {L"png", still}};
    }

    // Name, size, rate and sampling rate of a scene dialog's proposal.
    static std::string proposal(const Dialog::SceneDialogValues& v) {
        return System::String::toUtf8(v.name.value_or(L"")) + " " + std::to_string(v.width.value_or(0)) + "x" +
               std::to_string(v.height.value_or(0)) + " " + std::to_string(v.rate.value_or(0)) + "/" +
               std::to_string(v.scale.value_or(0)) + " " + std::to_string(v.audioRate.value_or(0));
    }

    FakeProbe probe;
    CommandTest::FakeDialogs dialogs;
};

TEST_F(SceneFromFile, TheNewSceneIsProposedFromTheFile) {
    scene().audioRate = 22050;
    dialogs.scenes = {true, true, true};
    ASSERT_TRUE(Edit::EditCommand::createSceneFromFile(edit, L"/media/voice.take.wav"));
    EXPECT_EQ(edit.project.currentSceneId, 1);
    EXPECT_EQ(objectLines(), Lines{"0 0,80"});
    EXPECT_EQ(scene().getLayerObjectList(0).objects.at(0)->effectList.front()->name, std::wstring(L"音声ファイル"));
    ASSERT_TRUE(Edit::EditCommand::createSceneFromFile(edit, L"/media/clip.avi"));
    ASSERT_TRUE(Edit::EditCommand::createSceneFromFile(edit, L"/media/logo.svg"));
    ASSERT_EQ(dialogs.proposed.size(), 3u);
    EXPECT_EQ(proposal(dialogs.proposed[0]), "voice.take 32x32 1/1 44100");
    EXPECT_EQ(proposal(dialogs.proposed[1]), "clip 640x480 30000/1001 48000");
    EXPECT_EQ(proposal(dialogs.proposed[2]), "logo 256x256 1/1 48000");
    // The new media object is told of its file.
    const auto& picture =
        static_cast<const Picture&>(*scene().getLayerObjectList(0).objects.at(0)->effectList.front());
    EXPECT_EQ(picture.dropped, std::vector<std::wstring>{L"/media/logo.svg"});
}

TEST_F(SceneFromFile, UnsupportedFilesAndCancelledDialogsMakeNoScene) {
    // A name holding a line break or a NUL could be written neither as the
    // object's file nor as the scene's name: refused before anything asks.
    for (const std::wstring& path : {std::wstring(L"/media/notes.doc"), std::wstring(L"/media/two\nlines.avi"),
                                     std::wstring(L"/media/end.wav\r"), std::wstring(L"/me\ndia/logo.svg"),
                                     std::wstring(L"/media/a\0b.png", 14)})
        EXPECT_FALSE(Edit::EditCommand::createSceneFromFile(edit, path));
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(edit.project.scenes.size(), 1u);
    dialogs.scenes = {false};
    EXPECT_FALSE(Edit::EditCommand::createSceneFromFile(edit, L"/media/clip.avi"));
    EXPECT_EQ(edit.project.scenes.size(), 1u);
    EXPECT_EQ(edit.project.currentSceneId, 0);
}

TEST_F(SceneFromFile, AMovieSetsTheCurrentSceneAndAnythingElseDoesNot) {
    Edit::EditCommand::updateSceneSetting(edit, L"/media/still.png");
    Edit::EditCommand::updateSceneSetting(edit, L"/media/voice.wav");
    EXPECT_EQ(std::tuple(scene().width, scene().height, scene().videoRate, scene().videoScale),
              std::tuple(1920, 1080, 30, 1));
    EXPECT_TRUE(registry.env.infoLines("Edit::EditService::updateSceneSetting").empty());

    Edit::EditCommand::updateSceneSetting(edit, L"/media/clip.avi");
    EXPECT_EQ(std::tuple(scene().width, scene().height, scene().videoRate, scene().videoScale, scene().audioRate),
              std::tuple(640, 480, 30000, 1001, 48000));
    EXPECT_EQ(registry.env.infoLines("Edit::EditService::updateSceneSetting"), Lines{"update scnene setting"});

    // A file that reports no usable rate leaves the scene's own.
    probe.files[L"avi"].rate = 0;
    probe.files[L"avi"].width = 320;
    scene().videoRate = 25;
    Edit::EditCommand::updateSceneSetting(edit, L"/media/clip.avi");
    EXPECT_EQ(std::tuple(scene().width, scene().videoRate, scene().videoScale), std::tuple(320, 25, 1001));
}

}  // namespace
