// A text object over a movie exported through the output service and read
// back with ffmpeg: the file holds the frames the renderer drew, text
// included.
#include "effects/media/TextInput.h"
#include "plugin/output/AviFileSave.h"
#include "plugin/output/ExportFixture.h"
#include "plugin/output/OutputTestSupport.h"

#include "effects/media/TextEffectFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace ExportTest;

class TextExport : public TextEffectTest::FontServices, public ExportFixture {};

TEST_F(TextExport, TheExportedFramesHoldTheTextAsTheRendererDrewIt) {
    Edit::ObjectPointer object = scene().createObject(L"テキスト", 2, 0, 59);
    scene().updateLayerObject();
    auto& text = dynamic_cast<Effect::TextInput&>(*object->effectList[0]);
    text.text.text = L"字幕";
    text.font.value = fontValue(L"Noto Sans CJK JP");
    text.size.setValue(30, 0);
    text.alignment.value = 4;  // centred on the picture
    text.textColor.fromString("ffffff");

    auto& avi = dynamic_cast<Plugin::AviFileSave&>(*output.plugins.at(0));
    *avi.videoType = L"RGB24bit";
    const std::string path = ExportFixture::folder.file("text.avi");
    exportWith(0, path);
    ASSERT_EQ(output.lastOutcome(), Plugin::OutputService::Outcome::Complete);
    const std::string raw = ExportFixture::folder.file("video.raw");
    ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:v -f rawvideo -pix_fmt rgb24 " + raw));
    const auto decoded = MediaTest::readFile(raw);
    ASSERT_EQ(decoded.size(), 60u * 64 * 36 * 3);

    int white = 0;
    float worst = 0;
    for (int f : {0, 29, 59}) {
        const std::vector<MediaTest::Rgba> frame = render(f);
        for (int i = 0; i < 64 * 36; ++i) {
            const std::uint8_t* p = &decoded[(static_cast<std::size_t>(f) * 64 * 36 + i) * 3];
            for (int c = 0; c < 3; ++c) worst = std::max(worst, std::fabs(p[c] / 255.0f - frame[i][c]));
            if (p[0] >= 250 && p[1] >= 250 && p[2] >= 250) ++white;
        }
    }
    EXPECT_LE(worst, 0.6f / 255);
    // The glyphs' insides are the text colour in every frame checked.
    EXPECT_GT(white, 3 * 20);
}

}  // namespace
