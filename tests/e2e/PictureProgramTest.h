#pragma once
// The fixture of the preview's window tests in the real program: a folder
// of its own with a 64 × 64 red picture, the program's data folder and a
// project path, a display, waits on the screen and saving with Ctrl+S.
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace E2E {

constexpr std::uint32_t kRed = 0xFF0000;

void writeFile(const std::filesystem::path& path, const std::string& text);

// The value of a key in a section of an ini text, or "".
std::string valueIn(const std::string& text, const std::string& section, const std::string& key);

class PictureProgramTest : public ::testing::Test {
protected:
    // name: a word for the temporary folder. Writes root/red.png.
    explicit PictureProgramTest(const char* name);
    ~PictureProgramTest() override;

    std::string onDisplay(const std::string& command) const;
    // About ten seconds.
    static bool waitFor(const std::function<bool()>& done);
    bool screenShows(const std::function<bool(const TestSupport::Screenshot&)>& check) const;
    // Saves with Ctrl+S and waits until the file differs from `before`.
    std::string saveChanged(const std::string& before) const;

    TestSupport::VirtualDisplay display;
    std::filesystem::path root;
    std::filesystem::path project;
};

}  // namespace E2E
