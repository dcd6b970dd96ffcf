#include "e2e/ProjectProgramTest.h"

#include "e2e/XClient.h"

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

namespace E2E {

namespace fs = std::filesystem;

void ProjectProgramTest::start(const std::string& projectText, const std::string& ini,
                               const std::function<bool(const TestSupport::Screenshot&)>& ready) {
    fs::create_directories(data());
    std::ofstream(project(), std::ios::binary) << projectText;
    std::ofstream(data() / "movane2.ini", std::ios::binary) << ini;
    const std::vector<std::string> arguments{project().string()};
    program = std::make_unique<ProgramRun>(testEnvironment(display.name(), root.path() / "home"), arguments);
    window = waitForWindow(display.name(), "--classname '^movane2Manager$'");
    ASSERT_NE(window, 0u) << program->output();
    ASSERT_TRUE(waitFor([&] { return ready(TestSupport::Screenshot(display.name())); })) << program->output();
}

void ProjectProgramTest::TearDown() {
    if (!program) return;
    if (window) sendDeleteWindow(display.name(), window);
    EXPECT_EQ(program->wait(10000), 0) << program->output();
    EXPECT_EQ(program->output().find("ERROR"), std::string::npos) << program->output();
}

bool ProjectProgramTest::waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 100; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::string ProjectProgramTest::xdotool(const std::string& arguments) const {
    return onDisplay(display.name(), "xdotool " + arguments);
}

void ProjectProgramTest::key(const std::string& keys) const {
    xdotool("windowfocus --sync " + std::to_string(window));
    xdotool("key " + keys);
}

std::string ProjectProgramTest::save() {
    fs::remove(project());
    key("ctrl+s");
    EXPECT_TRUE(waitFor([&] { return fs::exists(project()); }));
    return CoreTest::readBytes(project().string());
}

}  // namespace E2E
