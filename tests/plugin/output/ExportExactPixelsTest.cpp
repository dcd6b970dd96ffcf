// A still picture drawn flat at whole-pixel positions and 1:1 keeps its
// 8-bit values exactly through a nested scene, the export and ffmpeg's
// decode: no row takes in any of its neighbour or of the empty frame.
#include "plugin/output/ExportFixture.h"

#include "effects/media/ImageLoad.h"
#include "effects/media/SceneLoad.h"
#include "plugin/output/AviFileSave.h"
#include "render/service/RenderSceneSource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

using namespace ExportTest;

class ExactPixels : public ExportFixture {
protected:
    ExactPixels() {
        Cache::setSceneSource(&scenes);
        scene().clearLayer();
        scene().updateLayerObject();
    }
    ~ExactPixels() override { Cache::setSceneSource(nullptr); }

    Plugin::AviFileSave& avi() { return dynamic_cast<Plugin::AviFileSave&>(*output.plugins.at(0)); }

    Render::RenderSceneSource scenes{worker};
};

TEST_F(ExactPixels, ATwoColourPictureInANestedSceneExportsItsExactColours) {
    // 32 x 16: eight rows of fa0a78 over eight rows of 1e8c32, written as
    // raw bytes and made a PNG by ffmpeg (its colour source would round
    // through YUV).
    std::string pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) pixels += y < 8 ? "\xfa\x0a\x78\xff" : "\x1e\x8c\x32\xff";
    const std::string raw = folder.file("two.rgba");
    CoreTest::writeBytes(raw, pixels);
    const std::string picture = folder.file("two.png");
    ASSERT_TRUE(MediaTest::ffmpeg("-f rawvideo -pix_fmt rgba -s 32x16 -i " + raw + " -frames:v 1 " + picture));
    Edit::Scene& nested = *edit.project.getOrCreateScene(1);
    nested.width = 64;
    nested.height = 36;
    nested.videoRate = 30;
    nested.videoScale = 1;
    Edit::ObjectPointer image = nested.createObject(L"画像ファイル", 0, 0, 2);
    dynamic_cast<Effect::ImageLoad&>(*image->effectList[0]).file.path = wide(picture);
    nested.updateLayerObject();
    Edit::ObjectPointer source = scene().createObject(L"シーン", 0, 0, 2);
    dynamic_cast<Effect::SceneLoad&>(*source->effectList[0]).scene.value = 1;
    scene().updateLayerObject();

    // Centred in both 64 x 36 frames: columns 16 to 47, rows 10 to 17 and
    // 18 to 25.
    auto expected = [](int x, int y) -> std::array<int, 4> {
        if (x < 16 || x > 47 || y < 10 || y > 25) return {0, 0, 0, 0};
        return y < 18 ? std::array<int, 4>{0xfa, 0x0a, 0x78, 255} : std::array<int, 4>{0x1e, 0x8c, 0x32, 255};
    };
    struct Case {
        const wchar_t* videoType;
        const char* pixFmt;
        int channels;
    };
    for (const Case& c : {Case{L"RGB24bit", "rgb24", 3}, Case{L"RGBA32bit", "rgba", 4}}) {
        SCOPED_TRACE(c.pixFmt);
        *avi().videoType = c.videoType;
        const std::string path = folder.file(std::string("exact-") + c.pixFmt + ".avi");
        exportWith(0, path);
        ASSERT_EQ(output.lastOutcome(), Plugin::OutputService::Outcome::Complete);
        const std::string decodedPath = folder.file("exact.raw");
        ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:v -f rawvideo -pix_fmt " + c.pixFmt + " " + decodedPath));
        const std::vector<std::uint8_t> decoded = MediaTest::readFile(decodedPath);
        const std::size_t frameBytes = 64u * 36 * c.channels;
        ASSERT_EQ(decoded.size(), 3 * frameBytes);
        int wrong = 0;
        for (std::size_t f = 0; f < 3; ++f)
            for (int y = 0; y < 36; ++y)
                for (int x = 0; x < 64; ++x)
                    for (int ch = 0; ch < c.channels; ++ch) {
                        const int got = decoded[f * frameBytes + (y * 64 + x) * c.channels + ch];
                        const int want = expected(x, y)[ch];
                        // At most one line per row and channel.
                        if (got != want && ++wrong && (x == 0 || x == 16 || x == 48))
                            ADD_FAILURE() << "frame " << f << " (" << x << ", " << y << ") channel " << ch
                                          << ": " << got << ", not " << want;
                    }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
