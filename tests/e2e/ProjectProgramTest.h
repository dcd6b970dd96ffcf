#pragma once
// A test of the real program started on a project of the test's own, with
// a settings file of its own, in a fresh data folder on a display of its
// own: the waits, keys and saves the panel tests share. The program is
// closed (its discard question answered by the close) when the test ends
// and must not have logged an error.
#include "e2e/ProgramRun.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace E2E {

class ProjectProgramTest : public ::testing::Test {
protected:
    // Writes the project and movane2.ini, starts the program on the project
    // and waits for its main window and until the screen shows ready.
    void start(const std::string& projectText, const std::string& ini,
               const std::function<bool(const TestSupport::Screenshot&)>& ready);
    void TearDown() override;

    std::filesystem::path data() const { return root.path() / "home" / "movane2"; }
    std::filesystem::path project() const { return root.path() / "film.mvp2"; }

    // Polls for about five seconds.
    static bool waitFor(const std::function<bool()>& done);
    std::string xdotool(const std::string& arguments) const;
    // Keys to the main window.
    void key(const std::string& keys) const;
    // Ctrl+S writes the project to its file (removed first, so the new one
    // is there once the save completed); the saved bytes.
    std::string save();

    CoreTest::TempFolder root;
    TestSupport::VirtualDisplay display;
    std::unique_ptr<ProgramRun> program;
    unsigned long window = 0;
};

}  // namespace E2E
