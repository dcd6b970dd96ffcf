// Media objects on the timeline: their length fitted to the media, the
// media kept in place when they are split or resized, the sound separated
// per track, and the information tooltip.
#include "effects/media/MovieLoad.h"
#include "effects/media/SceneLoad.h"

#include "core/event/EventService.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/registry/EffectService.h"
#include "effects/base/InfoTip.h"
#include "plugin/input/InputService.h"
#include "render/cache/CacheService.h"
#include "render/cache/SceneSource.h"

#include "effect/RegistryTestSupport.h"
#include "effects/EffectsTestSupport.h"
#include "media/MediaFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Effect::EffectEvent;

std::wstring wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

// The project's scenes, as the render service hands them to the caches.
class ProjectScenes : public Cache::SceneSource {
public:
    explicit ProjectScenes(Edit::EditService& edit) : edit_(edit) { Cache::setSceneSource(this); }
    ~ProjectScenes() override { Cache::setSceneSource(nullptr); }
    Edit::Scene* getScene(int id) const override { return edit_.project.getScene(id).get(); }
    void createSceneImage(Edit::Scene&, int, ImageDone done) override { done(nullptr); }
    void createSceneAudioBlock(Edit::Scene&, int, AudioDone done) override { done(nullptr); }
    bool isBusy() const override { return false; }

private:
    Edit::EditService& edit_;
};

class MediaTimeline : public MediaTest::GpuTest {
protected:
    MediaTimeline() {
        scene().videoRate = 10;
        scene().videoScale = 1;
        Effect::setInfoTipShower([this](const std::wstring& text) { tips.push_back(text); });
    }
    ~MediaTimeline() override { Effect::setInfoTipShower(nullptr); }

    Edit::Scene& scene() { return *edit.getCurrentScene(); }

    Edit::ObjectPointer place(const wchar_t* kind, int start, int end, int layer = 0) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        return scene().createObject(kind, layer, start, end);
    }
    // The event sent to the object's input effect inside a scope of its own.
    bool send(const Edit::ObjectPointer& object, EffectEvent event) {
        Edit::EditScope scope(edit);
        event.scope = &scope;
        event.object = object.get();
        event.effect = object->effectList[0];
        const bool handled = event.effect->effectEvent(event);
        flags = {scope.notifyObjectUpdate, scope.refreshTimeSetting, scope.refreshSetting,
                 scope.refreshColorSetting, scope.resortLayers};
        return handled;
    }
    bool drop(const Edit::ObjectPointer& object, const std::wstring& path) {
        EffectEvent event;
        event.code = EffectEvent::FileDropped;
        event.path = path.c_str();
        return send(object, event);
    }
    bool changed(const Edit::ObjectPointer& object, Effect::EffectItem& item) {
        EffectEvent event;
        event.code = EffectEvent::ItemChanged;
        event.item = &item;
        return send(object, event);
    }
    bool moved(const Edit::ObjectPointer& object, int code, int oldFrame) {
        EffectEvent event;
        event.code = code;
        event.frame = oldFrame;
        return send(object, event);
    }
    static Effect::MovieLoad& movieOf(const Edit::ObjectPointer& object) {
        return dynamic_cast<Effect::MovieLoad&>(*object->effectList[0]);
    }
    static std::pair<int, int> frames(const Edit::ObjectPointer& object) { return {object->start, object->end}; }
    static std::pair<double, double> range(const Effect::EffectItemNumber& position) {
        return {position.values.at(0) / static_cast<double>(position.scale),
                position.values.at(1) / static_cast<double>(position.scale)};
    }

    // Two seconds at 10 fps, with two channels of 8 kHz sound when asked.
    std::wstring makeMovie(bool sound, const std::string& name = "movie.avi") {
        const std::string path = folder.file(name);
        std::string arguments = "-f lavfi -i color=c=black:s=4x4:r=10:d=2 ";
        if (sound) arguments += "-f lavfi -i sine=frequency=440:sample_rate=8000:duration=2 -ac 2 -c:a pcm_s16le ";
        EXPECT_TRUE(MediaTest::ffmpeg(arguments + "-c:v rawvideo -pix_fmt bgr24 " + path));
        return wide(path);
    }

    EffectsTest::InstalledEffects installed;
    RegistryTest::Environment env;
    // The process-wide services, which the effects consult for the edit
    // settings.
    System::Singleton<Effect::EffectService> serviceHolder;
    Effect::EffectService& service = *System::Singleton<Effect::EffectService>::getInstance();
    System::Singleton<Event::EventService> events;
    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *System::Singleton<Edit::EditService>::getInstance();
    ProjectScenes scenes{edit};
    Plugin::InputService input;
    System::Singleton<Cache::CacheService> cache;
    MediaTest::TempFolder folder;
    std::vector<std::wstring> tips;
    std::vector<bool> flags;
};

TEST_F(MediaTimeline, ADroppedMovieFitsTheObjectToItsLengthAtItsSpeed) {
    const std::wstring path = makeMovie(true);
    struct Case {
        double speed;
        std::pair<int, int> frames;
    };
    // Two seconds in a 10 fps scene; speeds at or below 10 % never fit.
    for (const Case& k : {Case{100, {0, 19}}, Case{200, {0, 9}}, Case{-100, {0, 19}}, Case{10, {0, 199}},
                          Case{5, {0, 99}}, Case{0, {0, 99}}}) {
        SCOPED_TRACE(k.speed);
        Edit::ObjectPointer object = place(L"動画ファイル", 0, 99);
        movieOf(object).speed.setValue(k.speed, 0);
        EXPECT_TRUE(drop(object, path));
        EXPECT_EQ(frames(object), k.frames);
        EXPECT_EQ(range(movieOf(object).position), std::make_pair(0.0, 2.0));
        EXPECT_EQ(movieOf(object).withAudio.value, 1);
        EXPECT_EQ(movieOf(object).getTrackCount(0), 1);
        scene().getLayerObjectListGrow(0).removeObject(*object);
    }
}

TEST_F(MediaTimeline, NoFitWhileMidPointsAnimatedSpeedsOrLoopsRule) {
    const std::wstring path = makeMovie(true);
    // With mid-points the drop does not read the file: no sound is known.
    Edit::ObjectPointer split = place(L"動画ファイル", 0, 99);
    split->addSection(50, nullptr);
    EXPECT_TRUE(drop(split, path));
    EXPECT_EQ(frames(split), std::make_pair(0, 99));
    EXPECT_EQ(movieOf(split).withAudio.value, 0);

    // So with a loop, until the file is chosen again.
    Edit::ObjectPointer looped = place(L"動画ファイル", 0, 99, 1);
    movieOf(looped).loop.value = true;
    EXPECT_TRUE(drop(looped, path));
    EXPECT_EQ(frames(looped), std::make_pair(0, 99));
    EXPECT_EQ(movieOf(looped).withAudio.value, 0);
    EXPECT_TRUE(changed(looped, movieOf(looped).file));
    EXPECT_EQ(frames(looped), std::make_pair(0, 99));
    EXPECT_EQ(movieOf(looped).withAudio.value, 1);

    Edit::ObjectPointer animated = place(L"動画ファイル", 0, 99, 2);
    movieOf(animated).speed.setMovement(*service.findMovement(L"直線移動").prototype);
    EXPECT_TRUE(drop(animated, path));
    EXPECT_EQ(frames(animated), std::make_pair(0, 99));

    // A file that does not open is cleared and reported.
    Edit::ObjectPointer refused = place(L"動画ファイル", 0, 99, 3);
    movieOf(refused).file.path = wide(folder.file("none.avi"));
    EXPECT_FALSE(changed(refused, movieOf(refused).file));
    EXPECT_TRUE(movieOf(refused).file.path.empty());
    EXPECT_EQ(movieOf(refused).withAudio.value, 0);
    EXPECT_EQ(frames(refused), std::make_pair(0, 99));
}

TEST_F(MediaTimeline, ANewSpeedRefitsTheLengthAsOneUndoStep) {
    Edit::ObjectPointer object = place(L"動画ファイル", 0, 99);
    movieOf(object).file.path = makeMovie(false);
    ASSERT_TRUE(changed(object, movieOf(object).file));
    ASSERT_EQ(frames(object), std::make_pair(0, 19));
    EXPECT_EQ(movieOf(object).withAudio.value, 0);

    // Another object at frame 30 bounds the growth.
    place(L"動画ファイル", 30, 40);
    movieOf(object).speed.setValue(50, 0);
    EXPECT_TRUE(changed(object, movieOf(object).speed));
    EXPECT_EQ(frames(object), std::make_pair(0, 29));
    EXPECT_EQ(flags, (std::vector<bool>{true, true, true, true, true}));
    Undo::UndoService& undo = *System::Singleton<Undo::UndoService>::getInstance();
    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(frames(scene().getLayerObjectList(0).getObjectAtFrame(0)), std::make_pair(0, 19));

    // A speed too slow to fit leaves the length.
    movieOf(object).speed.setValue(5, 0);
    EXPECT_FALSE(changed(object, movieOf(object).speed));
}

TEST_F(MediaTimeline, ASplitKeepsEachHalfOnTheSecondsItShowed) {
    // Splitting re-bases even with the range fixed for resizes.
    edit.fixedMovieTimeRange = 1;
    Edit::ObjectPointer object = place(L"動画ファイル", 0, 99);
    ASSERT_TRUE(drop(object, makeMovie(false)));
    ASSERT_EQ(frames(object), std::make_pair(0, 19));
    struct Case {
        double speed;
        std::pair<double, double> left, right;
    };
    // Cut at frame 8 of a two-second clip: forwards the left half plays
    // 0 to 0.8 and the right from 0.8; backwards the right half plays the
    // first 1.2 seconds (from its end down) and the left the rest.
    for (const Case& k : {Case{100, {0, 0.8}, {0.8, 2}}, Case{-100, {1.2, 2}, {0, 1.2}}}) {
        SCOPED_TRACE(k.speed);
        movieOf(object).speed.setValue(k.speed, 0);
        movieOf(object).position.setValue(0, 0);
        movieOf(object).position.setValue(2, 1);
        Edit::Object left(&service), right(&service);
        ASSERT_TRUE(object->splitObject(8, left, right, scene()));
        for (Edit::Object* part : {&left, &right}) {
            Edit::EditScope scope(edit);
            EffectEvent event;
            event.code = EffectEvent::ObjectSplit;
            event.scope = &scope;
            event.object = part;
            event.effect = part->effectList[0];
            event.previousObject = object.get();
            EXPECT_TRUE(event.effect->effectEvent(event));
        }
        EXPECT_EQ(range(dynamic_cast<Effect::MovieLoad&>(*left.effectList[0]).position), k.left);
        EXPECT_EQ(range(dynamic_cast<Effect::MovieLoad&>(*right.effectList[0]).position), k.right);
    }
}

TEST_F(MediaTimeline, AResizeMovesTheRangeAndNeverOutgrowsTheMedia) {
    Edit::ObjectPointer object = place(L"動画ファイル", 0, 99);
    ASSERT_TRUE(drop(object, makeMovie(false)));
    Effect::MovieLoad& movie = movieOf(object);

    // The end dragged beyond the media snaps back to its length.
    object->end = 29;
    EXPECT_TRUE(moved(object, EffectEvent::EndMoved, 19));
    EXPECT_EQ(frames(object), std::make_pair(0, 19));
    EXPECT_EQ(range(movie.position), std::make_pair(0.0, 2.0));
    // Shorter stays as dragged, the range ending where the object ends.
    object->end = 14;
    EXPECT_TRUE(moved(object, EffectEvent::EndMoved, 19));
    EXPECT_EQ(frames(object), std::make_pair(0, 14));
    EXPECT_EQ(range(movie.position), std::make_pair(0.0, 1.5));
    // The start moved in: the first frame shows the second it showed.
    object->start = 5;
    EXPECT_TRUE(moved(object, EffectEvent::StartMoved, 0));
    EXPECT_EQ(frames(object), std::make_pair(5, 14));
    EXPECT_EQ(range(movie.position), std::make_pair(0.5, 1.5));
    // Undo of the resize step gives the range back.
    Undo::UndoService& undo = *System::Singleton<Undo::UndoService>::getInstance();
    undo.undo();
    EXPECT_EQ(range(movie.position), std::make_pair(0.0, 1.5));
    // With the range fixed by the user a resize leaves both values.
    edit.fixedMovieTimeRange = 1;
    object->end = 9;
    EXPECT_FALSE(moved(object, EffectEvent::EndMoved, 14));
    EXPECT_EQ(range(movie.position), std::make_pair(0.0, 1.5));
    EXPECT_EQ(frames(object), std::make_pair(5, 9));
}

TEST_F(MediaTimeline, SeparatedSoundTakesItsTrackAndTheWaveformFollowsTheAudioPosition) {
    Edit::ObjectPointer object = place(L"動画ファイル", 0, 99);
    ASSERT_TRUE(drop(object, makeMovie(true)));
    Effect::MovieLoad& movie = movieOf(object);
    EXPECT_EQ(movie.getTrackCount(1), 1);
    EffectEvent separated;
    separated.code = EffectEvent::AudioSplit;
    separated.track = 2;
    EXPECT_FALSE(send(object, separated));
    EXPECT_EQ(movie.track.value, 2);
    EXPECT_EQ(movie.getTrackIndex(), 0);  // a one-track file reads its only track

    // 128 waveform values a second: from 0.5 s at 100 %, frame 7 of the
    // 10 fps scene is 1.2 s into the file.
    movie.position.setValue(0.5, 0);
    EffectsTest::LoneObjectContext lone(7);
    lone.context.scene = &scene();
    lone.context.updateSectionPosition();
    EXPECT_FLOAT_EQ(movie.getWaveformPosition(lone.context), 1.2f * 128.0f);
    // The waveform comes from the cache without waiting; the file has sound.
    Effect::MovieLoad silent;
    silent.file.path = makeMovie(false, "silent.avi");
    EXPECT_FALSE(silent.getWaveform());
}

TEST_F(MediaTimeline, TheInformationTooltipDescribesTheSource) {
    const std::wstring path = makeMovie(true);
    Edit::ObjectPointer object = place(L"動画ファイル", 0, 99);
    EffectEvent show;
    show.code = EffectEvent::ShowInfo;
    EXPECT_FALSE(send(object, show));  // no file
    movieOf(object).file.path = path;
    EXPECT_TRUE(send(object, show));
    Edit::ObjectPointer sound = place(L"音声ファイル", 0, 99, 1);
    dynamic_cast<Effect::AudioLoad&>(*sound->effectList[0]).file.path = path;
    EXPECT_TRUE(send(sound, show));
    movieOf(object).file.path = wide(folder.file("gone.avi"));
    EXPECT_TRUE(send(object, show));
    ASSERT_EQ(tips.size(), 3u);
    EXPECT_EQ(tips[0], path + L"\nTotalTime: 00:00:02\nVideo: 4 x 4 / 10fps / RGB24bit\n"
                              L"Audio: 8khz / 2ch / PCM16bit\nPlugin: AVI/AVI2 File Reader");
    EXPECT_EQ(tips[1], path + L"\nTotalTime: 00:00:02\nVideo: 4 x 4 / 10fps / RGB24bit\n"
                              L"Audio: 8khz / 2ch / PCM16bit\nPlugin: AVI/AVI2 File Reader");
    EXPECT_EQ(tips[2], wide(folder.file("gone.avi")));
}

TEST_F(MediaTimeline, AChosenSceneFitsTheObjectToTheSceneAtItsSpeed) {
    // Scene 1: frames 0 to 299 at 30 fps, ten seconds.
    const Edit::ScenePointer& nested = edit.project.getOrCreateScene(1);
    nested->videoRate = 30;
    nested->videoScale = 1;
    nested->totalLength = 299;
    scene().videoRate = 30;
    for (const auto& [speed, end] : {std::pair{100.0, 299}, std::pair{200.0, 149}}) {
        SCOPED_TRACE(speed);
        Edit::ObjectPointer object = place(L"シーン", 0, 9);
        auto& source = dynamic_cast<Effect::SceneLoad&>(*object->effectList[0]);
        source.speed.setValue(speed, 0);
        source.scene.value = 1;
        EXPECT_TRUE(changed(object, source.scene));
        EXPECT_EQ(frames(object), std::make_pair(0, end));
        scene().getLayerObjectListGrow(0).removeObject(*object);
    }
    // A missing scene leaves the object as it is.
    Edit::ObjectPointer object = place(L"シーン", 0, 9);
    auto& source = dynamic_cast<Effect::SceneLoad&>(*object->effectList[0]);
    source.scene.value = 7;
    EXPECT_FALSE(changed(object, source.scene));
    EXPECT_EQ(frames(object), std::make_pair(0, 9));
}

}  // namespace
