#include "plugin/input/InputService.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/file/IniFile.h"
#include "effect/registry/MediaFileProbe.h"
#include "plugin/input/FileFilter.h"
#include "plugin/input/InputFile.h"
#include "plugin/input/InputPlugin.h"
#include "plugin/PluginTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <thread>

namespace {

using namespace PluginTest;
using Plugin::InputFile;
using Plugin::InputPlugin;
using Plugin::InputService;

// What the fake readers were asked, and how they answer: by the path's
// name, "movie" files have 100 frames, "still" one, "sound" audio only,
// "both" video and audio; "throw" raises, anything else is declined.
struct Calls {
    std::vector<std::pair<std::wstring, int>> opened;  // (path, track)
    std::vector<std::wstring> readers;
};
Calls calls;

template <int Id>
class FakeReader : public InputPlugin {
public:
    FakeReader() : InputPlugin(L"fake" + std::to_wstring(Id), FileFilter(), Id == 2 ? KindAudio : KindVideo) {}

    static std::wstring FileFilter() {
        return Plugin::FileFilter::make({{L"Fake (*.fak)", L"*.fak;*.FK2"}});
    }

    std::shared_ptr<InputFile> open(const wchar_t* path, int track) override {
        const std::wstring text = path;
        calls.opened.emplace_back(text, track);
        calls.readers.push_back(name);
        const auto has = [&](const wchar_t* word) { return text.find(word) != std::wstring::npos; };
        if (has(L"throw")) throw std::runtime_error("reader failed");
        if (Id == 1 && has(L"skip1")) return {};
        auto file = std::make_shared<InputFile>();
        if (has(L"movie")) file->flags = InputFile::Video, file->frameCount = 100;
        else if (has(L"still")) file->flags = InputFile::Video, file->frameCount = 1;
        else if (has(L"sound")) file->flags = InputFile::Audio;
        else if (has(L"both")) file->flags = InputFile::Video | InputFile::Audio, file->frameCount = 1;
        else return {};
        if (Id == 2) file->flags = InputFile::Audio;  // the audio reader always finds sound
        return file;
    }
};

class InputServiceTest : public ::testing::Test {
protected:
    InputServiceTest() { calls = {}; }

    std::string openError(const std::wstring& path, int kind) {
        try {
            service.openFile(path, kind);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no error";
    }
    static std::string error(const char* message, const std::string& note) {
        return std::string(message) + "\n\n[Note]\n" + note + "\n\n[Place]\nPlugin::InputService::openFile()";
    }

    CoreTest::LogLines log;
    InputService service;
};

TEST_F(InputServiceTest, FiltersListTheReadersExtensions) {
    const auto tables = service.getTables();
    using namespace std::string_literals;
    EXPECT_EQ(tables->videoFileFilter, L"VideoFile (*.bmp;*.tga;*.png;*.jpg;*.gif;*.avi)\0*.bmp;*.tga;*.png;*.jpg;*.gif;*.avi\0"s);
    EXPECT_EQ(tables->audioFileFilter, L"AudioFile (*.avi;*.wav)\0*.avi;*.wav\0"s);
    EXPECT_EQ(tables->imageFileFilter, L"ImageFile (*.bmp;*.tga;*.png;*.jpg;*.gif)\0*.bmp;*.tga;*.png;*.jpg;*.gif\0"s);
    // "bmp" is tried by the built-in decoder first, then by the imaging reader.
    const auto& bmp = tables->videoExtTypeList.at(L"bmp");
    ASSERT_EQ(bmp.size(), 2u);
    EXPECT_EQ(bmp[0]->name, L"Uncompressed Image File Reader");
    EXPECT_EQ(bmp[1]->name, L"WIC image file reader");
    EXPECT_EQ(log.count(System::Log::INFO, "Plugin::InputService::updateExtTypeList", "[Audio] wav -> [Wave File Reader]"), 1);
    EXPECT_EQ(Plugin::FileFilter::projectFile(), L"ProjectFile (*.mvp2)\0*.mvp2\0AllFile (*.*)\0*.*\0\0"s);
    EXPECT_EQ(Plugin::FileFilter::anyFile(), L"AllFile (*.*)\0*.*\0\0"s);
}

TEST_F(InputServiceTest, AnEmptyTableGivesAnEmptyFilter) {
    for (auto& reader : service.pluginList) reader->extList = L"x";
    service.pluginList.erase(service.pluginList.begin() + 3);  // the WAV reader
    service.pluginList.erase(service.pluginList.begin() + 2);  // the AVI reader
    service.updateExtTypeList();
    using namespace std::string_literals;
    EXPECT_EQ(service.getTables()->audioFileFilter, L"AudioFile ()\0\0"s);
}

TEST_F(InputServiceTest, TrackPrefixes) {
    service.registerReader<FakeReader<0>>();
    service.updateExtTypeList();
    service.openFile(L":3/m/movie.fak", 1);
    service.openFile(L"/m/movie.fak", 1);
    ASSERT_EQ(calls.opened.size(), 2u);
    EXPECT_EQ(calls.opened[0], std::make_pair(std::wstring(L"/m/movie.fak"), 3));
    EXPECT_EQ(calls.opened[1], std::make_pair(std::wstring(L"/m/movie.fak"), 0));
    EXPECT_EQ(openError(L":c/m/movie.fak", 1), error("invalid track index.", ":c/m/movie.fak"));
    EXPECT_EQ(openError(L":/m/movie.fak", 1), error("invalid track index.", ":/m/movie.fak"));

    EXPECT_EQ(InputService::MakeMultiTrackFileName(L"/a.fak", 0), L"/a.fak");
    EXPECT_EQ(InputService::MakeMultiTrackFileName(L"/a.fak", 1), L":1/a.fak");
    EXPECT_EQ(InputService::MakeMultiTrackFileName(L"/a.fak", 50), L":b/a.fak");
    EXPECT_THROW(InputService::MakeMultiTrackFileName(L"/a.fak", 51), System::Exception);
}

TEST_F(InputServiceTest, ReadersAreTriedByPriority) {
    service.registerReader<FakeReader<0>>();
    service.registerReader<FakeReader<1>>();
    // Reverse the default order (4 and 5) through the settings values.
    service.pluginList[4]->priority = 9;
    service.updateExtTypeList();
    service.openFile(L"/a/skip1-movie.fak", 1);
    EXPECT_EQ(calls.readers, (std::vector<std::wstring>{L"fake1", L"fake0"}));

    calls = {};
    EXPECT_EQ(openError(L"/a/throw.fak", 1), "reader failed");
    EXPECT_EQ(calls.readers, std::vector<std::wstring>{L"fake1"});  // no later reader after a throw
    EXPECT_EQ(openError(L"/a/none.fak", 1), error("can not open file.", "/a/none.fak"));
    EXPECT_EQ(openError(L"/a/movie.xyz", 1), error("not supported file.", "/a/movie.xyz"));
    EXPECT_EQ(openError(L"/a/sound.fak", 1), error("file is no video.", "/a/sound.fak"));
    EXPECT_NO_THROW(service.openFile(L"/a/movie.FK2", 1));  // the filter's patterns count in lower case
    // An upper-case entry in a user's list never matches.
    for (auto& reader : service.pluginList) reader->setExtList(L"fak,MOV");
    service.updateExtTypeList();
    EXPECT_EQ(openError(L"/a/movie.mov", 1), error("not supported file.", "/a/movie.mov"));
}

TEST_F(InputServiceTest, TheCacheKeepsAtMostFileHandleMaxFilesAndEvictsTheOldest) {
    EXPECT_EQ(service.fileHandleMax, 20);
    service.registerReader<FakeReader<0>>();
    service.updateExtTypeList();
    std::vector<std::shared_ptr<InputFile>> first;
    for (int i = 0; i < 21; ++i) first.push_back(service.getInputFile(L"/m/movie" + std::to_wstring(i) + L".fak", 1));
    EXPECT_EQ(service.fileCache.getTotal(), 20);
    // Using file 1 again makes file 2 the oldest.
    EXPECT_EQ(service.getInputFile(L"/m/movie1.fak", 1), first[1]);
    service.getInputFile(L"/m/movie21.fak", 1);
    EXPECT_NE(service.getInputFile(L"/m/movie0.fak", 1), first[0]);  // evicted: opened anew
    EXPECT_EQ(service.getInputFile(L"/m/movie1.fak", 1), first[1]);
    EXPECT_NE(service.getInputFile(L"/m/movie2.fak", 1), first[2]);

    // Track-prefixed paths are entries of their own.
    const auto track = service.getInputFile(L":2/m/movie1.fak", 1);
    EXPECT_NE(track, first[1]);
    EXPECT_EQ(service.getInputFile(L":2/m/movie1.fak", 1), track);
    EXPECT_EQ(service.getInputFile(L"/m/movie1.fak", 1), first[1]);

    // Still pictures are never kept.
    const auto still = service.getInputFile(L"/m/still.fak", 1);
    ASSERT_TRUE(still);
    EXPECT_NE(service.getInputFile(L"/m/still.fak", 1), still);

    service.setFileHandleMax(0);
    EXPECT_EQ(service.fileCache.getTotal(), 0);
    const auto once = service.getInputFile(L"/m/movie5.fak", 1);
    EXPECT_NE(service.getInputFile(L"/m/movie5.fak", 1), once);
    service.setFileHandleMax(-3);
    EXPECT_EQ(service.fileCache.getTotal(), 0);
}

// Opening is serialized: threads asking for one file at once get one
// file object, opened once.
TEST_F(InputServiceTest, ConcurrentRequestsShareOneOpen) {
    service.registerReader<FakeReader<0>>();
    service.updateExtTypeList();
    std::vector<std::shared_ptr<InputFile>> got(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < got.size(); ++i)
        threads.emplace_back([&, i] { got[i] = service.getInputFile(L"/m/movie-shared.fak", 1); });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(calls.opened.size(), 1u);
    for (const auto& file : got) EXPECT_EQ(file, got[0]);
}

struct BrokenReader : InputPlugin {
    BrokenReader() : InputPlugin(L"broken", L"", KindVideo) { throw std::runtime_error("no codec library"); }
    std::shared_ptr<InputFile> open(const wchar_t*, int) override { return {}; }
};

TEST_F(InputServiceTest, AReaderThatFailsToRegisterIsLeftOut) {
    service.registerReader<BrokenReader>();
    EXPECT_EQ(service.pluginList.size(), 4u);
    bool shown = false;
    for (const auto& line : log.of(System::Log::ERROR))
        shown |= line.text.find("failed to register input plugin. [class (anonymous namespace)::BrokenReader]\n\nno codec library") !=
                 std::string::npos;
    EXPECT_TRUE(shown);
}

TEST_F(InputServiceTest, RequestsThatGiveNothing) {
    service.registerReader<FakeReader<0>>();
    service.registerReader<FakeReader<2>>();  // an audio reader of the same extension
    service.updateExtTypeList();
    EXPECT_FALSE(service.getInputFile(L"", 1));
    EXPECT_TRUE(calls.opened.empty());
    EXPECT_FALSE(service.getInputFile(L"/m/sound.fak", 1));
    // Kind 3 opens through the audio table and gives nothing.
    EXPECT_FALSE(service.getInputFile(L"/m/movie.fak", 3));
    EXPECT_EQ(calls.readers.back(), L"fake2");

    // A file first opened for video without sound: an audio request opens
    // it through the audio table instead of answering from the cache.
    const auto video = service.getInputFile(L"/m/movie.fak", 1);
    ASSERT_TRUE(video);
    const auto audio = service.getInputFile(L"/m/movie.fak", 2);
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->flags, InputFile::Audio);
    EXPECT_EQ(service.getInputFile(L"/m/movie.fak", 1), video);
    EXPECT_EQ(service.getInputFile(L"/m/movie.fak", 2), audio);
    EXPECT_EQ(service.getInputFileAny(L"/m/movie.fak"), video);
}

TEST_F(InputServiceTest, ReaderSettings) {
    InputPlugin& avi = *service.pluginList[2];
    EXPECT_EQ(avi.name, L"AVI/AVI2 File Reader");
    EXPECT_EQ(avi.sectionName, "Input.AVI/AVI2 File Reader");
    EXPECT_EQ(avi.priority, 2);
    EXPECT_EQ(avi.getExtList(), std::vector<std::wstring>{L"avi"});
    avi.setExtList(L"mp4,,mov");
    EXPECT_EQ(avi.getExtList(), (std::vector<std::wstring>{L"mp4", L"", L"mov"}));
    avi.setExtList(L"avi");
    EXPECT_EQ(avi.extList, L"");
    EXPECT_THROW(avi.showSetting(nullptr), System::Exception);
}

TEST_F(InputServiceTest, SettingsAreReadAndWrittenBack) {
    System::Singleton<System::IniFile> settings;
    System::IniFile& ini = *System::Singleton<System::IniFile>::getInstance();
    ini.loadMemory("[Input]\nFileHandleMax=7\n[Input.Wave File Reader]\npriority=-1\next=wav,w64\n");
    {
        InputService configured;
        EXPECT_EQ(configured.fileHandleMax, 7);
        EXPECT_EQ(configured.pluginList.front()->name, L"Wave File Reader");
        EXPECT_EQ(configured.getTables()->audioExtTypeList.count(L"w64"), 1u);
        configured.fileHandleMax = 9;
        configured.pluginList.front()->priority = 4;
    }
    EXPECT_EQ(ini.sections["Input"]["FileHandleMax"].text, "9");
    EXPECT_EQ(ini.sections["Input.Wave File Reader"]["priority"].text, "4");
    EXPECT_EQ(ini.sections["Input.AVI/AVI2 File Reader"]["ext"].text, "");
}

TEST_F(InputServiceTest, TimeToFrame) {
    InputFile file;
    file.rate = 30000;
    file.scale = 1001;
    file.frameCount = 100;
    const struct {
        double seconds;
        int frame;
    } cases[] = {{1.0, 30}, {-1.0, 0}, {1000.0, 99}, {0.0166833, 0}, {0.0166834, 1},
                 {std::nan(""), 0}, {1e300, 0}, {-1e300, 0}};
    for (const auto& c : cases) EXPECT_EQ(file.timeToFrame(c.seconds), c.frame) << c.seconds;
    EXPECT_THROW(file.readVideo(0), System::Exception);
}

TEST_F(InputServiceTest, TheEffectRegistryAsksThroughTheProbe) {
    const Effect::MediaFileProbe* probe = Effect::getMediaFileProbe();
    ASSERT_TRUE(probe);
    EXPECT_TRUE(probe->isMediaExtension(L"wav"));
    EXPECT_TRUE(probe->isMediaExtension(L"gif"));
    EXPECT_FALSE(probe->isMediaExtension(L"txt"));
    MediaTest::TempFolder folder;
    AviLayout layout;
    writeAvi(folder.file("clip.avi"), layout);
    Effect::MediaFileProbe::Streams streams;
    ASSERT_TRUE(probe->probe(std::filesystem::path(folder.file("clip.avi")).wstring().c_str(), streams));
    EXPECT_TRUE(streams.video && streams.audio);
    EXPECT_EQ(streams.frameCount, 6);
    EXPECT_FALSE(probe->probe(L"/none/such.avi", streams));
    {
        InputService second;  // a service that goes takes its probe along
    }
    EXPECT_EQ(Effect::getMediaFileProbe(), nullptr);
}

TEST_F(InputServiceTest, ImageFilesFallToTheImagingReader) {
    MediaTest::TempFolder folder;
    const std::string palette = folder.file("palette.bmp");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i testsrc=size=8x8 -frames:v 1 -pix_fmt pal8 " + palette));
    const auto file = service.getInputFile(std::filesystem::path(palette).wstring(), 1);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->pixelFormat, 28);
    EXPECT_EQ(file->reader, service.getTables()->videoExtTypeList.at(L"bmp")[1].get());

    writeFile(folder.file("rle.tga"), Bytes{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 0x80, 1, 2, 3});
    EXPECT_EQ(openError(std::filesystem::path(folder.file("rle.tga")).wstring(), 1),
              error("can not open file.", folder.file("rle.tga")));
}

}  // namespace
