// A font file removed or damaged while the program runs: a tag that asks
// for it is drawn as text with the face in use, never a dropped face.
#include "media/text/TextFixture.h"

#include "core/CoreTestSupport.h"
#include "media/draw/Direct2DService.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace TextTest;

class TextFontRemoval : public TextDrawTest {
protected:
    // A private font folder with its own copy of DejaVu Sans Mono, known to
    // fontconfig before the font list is built.
    void SetUp() override {
        const std::filesystem::path fonts = folder.path() / "fonts";
        std::filesystem::create_directories(fonts);
        copy = fonts / "Mono.ttf";
        std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", copy);
        const std::filesystem::path conf = folder.path() / "fonts.conf";
        std::ofstream(conf) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                               "<fontconfig><dir>/usr/share/fonts/opentype/noto</dir><dir>"
                            << fonts.string() << "</dir><cachedir>" << (folder.path() / "cache").string()
                            << "</cachedir></fontconfig>\n";
        setenv("FONTCONFIG_FILE", conf.c_str(), 1);
        FcInitReinitialize();
        TextDrawTest::SetUp();
    }
    void TearDown() override {
        TextDrawTest::TearDown();
        setenv("FONTCONFIG_FILE", MOVANE2_SOURCE_DIR "/tests/data/fonts/fonts.conf", 1);
        FcInitReinitialize();
    }
    bool usesTheCopy() {
        const auto font = direct2D().fontManager.getFont(L"DejaVu Sans Mono", false, false);
        return font && std::filesystem::path(font->file) == copy;
    }

    CoreTest::TempFolder folder;
    std::filesystem::path copy;
};

TEST_F(TextFontRemoval, ATagWhoseFontFileIsGoneOrDamagedIsDrawnAsTextWithTheFaceInUse) {
    if (!usesTheCopy()) GTEST_SKIP() << "the font list was built before this test";
    const std::wstring text = L"a<s20,DejaVu Sans Mono>b<s>c";
    Options options;
    options.size = 20;
    auto before = make(text, options);
    const Picture first = drawn(*before);
    EXPECT_EQ(before->characterCount(), 3);
    EXPECT_FALSE(first.box(covered).empty());

    for (const char* damage : {"removed", "damaged"}) {
        SCOPED_TRACE(damage);
        std::filesystem::remove(copy);
        if (std::string(damage) == "damaged") std::ofstream(copy, std::ios::binary) << "not a font";
        auto after = make(text, options);
        const Picture second = drawn(*after);
        // "a", the size tag's own characters, "b", "c" ("<s>" still applies).
        EXPECT_EQ(after->characterCount(), 3 + static_cast<int>(std::wstring(L"<s20,DejaVu Sans Mono>").size()));
        EXPECT_GT(second.width, first.width);
        EXPECT_FALSE(second.box(covered).empty());
    }
}

}  // namespace
