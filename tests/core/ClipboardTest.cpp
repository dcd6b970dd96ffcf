// The clipboard as other X clients see it (xclip on the test's display).
#include "core/Clipboard.h"

#include "platform/gtk/SystemClipboard.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>

namespace {

using WindowTest::runUntil;

// Runs a shell command while the loop serves the clipboard; its output.
std::string whileServing(const std::string& command) {
    auto output = std::async(std::launch::async, [command] {
        std::string text;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return text;
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
        pclose(pipe);
        return text;
    });
    runUntil([&] { return output.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    return output.get();
}

class ClipboardTest : public WindowTest::WindowServiceTest {};

TEST_F(ClipboardTest, TextSetByTheProgramIsReadByAnotherClientAndReadBack) {
    const std::wstring text = L"コピー text\nsecond line\t%d";
    ASSERT_TRUE(System::Clipboard::setText(text.c_str()));
    EXPECT_EQ(whileServing("xclip -o -selection clipboard"), "コピー text\nsecond line\t%d");
    std::wstring read;
    ASSERT_TRUE(System::Clipboard::getText(read));
    EXPECT_EQ(read, text);
}

TEST_F(ClipboardTest, TextOfAnotherClientIsRead) {
    ASSERT_EQ(std::system("printf '外から' | xclip -i -selection clipboard"), 0);
    std::wstring read;
    EXPECT_TRUE(System::Clipboard::getText(read));
    EXPECT_EQ(read, L"外から");
    // Taking the clipboard back ends the other client.
    EXPECT_TRUE(System::Clipboard::setText(L""));
}

TEST_F(ClipboardTest, WithOnlyAPictureOnTheClipboardThereIsNoText) {
    const std::vector<unsigned char> bytes = {0x89, 'P', 'N', 'G', 0, 1, 2};
    ASSERT_TRUE(Platform::setClipboardForms({{"image/png", bytes}}));
    EXPECT_EQ(whileServing("xclip -o -selection clipboard -t image/png"),
              std::string(bytes.begin(), bytes.end()));
    std::wstring read = L"unchanged";
    EXPECT_FALSE(System::Clipboard::getText(read));
    EXPECT_EQ(read, L"unchanged");
}

}  // namespace
