#include "core/CoreTestSupport.h"
#include "media/GpuFixture.h"

#include "core/base/Singleton.h"
#include "media/image/ImageService.h"
#include "media/resource/FigureList.h"
#include "media/resource/ResourceService.h"
#include "media/resource/TransitionList.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::vector<std::wstring> kFigureNames = {L"背景", L"円", L"四角形", L"三角形", L"五角形", L"六角形", L"星型", L"ハート"};
const std::vector<std::wstring> kWipeNames = {L"ワイプ(円)", L"ワイプ(四角)", L"ワイプ(時計)", L"ワイプ(横)",
                                              L"ワイプ(縦)", L"ワイプ(星型)", L"ワイプ(ハート)"};

const char* kSquareSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10"><rect width="10" height="10" fill="red"/></svg>)";

void writePng(const fs::path& path) {
    const std::vector<std::uint8_t> pixels(4 * 4 * 4, 0xff);
    Media::ImageService::saveToFile(path.wstring(), pixels.data(), 4, 4, 16, Media::ImageService::PixelFormat::Format32bppRGBA,
                                    Media::ImageService::Container::Png);
}

template <class List>
std::vector<std::wstring> names(const List& list) {
    std::vector<std::wstring> out;
    for (const auto& item : list.items()) out.push_back(item.name);
    return out;
}

// The service compiles every built-in program and reads both folders when
// it is made, so a shader that does not compile fails start-up, not the
// first drawing on a render thread.
TEST(ResourceServiceTest, MadeWithEveryProgramAndTheBuiltInEntriesOfEmptyFolders) {
    CoreTest::ProgramFolder folder;
    System::Singleton<Media::Direct3DService> direct3D;
    System::Singleton<Resource::ResourceService> resources;
    Resource::ResourceService& service = Resource::ResourceService::Get();
    for (int i = 0; i < Resource::ShaderList::generalCount; ++i)
        EXPECT_NE(service.shaderList.general(i).program(), nullptr) << i;
    for (int i = 0; i < Resource::ShaderList::computeCount; ++i)
        EXPECT_NE(service.shaderList.compute(i).program(), nullptr) << i;
    EXPECT_NE(service.shaderList.positionQuad().shader.program(), nullptr);
    EXPECT_EQ(names(service.figureList), kFigureNames);
    EXPECT_EQ(names(service.transitionList), kWipeNames);

    const int figureKinds[] = {1, 3, 2, 0, 0, 0, 0, 0};
    const Resource::PathData* figureShapes[] = {&service.pathData[1], &service.pathData[0], &service.pathData[1],
                                                &service.pathData[2], &service.pathData[3], &service.pathData[4],
                                                &service.pathData[5], &service.pathData[6]};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(service.figureList.items()[i].kind, figureKinds[i]) << i;
        EXPECT_EQ(service.figureList.items()[i].path, figureShapes[i]) << i;
    }
    const float scales[] = {1.4142135f, 2.0f, 1, 1, 1, 3.0f, 2.2f};
    const int wipeKinds[] = {0, 0, 1, 2, 3, 0, 0};
    const int wipeShapes[] = {0, 7, 1, 1, 1, 5, 6};
    for (int i = 0; i < 7; ++i) {
        EXPECT_FLOAT_EQ(service.transitionList.items()[i].scale, scales[i]) << i;
        EXPECT_EQ(service.transitionList.items()[i].kind, wipeKinds[i]) << i;
        EXPECT_EQ(service.transitionList.items()[i].path, &service.pathData[wipeShapes[i]]) << i;
    }
}

class ResourceFolderTest : public MediaTest::GpuTest {
protected:
    CoreTest::ProgramFolder folder;
    fs::path figures() const { return folder.data() / "Figure"; }
    fs::path transitions() const { return folder.data() / "Transition"; }
};

TEST_F(ResourceFolderTest, FilesFollowTheBuiltInsSortedAndNamedByTitle) {
    for (const char* name : {"b.svg", "A.SVG", "a2.Svg"}) CoreTest::writeBytes((figures() / name).string(), kSquareSvg);
    CoreTest::writeBytes((figures() / "notes.txt").string(), kSquareSvg);
    CoreTest::writeBytes((figures() / "old.svgz").string(), kSquareSvg);
    fs::create_directories(figures() / "folder.svg");
    writePng(transitions() / "z.png");
    writePng(transitions() / "Fade.PNG");

    Resource::FigureList figureList;
    figureList.load(resources().pathData.data());
    std::vector<std::wstring> expected = kFigureNames;
    for (const wchar_t* name : {L"A", L"a2", L"b"}) expected.push_back(name);
    EXPECT_EQ(names(figureList), expected);
    const Resource::FigureItem& added = figureList.items()[8];
    EXPECT_EQ(added.path, nullptr);
    EXPECT_EQ(added.kind, 0);
    EXPECT_EQ(fs::path(added.file), figures() / "A.SVG");

    Resource::TransitionList transitionList;
    transitionList.load(resources().pathData.data());
    expected = kWipeNames;
    expected.push_back(L"Fade");
    expected.push_back(L"z");
    EXPECT_EQ(names(transitionList), expected);
    const Resource::TransitionItem& wipe = transitionList.items()[7];
    EXPECT_EQ(wipe.path, nullptr);
    EXPECT_EQ(wipe.kind, 0);
    EXPECT_FLOAT_EQ(wipe.scale, 1.0f);
    EXPECT_EQ(fs::path(wipe.file), transitions() / "Fade.PNG");
}

TEST_F(ResourceFolderTest, FilesThatDoNotReadAreLeftOutWithAWarning) {
    const char* hostile[][2] = {
        {"text.svg", "this is not xml"},
        {"html.svg", "<html><body/></html>"},
        {"laughs.svg",
         "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
         "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
         "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">]>"
         "<svg xmlns=\"http://www.w3.org/2000/svg\"><text>&g;</text></svg>"},
        {"good.svg", kSquareSvg},
    };
    for (const auto& file : hostile) CoreTest::writeBytes((figures() / file[0]).string(), file[1]);
    CoreTest::writeBytes((transitions() / "broken.png").string(), "\x89PNG\r\n\x1a\nnot really");
    writePng(transitions() / "fine.png");

    TestSupport::LogCapture log;
    Resource::FigureList figureList;
    figureList.load(resources().pathData.data());
    Resource::TransitionList transitionList;
    transitionList.load(resources().pathData.data());

    ASSERT_EQ(figureList.size(), 9u);
    EXPECT_EQ(figureList.items()[8].name, L"good");
    ASSERT_EQ(transitionList.size(), 8u);
    EXPECT_EQ(transitionList.items()[7].name, L"fine");
    for (const char* name : {"text.svg", "html.svg", "laughs.svg", "broken.png"}) {
        bool warned = false;
        for (const auto& line : log.of(System::Log::WARN)) warned = warned || line.text.find(name) != std::string::npos;
        EXPECT_TRUE(warned) << name;
    }
}

}  // namespace
