// A project written by hand holding a text object, opened by the program
// named on its command line: the object comes back in the resume file the
// program writes when it closes, byte for byte.
#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Every item of the text object set away from its default.
const char* const kTextObject =
    "[0]\r\nlayer=2\r\nframe=0,89\r\n[0.0]\r\neffect.name=テキスト\r\n"
    "サイズ=24.50,80.00,直線移動,0\r\n字間=-3.25\r\n行間=12.00\r\n表示速度=7.50\r\n"
    "フォント=DejaVu Sans\r\n文字色=12abef\r\n影・縁色=fe0001\r\n文字装飾=縁取り文字(太)\r\n"
    "文字揃え=縦書 中央[中]\r\nB=1\r\nI=1\r\nテキスト=一行目\\\\n<#ff0000>赤\\n<?=1+1?>\r\n"
    "文字毎に個別オブジェクト=1\r\n移動座標上に表示=1\r\nオブジェクトの長さを自動調節=1\r\n"
    "[0.1]\r\neffect.name=標準描画\r\nX=-120.00\r\nY=40.00\r\nZ=0.00\r\nGroup=1\r\n中心X=0.00\r\n中心Y=0.00\r\n"
    "中心Z=0.00\r\nX軸回転=0.00\r\nY軸回転=0.00\r\nZ軸回転=15.00\r\n拡大率=100.000\r\n縦横比=0.000\r\n"
    "透明度=0.00\r\n合成モード=通常\r\n";

TEST(TextProject, ATextObjectWrittenByHandOpensAndIsWrittenBackByteForByte) {
    E2E::TempFolder root;
    const fs::path project = root.path() / "film.mvp2";
    std::ofstream(project, std::ios::binary)
        << "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
           "video.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n"
        << kTextObject;
    const fs::path data = root.path() / "home" / "movane2";
    fs::create_directories(data);
    std::ofstream(data / "movane2.ini", std::ios::binary) << "[Edit]\r\nEditResume=1\r\n";

    TestSupport::VirtualDisplay display;
    const std::vector<std::string> arguments{project.string()};
    E2E::ProgramRun program({{"DISPLAY", display.name()},
                             {"XDG_DATA_HOME", (root.path() / "home").string()},
                             {"FONTCONFIG_FILE", MOVANE2_SOURCE_DIR "/tests/data/fonts/fonts.conf"}},
                            arguments);
    const unsigned long window = E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'");
    ASSERT_NE(window, 0u) << program.output();
    ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
    ASSERT_EQ(program.wait(10000), 0) << program.output();

    const std::string resume = CoreTest::readBytes(data / "resume.mvp2");
    const std::size_t at = resume.find("[0]\r\n");
    ASSERT_NE(at, std::string::npos) << resume;
    EXPECT_EQ(resume.substr(at), kTextObject);
    EXPECT_EQ(program.output().find("ERROR"), std::string::npos) << program.output();
}

}  // namespace
