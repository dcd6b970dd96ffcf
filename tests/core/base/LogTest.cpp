#include "core/base/Log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {

TEST(LogFormat, LineLayout) {
    std::tm t{};
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 3;
    t.tm_sec = 7;
    struct Case {
        const System::Log::Type& type;
        const char* tag;
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {System::Log::INFO, "System::IniFile::loadFile", "loaded.", "[01/05 09:03:07] [INFO] [System::IniFile::loadFile] loaded.\n"},
        {System::Log::ERROR, "Exception", "", "[01/05 09:03:07] [ERROR] [Exception] \n"},
        {System::Log::SCRIPT, "テスト", "値", "[01/05 09:03:07] [SCRIPT] [テスト] 値\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(System::Log::formatLine(t, c.type.name, c.tag, c.text), c.line);
    }
    const std::string longText(2000, 'z');
    EXPECT_EQ(System::Log::formatLine(t, "WARN", "t", longText.c_str()).size(), 1023u);
}

TEST(LogFormat, LevelRecords) {
    struct Case {
        const System::Log::Type& type;
        const char* name;
        int level;
        unsigned colour;
    };
    const Case cases[] = {{System::Log::VERBOSE, "VERBOSE", 1, 0xCCCCCC}, {System::Log::INFO, "INFO", 2, 0xFFFFFF},
                          {System::Log::WARN, "WARN", 3, 0xFFFF7F},       {System::Log::ERROR, "ERROR", 4, 0xFF7F7F},
                          {System::Log::SCRIPT, "SCRIPT", 2, 0x7FFF7F},   {System::Log::PLUGIN, "PLUGIN", 2, 0x7FFF7F}};
    for (const Case& c : cases) {
        EXPECT_STREQ(c.type.name, c.name);
        EXPECT_EQ(c.type.level, c.level);
        EXPECT_EQ(c.type.colour, c.colour);
    }
}

TEST(LogFrontEnds, FormatCutAndTag) {
    std::string tag, text;
    const System::Log::Type* type = nullptr;
    const System::Log::Handler saved = System::Log::handler;
    System::Log::handler = [&](const System::Log::Type& t, const char* g, const char* x) {
        type = &t;
        tag = g;
        text = x;
    };
    const std::string big(2000, 'a');
    System::Log::info("Tag::fn", "%s", big.c_str());
    EXPECT_EQ(type, &System::Log::INFO);
    EXPECT_EQ(tag, "Tag::fn");
    EXPECT_EQ(text, std::string(1023, 'a'));

    const std::wstring wideBig(1500, L'b');
    System::Log::warn("T", L"%ls", wideBig.c_str());
    EXPECT_EQ(text, std::string(1023, 'b'));

    System::Log::script(L"スクリプト", L"%d個", 3);
    EXPECT_EQ(type, &System::Log::SCRIPT);
    EXPECT_EQ(tag, "スクリプト");
    EXPECT_EQ(text, "3個");

    System::Log::plugin(L"p.mvx2", L"%ls", L"x");
    EXPECT_EQ(type, &System::Log::PLUGIN);
    EXPECT_EQ(tag, "p.mvx2");
    System::Log::handler = saved;
}

// The owner of a handler (the logger) goes right after replacing it: a line
// another thread is handing to it at that moment must be finished first.
TEST(LogHandler, ReplacingWaitsForTheCallsOfTheOldHandler) {
    std::atomic<bool> inside{false};
    std::atomic<bool> finished{false};
    System::Log::handler = [&](const System::Log::Type&, const char*, const char*) {
        inside = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        finished = true;
    };
    std::thread worker([] { System::Log::info("T", "slow line"); });
    while (!inside) std::this_thread::yield();
    System::Log::handler = System::Log::defaultHandler;
    EXPECT_TRUE(finished);
    worker.join();

    // An empty handler stands for the default one; a copy can be kept and
    // put back.
    std::string seen;
    System::Log::handler = [&](const System::Log::Type&, const char*, const char* text) { seen = text; };
    const System::Log::Handler saved = System::Log::handler;
    System::Log::handler = nullptr;
    System::Log::info("T", "dropped");
    EXPECT_EQ(seen, "");
    System::Log::handler = saved;
    System::Log::info("T", "kept");
    EXPECT_EQ(seen, "kept");
    System::Log::handler = System::Log::defaultHandler;
}

}  // namespace
