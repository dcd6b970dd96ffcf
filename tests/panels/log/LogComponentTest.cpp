// The log window's view of the logger's ring, without a window: which lines
// a paint would show as the user scrolls, drags and new lines arrive.
#include "panels/log/LogComponent.h"

#include "core/base/Log.h"
#include "core/base/Logger.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Component::LogComponent;
using Component::LogViewControl;

class LogComponentTest : public ::testing::Test {
protected:
    // Without fonts a line is one pixel high: the view's height + 1 lines
    // fit (the partial line at the top counts).
    void showLines(LogComponent& panel, int lines) {
        panel.clientRect = {0, 0, 300, panel.view.top + lines - 1};
        panel.procMove();
    }
    // What the next paint shows, newest (bottom) first, level tag and text
    // only.
    static std::vector<std::string> shown(LogComponent& panel) {
        panel.view.fetchLines();
        std::vector<std::string> texts;
        for (const LogViewControl::Line& line : panel.view.lines) texts.push_back(strip(line.text));
        return texts;
    }
    static std::string strip(const std::string& text) {
        const std::size_t at = text.find("] [");
        return at == std::string::npos ? text : text.substr(at + 2);
    }
    static void wheel(LogComponent& panel, int notches) {
        for (int i = 0; i < (notches < 0 ? -notches : notches); ++i) panel.procMouseWheel(5, 5, notches > 0 ? 120 : -120);
    }

    System::Logger logger;
};

TEST_F(LogComponentTest, ScrollsBackOverExactlyTheRingLimit) {
    for (int i = 0; i < 250; ++i) System::Log::info("T", "line %d", i);
    LogComponent panel(&logger);
    showLines(panel, 10);
    ASSERT_EQ(panel.view.visibleLineCount, 10);
    panel.view.onTimer();

    std::vector<std::string> lines = shown(panel);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines.front(), "[INFO] [T] line 249");
    EXPECT_EQ(lines.back(), "[INFO] [T] line 240");

    // One notch away from the user: three lines further back.
    wheel(panel, 1);
    EXPECT_EQ(shown(panel).front(), "[INFO] [T] line 246");

    // All the way back: the oldest of the 200 kept lines tops the view.
    wheel(panel, 100);
    EXPECT_EQ(panel.view.scrollOffset, 0);
    lines = shown(panel);
    EXPECT_EQ(lines.back(), "[INFO] [T] line 50");
    EXPECT_EQ(lines.front(), "[INFO] [T] line 59");
    EXPECT_EQ(panel.scrollBar.minimum, 0);
    EXPECT_EQ(panel.scrollBar.maximum, 199);

    // And forward again stops at the newest line.
    wheel(panel, -100);
    EXPECT_EQ(panel.view.scrollOffset, 190);
    EXPECT_EQ(shown(panel).front(), "[INFO] [T] line 249");
}

TEST_F(LogComponentTest, NewLinesBringTheViewBackToTheNewestOnly) {
    for (int i = 0; i < 30; ++i) System::Log::info("T", "line %d", i);
    LogComponent panel(&logger);
    showLines(panel, 5);
    panel.view.onTimer();
    wheel(panel, 2);
    EXPECT_EQ(shown(panel).front(), "[INFO] [T] line 23");

    // A tick without new lines keeps the user's place.
    panel.view.onTimer();
    EXPECT_EQ(shown(panel).front(), "[INFO] [T] line 23");

    System::Log::warn("T", "fresh");
    panel.view.onTimer();
    panel.view.fetchLines();
    ASSERT_FALSE(panel.view.lines.empty());
    EXPECT_EQ(strip(panel.view.lines.front().text), "[WARN] [T] fresh");
    EXPECT_EQ(panel.view.lines.front().type, &System::Log::WARN);
}

TEST_F(LogComponentTest, FewerLinesThanFitSitAtTheBottomAndBreaksMakeSeveralLines) {
    System::Log::error("T", "first\nsecond\r\nthird");
    LogComponent panel(&logger);
    showLines(panel, 8);
    panel.view.onTimer();
    EXPECT_EQ(panel.view.scrollOffset, 3 - 8);
    const std::vector<std::string> lines = shown(panel);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "third");
    EXPECT_EQ(lines[1], "second");
    EXPECT_EQ(lines[2], "[ERROR] [T] first");
    for (const LogViewControl::Line& line : panel.view.lines) EXPECT_EQ(line.type, &System::Log::ERROR);
}

TEST_F(LogComponentTest, ARightButtonDragMovesTheLinesWithThePointer) {
    for (int i = 0; i < 40; ++i) System::Log::info("T", "line %d", i);
    LogComponent panel(&logger);
    showLines(panel, 10);
    panel.view.onTimer();
    panel.procRButtonDown(10, 10);
    // Pulled down by 7 lines: older lines come into view.
    panel.procMouseDrag(0, 7 * panel.view.lineHeight);
    EXPECT_EQ(shown(panel).front(), "[INFO] [T] line 32");
    // Pushed up past the newest: the view stops there.
    panel.procMouseDrag(0, -50 * panel.view.lineHeight);
    EXPECT_EQ(shown(panel).front(), "[INFO] [T] line 39");
}

TEST_F(LogComponentTest, ClearingEmptiesTheRingButKeepsItsCount) {
    System::Log::info("T", "kept?");
    LogComponent panel(&logger);
    showLines(panel, 4);
    const int count = logger.changeCount;
    panel.clearLog();
    EXPECT_TRUE(shown(panel).empty());
    EXPECT_EQ(logger.changeCount, count);
}

TEST(LogDisplayText, LambdaOperatorNamesAreShortened) {
    const struct {
        const char* narrow;
        const wchar_t* shown;
    } cases[] = {
        {"[Edit::EditService::save::<lambda_1a2b>::operator ()] x", L"[Edit::EditService::save::<lambda>] x"},
        {"<lambda_1>::operator () and <lambda_2>::operator ()", L"<lambda> and <lambda>"},
        {"no tag here", L"no tag here"},
        {"<lambda>", L"<lambda>"},
        {"日本語のログ", L"日本語のログ"},
        {"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(LogViewControl::makeDisplayText(c.narrow), c.shown) << c.narrow;
}

}  // namespace
