#include "core/CoreTestSupport.h"
#include "media/GpuFixture.h"

#include "media/image/ImageService.h"
#include "media/resource/SvgDocument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace {

using Media::SvgDocument;
using MediaTest::Rgba;

class SvgDocumentTest : public MediaTest::GpuTest {
protected:
    std::wstring file(const std::string& name, const std::string& text) const {
        const std::filesystem::path path = folder_.data() / name;
        CoreTest::writeBytes(path.string(), text);
        return path.wstring();
    }
    static std::unique_ptr<Media::ResourceBuffer> render(const std::wstring& path, const SvgDocument::Color& color) {
        return SvgDocument::renderToBuffer(path, 40, 20, color, 0);
    }

    CoreTest::ProgramFolder folder_;
};

// Two halves: left with the first fill, right with the second.
std::string halves(const std::string& left, const std::string& right) {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 40 20">)"
           R"(<rect width="20" height="20" )" + left + R"(/><rect x="20" width="20" height="20" )" + right +
           R"(/></svg>)";
}

const SvgDocument::Color kBlue{0, 0, 1, 1};

TEST_F(SvgDocumentTest, OneFillColourTakesTheChosenColourWithItsOwnAlpha) {
    for (const std::string& right :
         {std::string(R"(fill="#ff000080")"), std::string(R"x(style="stroke:none; fill: rgba(255,0,0,0.5)")x")}) {
        const std::wstring path = file("red.svg", halves(R"(fill="red")", right));
        SvgDocument document(path);
        EXPECT_TRUE(document.isMonochrome()) << right;
        auto picture = render(path, kBlue);
        ASSERT_NE(picture, nullptr);
        MediaTest::expectNear(pixel(*picture, 5, 10), {0, 0, 1, 1}, 0.01f);
        MediaTest::expectNear(pixel(*picture, 35, 10), {0, 0, 0.5f, 0.5f}, 0.01f);
    }
}

TEST_F(SvgDocumentTest, SeveralFillColoursAreKept) {
    const std::wstring path = file("two.svg", halves(R"(fill="red")", R"(fill="#00ff00")"));
    EXPECT_FALSE(SvgDocument(path).isMonochrome());
    auto picture = render(path, kBlue);
    ASSERT_NE(picture, nullptr);
    MediaTest::expectNear(pixel(*picture, 5, 10), {1, 0, 0, 1}, 0.01f);
    MediaTest::expectNear(pixel(*picture, 35, 10), {0, 1, 0, 1}, 0.01f);
    // The same colour written two ways is one colour.
    EXPECT_TRUE(SvgDocument(file("same.svg", halves(R"(fill="lime")", R"x(fill="rgb(0, 255, 0)")x"))).isMonochrome());
}

TEST_F(SvgDocumentTest, WithoutFillsTheDrawingIsWhiteAndTakesTheChosenColour) {
    const std::wstring path = file("plain.svg", halves("", ""));
    SvgDocument document(path);
    EXPECT_TRUE(document.isMonochrome());
    EXPECT_NE(document.serialize().find(R"(fill="#ffffff")"), std::string::npos) << document.serialize();
    auto picture = render(path, {1, 0.5f, 0, 1});
    ASSERT_NE(picture, nullptr);
    MediaTest::expectNear(pixel(*picture, 5, 10), {1, 0.5f, 0, 1}, 0.01f);
}

TEST_F(SvgDocumentTest, ASizedRootTakesTheRequestedSize) {
    const std::string sized = R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" viewBox="0 0 10 10">)"
                              R"(<rect width="5" height="10" fill="red"/></svg>)";
    SvgDocument document(file("sized.svg", sized));
    ASSERT_TRUE(document.isSized());
    document.setSize(200, 100);
    const std::string text = document.serialize();
    EXPECT_NE(text.find(R"(width="200")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"(height="100")"), std::string::npos) << text;

    const std::wstring unsized = file("unsized.svg", halves(R"(fill="red")", R"(fill="red")"));
    EXPECT_FALSE(SvgDocument(unsized).isSized());

    // Drawn stretched over the viewport with the default aspect rule: the
    // 10 x 10 view box is centred in 40 x 20, its left half red.
    auto picture = SvgDocument::renderToBuffer(file("sized2.svg", sized), 40, 20, {1, 0, 0, 1}, 0);
    ASSERT_NE(picture, nullptr);
    MediaTest::expectNear(pixel(*picture, 15, 10), {1, 0, 0, 1}, 0.01f);
    MediaTest::expectNear(pixel(*picture, 25, 10), {0, 0, 0, 0}, 0.01f);
    MediaTest::expectNear(pixel(*picture, 5, 10), {0, 0, 0, 0}, 0.01f);
}

TEST_F(SvgDocumentTest, MissingBrokenAndHostileFilesAreRefused) {
    const std::wstring missing = (folder_.data() / "none.svg").wstring();
    std::string nested = "<svg xmlns=\"http://www.w3.org/2000/svg\">";
    for (int i = 0; i < 5000; ++i) nested += "<g>";
    const struct {
        const char* name;
        std::string text;
    } files[] = {
        {"empty.svg", ""},
        {"text.svg", "just text"},
        {"cut.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect"},
        {"notsvg.svg", "<html/>"},
        {"deep.svg", nested},
        {"loop.svg", "<!DOCTYPE svg [<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">]><svg xmlns=\"http://www.w3.org/2000/svg\">&a;</svg>"},
    };
    EXPECT_FALSE(SvgDocument::canLoadFile(missing));
    EXPECT_EQ(render(missing, kBlue), nullptr);
    for (const auto& f : files) {
        const std::wstring path = file(f.name, f.text);
        EXPECT_FALSE(SvgDocument::canLoadFile(path)) << f.name;
        EXPECT_EQ(render(path, kBlue), nullptr) << f.name;
    }

    // Nested entities that would expand to gigabytes stop early.
    std::string laughs = "<!DOCTYPE svg [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i) {
        laughs += "<!ENTITY l" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    laughs += "]><svg xmlns=\"http://www.w3.org/2000/svg\"><text>&l9;</text></svg>";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(SvgDocument::canLoadFile(file("laughs.svg", laughs)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(SvgDocumentTest, NothingOutsideTheFileIsRead) {
    CoreTest::writeBytes((folder_.data() / "secret.txt").string(), "SECRET");
    const std::string secret = (folder_.data() / "secret.txt").string();
    SvgDocument entity(file("entity.svg", "<!DOCTYPE svg [<!ENTITY x SYSTEM \"file://" + secret +
                                              "\">]><svg xmlns=\"http://www.w3.org/2000/svg\"><text>&x;</text></svg>"));
    EXPECT_EQ(entity.serialize().find("SECRET"), std::string::npos);

    // A picture beside the file, referenced by relative and absolute paths.
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 64; ++i) pixels.insert(pixels.end(), {255, 0, 0, 255});
    const std::filesystem::path png = folder_.data() / "red.png";
    Media::ImageService::saveToFile(png.wstring(), pixels.data(), 8, 8, 32,
                                    Media::ImageService::PixelFormat::Format32bppRGBA, Media::ImageService::Container::Png);
    for (const std::string& href : {std::string("red.png"), "file://" + png.string()}) {
        const std::wstring path = file("image.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" viewBox="0 0 40 20">)"
                                                    R"(<image width="40" height="20" xlink:href=")" + href + R"("/></svg>)");
        auto picture = render(path, kBlue);
        ASSERT_NE(picture, nullptr) << href;
        MediaTest::expectNear(pixel(*picture, 20, 10), {0, 0, 0, 0}, 0.01f);
    }
}

TEST(SvgFileTest, OnlyTheSvgExtensionInAnyCase) {
    EXPECT_TRUE(SvgDocument::isSvgFile(L"/a/b.svg"));
    EXPECT_TRUE(SvgDocument::isSvgFile(L"B.SVG"));
    EXPECT_FALSE(SvgDocument::isSvgFile(L"b.svgz"));
    EXPECT_FALSE(SvgDocument::isSvgFile(L"svg"));
    EXPECT_FALSE(SvgDocument::isSvgFile(L"a.svg/b"));
}

}  // namespace
