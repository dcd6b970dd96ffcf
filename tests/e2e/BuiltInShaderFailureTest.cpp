// A built-in shader the driver refuses ends start-up through the error box,
// before the main window and before any render could need it. The driver
// is made to refuse one: Mesa writes every shader source it is given into
// MESA_SHADER_DUMP_PATH under a name made of the source's hash, and takes
// a file of that name from MESA_SHADER_READ_PATH in place of the source.
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

TEST(BuiltInShaderFailureTest, AShaderTheDriverRefusesEndsStartUpThroughTheErrorBox) {
    TestSupport::VirtualDisplay display;
    E2E::TempFolder folder;
    const fs::path dumped = folder.path() / "dumped";
    const fs::path replaced = folder.path() / "replaced";
    fs::create_directories(dumped);
    fs::create_directories(replaced);

    // A normal start gives the sources; the packed-YUV colour pass is one of
    // the resource service's built-in list.
    {
        E2E::ProgramRun program({{"DISPLAY", display.name()}, {"MESA_SHADER_DUMP_PATH", dumped.string()}});
        const unsigned long window = E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'");
        ASSERT_NE(window, 0u) << program.output();
        ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
        ASSERT_EQ(program.wait(10000), 0) << program.output();
    }
    fs::path packedPass;
    for (const auto& entry : fs::directory_iterator(dumped))
        if (CoreTest::readBytes(entry.path()).find("#define PACKED_422 1") != std::string::npos) packedPass = entry.path();
    if (packedPass.empty()) GTEST_SKIP() << "this driver does not write its shader sources";
    std::ofstream(replaced / packedPass.filename().c_str()) << "#version 450 core\nnot a shader\n";

    E2E::ProgramRun program({{"DISPLAY", display.name()}, {"MESA_SHADER_READ_PATH", replaced.string()}});
    const unsigned long box = E2E::waitForWindow(display.name(), "--name ' : Application Exception$'");
    ASSERT_NE(box, 0u) << program.output();
    EXPECT_EQ(E2E::onDisplay(display.name(), "xdotool search --classname '^movane2Manager$'"), "");
    E2E::onDisplay(display.name(), "xdotool windowfocus --sync " + std::to_string(box) + " key Return");
    EXPECT_EQ(program.wait(10000), 1) << program.output();
}

}  // namespace
