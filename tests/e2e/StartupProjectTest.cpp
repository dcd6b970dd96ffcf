#include "core/CoreTestSupport.h"
#include "e2e/ProgramRun.h"
#include "e2e/XClient.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A project whose one scene carries a name of its own, written as a user's
// file would be.
std::string projectText(const std::string& sceneName, const std::string& savedFrom) {
    return "[project]\r\nversion=2001802\r\nfile=" + savedFrom +
           "\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=" + sceneName +
           "\r\nvideo.width=640\r\nvideo.height=360\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=44100\r\n";
}

class StartupProjectTest : public ::testing::Test {
protected:
    StartupProjectTest() {
        char pattern[] = "/tmp/movane2-startup-XXXXXX";
        root = mkdtemp(pattern);
        project = root / "work" / "film.mvp2";
        writeFile(project, projectText("FilmScene", ""));
    }
    ~StartupProjectTest() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path data() const { return root / "home" / "movane2"; }
    std::unique_ptr<E2E::ProgramRun> start(const std::vector<std::string>& arguments = {}) const {
        return std::make_unique<E2E::ProgramRun>(
            std::map<std::string, std::string>{{"DISPLAY", display.name()}, {"XDG_DATA_HOME", (root / "home").string()}},
            arguments);
    }
    std::string onDisplay(const std::string& command) const { return E2E::onDisplay(display.name(), command); }
    unsigned long mainWindow() const {
        return E2E::waitForWindow(display.name(), "--classname '^movane2Manager$'");
    }
    // The main window is painted only by the message loop, which starts
    // once the application-begin listeners are done.
    bool waitForMessageLoop() const {
        for (int i = 0; i < 200; ++i) {
            const std::string text = onDisplay("import -window root png:- | convert png:- -crop 1x1+640+300 -depth 8 txt:-");
            if (text.find("#1E1E1E") != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    // A visible window with the program's title that is not the main window.
    unsigned long messageBox() const {
        const std::string main = onDisplay("xdotool search --classname '^movane2Manager$'");
        for (int i = 0; i < 500; ++i) {
            std::istringstream ids(onDisplay("xdotool search --onlyvisible --name '^Movane Quorin2$'"));
            for (std::string id; std::getline(ids, id);)
                if (!id.empty() && main.find(id) == std::string::npos) return std::stoul(id);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return 0;
    }
    void close(E2E::ProgramRun& program) const {
        const unsigned long window = mainWindow();
        ASSERT_NE(window, 0u) << program.output();
        ASSERT_TRUE(E2E::sendDeleteWindow(display.name(), window));
        ASSERT_EQ(program.wait(10000), 0) << program.output();
    }
    // The setting lives in the main settings file's "Edit" section.
    void turnResumeOn() const { writeFile(data() / "movane2.ini", "[Edit]\r\nEditResume=1\r\n"); }

    TestSupport::VirtualDisplay display;
    fs::path root;
    fs::path project;
};

TEST_F(StartupProjectTest, NamedProjectOpensAndResumesAtTheNextStart) {
    turnResumeOn();
    {
        auto program = start({project.string()});
        close(*program);
    }
    EXPECT_NE(CoreTest::readBytes(data() / "history.ini").find("[project]\r\n1=" + project.string() + "\r\n"), std::string::npos)
        << CoreTest::readBytes(data() / "history.ini");
    const std::string resume = CoreTest::readBytes(data() / "resume.mvp2");
    EXPECT_NE(resume.find("name=FilmScene\r\n"), std::string::npos) << resume;
    EXPECT_NE(resume.find("file=" + project.string() + "\r\n"), std::string::npos) << resume;

    // Without an argument the resume file opens: a scene renamed in it
    // comes back in the next resume file, still saved from the project.
    writeFile(data() / "resume.mvp2", projectText("Resumed", project.string()));
    {
        auto program = start();
        close(*program);
    }
    const std::string again = CoreTest::readBytes(data() / "resume.mvp2");
    EXPECT_NE(again.find("name=Resumed\r\n"), std::string::npos) << again;
    EXPECT_NE(again.find("file=" + project.string() + "\r\n"), std::string::npos) << again;
}

TEST_F(StartupProjectTest, ACrashLeavesTheRecoveryProjectForTheNextStart) {
    // The empty main window, whose background tells that the loop runs.
    writeFile(data() / "movane2.ini", E2E::hiddenPanelsIni());
    {
        auto program = start({project.string()});
        ASSERT_NE(mainWindow(), 0u) << program->output();
        ASSERT_TRUE(waitForMessageLoop()) << program->output();
        program->signal(SIGSEGV);
        EXPECT_EQ(program->wait(10000), -1) << program->output();  // ended by the signal
    }
    const std::string recover = CoreTest::readBytes(data() / "recover.mvp2");
    EXPECT_NE(recover.find("name=FilmScene\r\n"), std::string::npos) << recover;
    int emergency = 0;
    for (const auto& entry : fs::directory_iterator(data() / "Backup"))
        emergency += entry.path().filename().string().rfind("ExceptionBackup_", 0) == 0;
    EXPECT_EQ(emergency, 1);
    // The history of the crashed run was never written.
    EXPECT_FALSE(fs::exists(data() / "history.ini"));

    // The next start asks; OK (the box's default button) opens the project
    // saved in the recovery file, which names the user's project.
    auto program = start();
    const unsigned long box = messageBox();
    ASSERT_NE(box, 0u) << program->output();
    onDisplay("xdotool windowfocus --sync " + std::to_string(box) + " key Return");
    close(*program);
    EXPECT_FALSE(fs::exists(data() / "recover.mvp2"));
    EXPECT_NE(CoreTest::readBytes(data() / "history.ini").find("1=" + project.string() + "\r\n"), std::string::npos)
        << CoreTest::readBytes(data() / "history.ini");
}

TEST_F(StartupProjectTest, StartDeletesTheOldestBackupsBeyondTheMaximum) {
    writeFile(data() / "movane2.ini", "[Edit]\r\nAutoBackupFileMax=2\r\n");
    for (const char* name : {"AutoBackup_2026-01-01_10-00-00-000.mvp2", "AutoBackup_2026-01-02_10-00-00-000.mvp2",
                             "AutoBackup_2026-01-03_10-00-00-000.mvp2", "AutoBackup_2026-01-01.mvp2"})
        writeFile(data() / "Backup" / name, projectText("Backup", ""));
    auto program = start();
    close(*program);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(data() / "Backup")) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    // A name without the full time stamp is no backup of ours.
    EXPECT_EQ(left, (std::vector<std::string>{"AutoBackup_2026-01-01.mvp2", "AutoBackup_2026-01-02_10-00-00-000.mvp2",
                                              "AutoBackup_2026-01-03_10-00-00-000.mvp2"}));
}

}  // namespace
