#include "plugin/output/AviFileSave.h"
#include "plugin/output/JpgFileSave.h"
#include "plugin/output/PngFileSave.h"
#include "plugin/output/SequentialFileSave.h"

#include "plugin/output/OutputTestSupport.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace OutputTest;

Plugin::OutputSceneInfo scene(int frames) {
    Plugin::OutputSceneInfo s;
    s.lastFrame = frames - 1;
    s.width = 6;
    s.height = 4;
    return s;
}

std::wstring wide(const std::string& path) { return std::filesystem::path(path).wstring(); }

class ImageWriters : public ::testing::Test {
protected:
    Bytes decode(const std::string& path, const char* pixFmt) {
        const std::string raw = folder.file("decoded.raw");
        std::filesystem::remove(raw);
        if (!MediaTest::ffmpeg("-i '" + path + "' -f rawvideo -pix_fmt " + pixFmt + " " + raw)) return {};
        return MediaTest::readFile(raw);
    }
    Bytes expectedRgb(int f) {
        Bytes out;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const auto p = pixel(f, x, y);
                out.insert(out.end(), {p[2], p[1], p[0]});
            }
        return out;
    }

    MediaTest::TempFolder folder;
    std::shared_ptr<PatternSource> source = std::make_shared<PatternSource>(6, 4, 0);
};

// The still writers save the cursor frame, also with a selection.
TEST_F(ImageWriters, PngOfTheCursorFrameWithAndWithoutAlpha) {
    auto s = scene(10);
    s.cursorFrame = 3;
    s.selectionStart = 5;
    s.selectionEnd = 8;
    Plugin::PngFileSave writer;
    for (int transparent : {0, 1}) {
        SCOPED_TRACE(transparent);
        *writer.transparent = transparent;
        const std::string path = folder.file("still" + std::to_string(transparent) + ".png");
        auto file = writer.makeOutputFile(wide(path), s, source);
        EXPECT_FALSE(file->notifyOnEnd);
        source->videoRequests.clear();
        ASSERT_TRUE(file->save());
        EXPECT_EQ(source->videoRequests, (std::vector<int>{3}));
        EXPECT_FALSE(source->lastStraightAlpha);
        auto probe = probeStream(path, "v:0");
        EXPECT_EQ(probe["codec_name"], "png");
        EXPECT_EQ(probe["pix_fmt"], transparent ? "rgba" : "rgb24");
        if (!transparent) {
            EXPECT_EQ(decode(path, "rgb24"), expectedRgb(3));
        }
    }
    // A premultiplied pixel reads back un-premultiplied: pixel (0, 0) of
    // frame 3 is B 30, G 20, R 185 over alpha 100.
    const Bytes rgba = decode(folder.file("still1.png"), "rgba");
    ASSERT_EQ(rgba.size(), 6u * 4 * 4);
    EXPECT_NEAR(rgba[0], 255, 1);           // 185 x 255 / 100 clipped
    EXPECT_NEAR(rgba[1], 20 * 255 / 100, 1);
    EXPECT_NEAR(rgba[2], 30 * 255 / 100, 1);
    EXPECT_EQ(rgba[3], 100);
}

TEST_F(ImageWriters, JpegAtItsQuality) {
    auto s = scene(4);
    s.cursorFrame = 2;
    Plugin::JpgFileSave writer;
    EXPECT_EQ(*writer.quality, 90);
    std::uintmax_t sizes[2];
    int i = 0;
    for (int quality : {5, 100}) {
        *writer.quality = quality;
        const std::string path = folder.file("q" + std::to_string(quality) + ".jpg");
        ASSERT_TRUE(writer.makeOutputFile(wide(path), s, source)->save());
        auto probe = probeStream(path, "v:0");
        EXPECT_EQ(probe["codec_name"], "mjpeg");
        EXPECT_EQ(probe["width"], "6");
        sizes[i++] = std::filesystem::file_size(path);
    }
    EXPECT_LT(sizes[0], sizes[1]);
}

TEST_F(ImageWriters, StillWithoutPictureWritesNothing) {
    source->noPicture = {0};
    Plugin::PngFileSave writer;
    const std::string path = folder.file("none.png");
    EXPECT_FALSE(writer.makeOutputFile(wide(path), scene(1), source)->save());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ImageWriters, SequenceNames) {
    Plugin::SequentialFileSave writer;
    struct Case {
        std::string name;
        int frames;
        Plugin::SequentialFileSaveFile::Prepared result;
        std::string first, last;
    };
    using P = Plugin::SequentialFileSaveFile::Prepared;
    const Case cases[] = {
        {"clip.png", 12, P::Ready, "clip00.png", "clip11.png"},
        {"clip.PNG", 3, P::Ready, "clip0.PNG", "clip2.PNG"},  // upper case accepted and kept
        {"one.png", 1, P::Ready, "one0.png", "one0.png"},
        {"k.v.jpg", 1000, P::Ready, "k.v0000.jpg", "k.v0999.jpg"},
        {"clip", 3, P::UnsupportedExtension, "", ""},
        {"clip.jpeg", 3, P::UnsupportedExtension, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto file = std::dynamic_pointer_cast<Plugin::SequentialFileSaveFile>(
            writer.makeOutputFile(wide(folder.file(c.name)), scene(c.frames), source));
        EXPECT_TRUE(file->notifyOnEnd);
        ASSERT_EQ(file->prepare(), c.result);
        if (c.result != P::Ready) continue;
        EXPECT_EQ(file->frameName(0), wide(folder.file(c.first)));
        EXPECT_EQ(file->frameName(c.frames - 1), wide(folder.file(c.last)));
    }
}

TEST_F(ImageWriters, SequenceWritesEveryFrameOfTheRange) {
    Plugin::SequentialFileSave writer;
    *writer.transparent = 0;
    auto s = scene(20);
    s.selectionStart = 4;
    s.selectionEnd = 15;  // 12 frames: two digits
    auto file = std::dynamic_pointer_cast<Plugin::SequentialFileSaveFile>(
        writer.makeOutputFile(wide(folder.file("f.png")), s, source));
    ASSERT_EQ(file->prepare(), Plugin::SequentialFileSaveFile::Prepared::Ready);
    ASSERT_TRUE(file->save());
    EXPECT_EQ(decode(folder.file("f00.png"), "rgb24"), expectedRgb(4));
    EXPECT_EQ(decode(folder.file("f11.png"), "rgb24"), expectedRgb(15));
    EXPECT_FALSE(std::filesystem::exists(folder.file("f12.png")));

    // Existing names are found before anything is written.
    auto again = std::dynamic_pointer_cast<Plugin::SequentialFileSaveFile>(
        writer.makeOutputFile(wide(folder.file("f.png")), s, source));
    EXPECT_EQ(again->prepare(), Plugin::SequentialFileSaveFile::Prepared::NamesExist);
}

TEST_F(ImageWriters, SequenceStopsAtAFrameWithoutPicture) {
    source->noPicture = {2};
    Plugin::SequentialFileSave writer;
    auto file = writer.makeOutputFile(wide(folder.file("s.jpg")), scene(5), source);
    EXPECT_FALSE(file->save());
    EXPECT_TRUE(std::filesystem::exists(folder.file("s0.jpg")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("s1.jpg")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("s2.jpg")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("s3.jpg")));
}

TEST(OutputWriterSettings, AviFormsFromTheirTexts) {
    const std::pair<const wchar_t*, int> video[] = {
        {L"RGB24bit", 88}, {L"RGBA32bit", 87}, {L"YUY2", 107}, {L"RGBA64bit(PA64)", 11},
        {L"RGBA64bit(HF64)", 10}, {L"yuy2", 88}, {L"", 88},
    };
    for (auto [text, format] : video) EXPECT_EQ(Plugin::AviFileSave::videoFormatOf(text), format) << format;
    EXPECT_EQ(Plugin::AviFileSave::audioFormatTagOf(L"PCM(float)32bit"), 3u);
    EXPECT_EQ(Plugin::AviFileSave::audioFormatTagOf(L"PCM16bit"), 1u);
    EXPECT_EQ(Plugin::AviFileSave::audioFormatTagOf(L"float"), 1u);

    Plugin::AviFileSave writer;
    *writer.videoType = L"Other";
    EXPECT_EQ(writer.getSettingText(), L"Video: Other / Audio: PCM16bit");
    EXPECT_EQ(writer.fileFilter, std::wstring(L"AVI File (*.avi)\0*.avi\0\0", 24));
}

TEST(OutputWriterSettings, SummaryLines) {
    // The rates' figures come from system.conf's presets.
    CoreTest::ProgramFolder folder;
    System::Singleton<Setting::SettingService> settings;
    Plugin::OutputSceneInfo s;
    s.width = 1920;
    s.height = 1080;
    s.rate = 30;
    s.audioRate = 48000;
    s.lastFrame = 299;
    Plugin::AviFileSave avi;
    EXPECT_EQ(avi.getSummaryText(s) + avi.getSettingText(),
              L"1920x1080 / 30fps / 48khz / 00:10.00 / Video: RGB24bit / Audio: PCM16bit");
    s.selectionStart = 30;
    s.selectionEnd = 89;
    EXPECT_EQ(avi.getSummaryText(s), L"1920x1080 / 30fps / 48khz / 00:02.00(選択範囲) / ");
    s.rate = 30000;
    s.scale = 1001;
    s.audioRate = 44100;
    Plugin::SequentialFileSave sequence;
    EXPECT_EQ(sequence.getSummaryText(s), L"1920x1080 / 29.97fps / 00:02.00(選択範囲) / ");
    Plugin::PngFileSave png;
    EXPECT_EQ(png.getSummaryText(s), L"1920x1080 / ");
    EXPECT_EQ(sequence.getSettingText(), L"PNG透明色あり / JPEG品質:90");
}

}  // namespace
