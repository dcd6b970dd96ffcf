#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    // Number texts are always C-locale; the tests see what the program sees.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    // Tests never touch the user's desktop or data: a test that needs a
    // display starts its own X server, and the data folder is a scratch one.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::string scratch = (std::filesystem::temp_directory_path() / "movane2-tests-XXXXXX").string();
    const bool haveScratch = mkdtemp(scratch.data()) != nullptr;
    if (haveScratch) setenv("XDG_DATA_HOME", scratch.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (haveScratch) {
        std::error_code ignored;
        std::filesystem::remove_all(scratch, ignored);
    }
    return result;
}
