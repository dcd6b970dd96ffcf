// Media files whose names hold a line break (legal here), dropped on the
// media objects, chosen for them or made into a scene of their own: refused
// where they enter, so the project still saves as it did.
#include "effects/media/FigureLoad.h"
#include "effects/media/ImageLoad.h"
#include "effects/media/MovieLoad.h"

#include "core/event/EventService.h"
#include "core/text/StringConvert.h"
#include "edit/command/SceneFromFile.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/registry/EffectService.h"
#include "plugin/input/InputService.h"
#include "render/cache/CacheService.h"

#include "core/CoreTestSupport.h"
#include "edit/command/FakeDialogs.h"
#include "effect/RegistryTestSupport.h"
#include "effects/EffectsTestSupport.h"
#include "media/MediaFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Effect::EffectEvent;

std::wstring wide(const std::string& path) { return System::String::toWide(path); }

// One media object per kind, each on its own layer with a file of its kind.
struct Kind {
    const wchar_t* effect;
    const char* file;
    const char* key;    // the file's key in the project
    const char* reset;  // the key's value once a chosen file was refused
};
const Kind kKinds[] = {
    {L"動画ファイル", "clip.avi", "ファイル", ""},
    {L"音声ファイル", "tone.wav", "ファイル", ""},
    {L"画像ファイル", "still.png", "ファイル", ""},
    {L"図形", "shape.svg", "図形の種類", "円"},
};

class FileEntry : public MediaTest::GpuTest {
protected:
    FileEntry() {
        EXPECT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=black:s=4x4:r=10:d=2 -c:v rawvideo -pix_fmt bgr24 " +
                                      folder.file("clip.avi")));
        EXPECT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=8000:duration=1 -c:a pcm_s16le " +
                                      folder.file("tone.wav")));
        EXPECT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=red:s=2x2 -frames:v 1 -pix_fmt rgba " +
                                      folder.file("still.png")));
        CoreTest::writeBytes(folder.file("shape.svg"),
                             "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10' width='10' height='10'>"
                             "<rect width='10' height='10'/></svg>");
        int layer = 0;
        for (const Kind& kind : kKinds) {
            Edit::ObjectPointer object;
            {
                Edit::EditScope scope(edit);
                scope.resortLayers = true;
                object = edit.getCurrentScene()->createObject(kind.effect, layer++, 0, 19);
            }
            objects.push_back(object);
            EXPECT_TRUE(send(object, EffectEvent::FileDropped, path(kind.file)));
        }
    }

    std::wstring path(const std::string& name) const { return wide(folder.file(name)); }
    // A copy of a file under a name holding the given break.
    std::wstring brokenCopy(const std::string& name, const std::string& lineBreak) const {
        const std::string copy = folder.file("two" + lineBreak + "lines " + name);
        std::filesystem::copy_file(folder.file(name), copy, std::filesystem::copy_options::overwrite_existing);
        return wide(copy);
    }
    // The event sent to the object's input effect inside a scope of its own.
    bool send(const Edit::ObjectPointer& object, int code, const std::wstring& file = {}) {
        Edit::EditScope scope(edit);
        EffectEvent event;
        event.code = code;
        event.scope = &scope;
        event.object = object.get();
        event.effect = object->effectList[0];
        event.path = file.c_str();
        event.item = &fileItem(object);
        return event.effect->effectEvent(event);
    }
    // The input effect's item holding its file.
    static Effect::EffectItem& fileItem(const Edit::ObjectPointer& object) {
        for (Effect::EffectItem* item : object->effectList[0]->items)
            if (item->getFilePath()) return *item;
        throw std::logic_error("no file item");
    }
    static std::wstring fileOf(const Edit::ObjectPointer& object) { return fileItem(object).getFilePath(); }
    // The project as saved through the edit service; empty when it fails.
    std::string saved() {
        const std::string file = folder.file("project.mvp2");
        std::filesystem::remove(file);
        if (!edit.saveProject(wide(file), true)) return {};
        return CoreTest::readBytes(file);
    }

    EffectsTest::InstalledEffects installed;
    RegistryTest::Environment env;
    System::Singleton<Effect::EffectService> serviceHolder;
    System::Singleton<Event::EventService> events;
    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *System::Singleton<Edit::EditService>::getInstance();
    Plugin::InputService input;
    System::Singleton<Cache::CacheService> cache;
    CommandTest::FakeDialogs dialogs;
    MediaTest::TempFolder folder;
    std::vector<Edit::ObjectPointer> objects;
};

TEST_F(FileEntry, DroppedNamesHoldingALineBreakAreRefusedAndTheProjectSavesAsBefore) {
    const std::string before = saved();
    ASSERT_FALSE(before.empty());
    for (std::size_t k = 0; k < objects.size(); ++k) {
        const Kind& kind = kKinds[k];
        EXPECT_NE(before.find(std::string(kind.key) + "=" + folder.file(kind.file) + "\r\n"), std::string::npos);
        for (const std::string lineBreak : {"\n", "\r", "\r\n"}) {
            SCOPED_TRACE(System::String::toUtf8(kind.effect) + " " + std::to_string(lineBreak.size()));
            EXPECT_FALSE(send(objects[k], EffectEvent::FileDropped, brokenCopy(kind.file, lineBreak)));
            EXPECT_EQ(fileOf(objects[k]), path(kind.file));
        }
    }
    EXPECT_EQ(saved(), before);
}

TEST_F(FileEntry, ChosenNamesHoldingALineBreakAreRefusedLikeFilesThatDoNotOpen) {
    std::string expected = saved();
    ASSERT_FALSE(expected.empty());
    for (std::size_t k = 0; k < objects.size(); ++k) {
        const Kind& kind = kKinds[k];
        SCOPED_TRACE(System::String::toUtf8(kind.effect));
        // The row stores the chosen name as it stands and reports the change.
        Effect::EffectItem& item = fileItem(objects[k]);
        const std::wstring chosen = brokenCopy(kind.file, "\n");
        if (auto* file = dynamic_cast<Effect::EffectItemFile*>(&item)) {
            file->path = chosen;
        } else {
            auto& figure = dynamic_cast<Effect::EffectItemComboFile&>(item);
            figure.path = chosen;
            figure.value = -1;
        }
        EXPECT_FALSE(send(objects[k], EffectEvent::ItemChanged));
        EXPECT_EQ(fileOf(objects[k]), L"");
        const std::string line = std::string(kind.key) + "=" + folder.file(kind.file) + "\r\n";
        const std::size_t at = expected.find(line);
        ASSERT_NE(at, std::string::npos);
        expected.replace(at, line.size(), std::string(kind.key) + "=" + kind.reset + "\r\n");
    }
    EXPECT_EQ(saved(), expected);
}

TEST_F(FileEntry, AFileWhoseNameHoldsALineBreakMakesNoScene) {
    const std::string before = saved();
    dialogs.scenes = {true};
    for (const std::string lineBreak : {"\n", "\r"}) {
        EXPECT_FALSE(Edit::EditCommand::createSceneFromFile(edit, brokenCopy("clip.avi", lineBreak)));
        EXPECT_FALSE(Edit::EditCommand::createSceneFromFile(edit, brokenCopy("shape.svg", lineBreak)));
    }
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(edit.project.scenes.size(), 1u);
    EXPECT_EQ(saved(), before);
    // The same file under a plain name makes its scene.
    ASSERT_TRUE(Edit::EditCommand::createSceneFromFile(edit, path("clip.avi")));
    EXPECT_EQ(edit.project.scenes.size(), 2u);
    EXPECT_EQ(fileOf(edit.getCurrentScene()->getLayerObjectList(0).objects.at(0)), path("clip.avi"));
}

}  // namespace

namespace {

TEST_F(FileEntry, TheMediaObjectsOfferTheirReadersFiltersAndTakeOnlyTheirKindOfFile) {
    Effect::MovieLoad movie;
    Effect::AudioLoad audio;
    Effect::ImageLoad image;
    struct Case {
        Effect::EffectBase& effect;
        Effect::EffectItemFile& file;
        const wchar_t* accepted;
        const wchar_t* refused;
        const wchar_t* pattern;
    };
    // The sound object takes video files too, for their sound.
    EXPECT_TRUE(audio.isSupportedFile(path("clip.avi").c_str()));
    for (const Case& k : {Case{movie, movie.file, L"clip.avi", L"tone.wav", L"*.avi"},
                          Case{audio, audio.file, L"tone.wav", L"still.png", L"*.wav"},
                          Case{image, image.file, L"still.png", L"tone.wav", L"*.png"}}) {
        SCOPED_TRACE(std::string(k.pattern, k.pattern + wcslen(k.pattern)));
        EXPECT_TRUE(k.effect.isSupportedFile(path(System::String::toUtf8(k.accepted)).c_str()));
        EXPECT_FALSE(k.effect.isSupportedFile(path(System::String::toUtf8(k.refused)).c_str()));
        ASSERT_TRUE(k.file.filterSource);
        const std::wstring filter = k.file.filterSource();
        EXPECT_NE(filter.find(k.pattern), std::wstring::npos);
        ASSERT_GE(filter.size(), 2u);
        EXPECT_EQ(filter.substr(filter.size() - 2), std::wstring(L"\0\0", 2)) << "double-null ended";
    }
}

}  // namespace
