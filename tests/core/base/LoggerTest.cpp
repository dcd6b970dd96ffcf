#include "core/CoreTestSupport.h"

#include "core/file/IniFile.h"
#include "core/base/Logger.h"
#include "core/text/StringConvert.h"
#include "core/base/Singleton.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

using System::Logger;
namespace fs = std::filesystem;

class LoggerTest : public ::testing::Test {
protected:
    std::vector<std::string> ring(Logger& logger) {
        std::lock_guard lock(logger.mutex);
        std::vector<std::string> lines;
        for (const auto& line : logger.viewLines) lines.push_back(line.text);
        return lines;
    }
    std::vector<std::string> logFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_.log())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // "[MM/DD hh:mm:ss] " is the only part of a line that changes.
    static std::string withoutTime(const std::string& line) {
        return std::regex_replace(line, std::regex("^\\[\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d\\] "), "");
    }

    CoreTest::ProgramFolder folder_;
};

TEST_F(LoggerTest, LevelsChooseTheSinks) {
    Logger logger;
    System::Log::info("Test::info", "%s", "to the ring");
    System::Log::error("Test::error", "%s", "everywhere");
    System::Log::verbose("Test::verbose", "%s", "nowhere");
    const auto lines = ring(logger);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(withoutTime(lines[0]), "[ERROR] [Test::error] everywhere");
    EXPECT_EQ(withoutTime(lines[1]), "[INFO] [Test::info] to the ring");
    EXPECT_EQ(logger.viewLines.front().type, &System::Log::ERROR);

    const std::string file = CoreTest::readBytes(System::String::toUtf8(logger.filePath()));
    EXPECT_EQ(withoutTime(file), "[ERROR] [Test::error] everywhere\n");
    EXPECT_TRUE(std::regex_match(
        fs::path(logger.filePath()).filename().string(),
        std::regex("movane2_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d-\\d{3}\\.log")));
    EXPECT_EQ(fs::path(logger.filePath()).parent_path(), folder_.log());

    // 5 and above sends nothing, 1 everything.
    logger.setSettings(200, 5, 5, 1, 0);
    System::Log::verbose("Test::verbose", "%s", "file only");
    EXPECT_EQ(ring(logger).size(), 2u);
    EXPECT_NE(CoreTest::readBytes(System::String::toUtf8(logger.filePath())).find("file only"), std::string::npos);
}

TEST_F(LoggerTest, MultiLineTextsAndTheRingLimit) {
    Logger logger;
    const int before = logger.changeCount;
    System::Log::info("T", "first\nsecond\r\nthird");
    EXPECT_EQ(logger.changeCount - before, 3);
    const auto lines = ring(logger);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "third");
    EXPECT_EQ(lines[1], "second");
    EXPECT_EQ(withoutTime(lines[2]), "[INFO] [T] first");
    for (const auto& line : logger.viewLines) EXPECT_EQ(line.type, &System::Log::INFO);

    logger.setSettings(200, 5, 2, 4, 0);
    for (int i = 0; i < 197; ++i) System::Log::info("T", "line %d", i);
    EXPECT_EQ(ring(logger).size(), 200u);
    EXPECT_EQ(withoutTime(ring(logger).back()), "[INFO] [T] first");
    System::Log::info("T", "the 201st piece");
    const auto full = ring(logger);
    EXPECT_EQ(full.size(), 200u);
    EXPECT_EQ(full.back(), "second");  // the oldest piece went

    logger.setSettings(0, 5, 2, 4, 0);
    const int count = logger.changeCount;
    System::Log::info("T", "gone at once");
    EXPECT_TRUE(ring(logger).empty());
    EXPECT_EQ(logger.changeCount, count + 1);
}

TEST_F(LoggerTest, PruningKeepsTheNewestOfOurOwnFiles) {
    const char* old[] = {"movane2_2020-01-01_00-00-00-000.log", "movane2_2020-01-02_00-00-00-000.log",
                         "movane2_2020-01-03_00-00-00-000.log", "movane2_2020-01-04_00-00-00-000.log",
                         "movane2_2020-01-05_00-00-00-000.log", "movane2_2020-01-06_00-00-00-000.log",
                         "movane2_2020-01-07_00-00-00-000.log"};
    for (const char* name : old) CoreTest::writeBytes((folder_.log() / name).string(), "old");
    for (const char* name : {"notes.log", "movane2_backup.log", "zz.log"})
        CoreTest::writeBytes((folder_.log() / name).string(), "not ours");

    Logger logger;
    System::Log::error("T", "opens the file");
    const std::string current = fs::path(logger.filePath()).filename();
    EXPECT_EQ(logFiles(), (std::vector<std::string>{"movane2_2020-01-04_00-00-00-000.log",
                                                    "movane2_2020-01-05_00-00-00-000.log",
                                                    "movane2_2020-01-06_00-00-00-000.log",
                                                    "movane2_2020-01-07_00-00-00-000.log", current,
                                                    "movane2_backup.log", "notes.log", "zz.log"}));
}

TEST_F(LoggerTest, PruningNeverDeletesTheCurrentFileAndNegativeKeepsAll) {
    for (const char* name : {"movane2_2099-01-01_00-00-00-000.log", "movane2_2000-01-01_00-00-00-000.log"})
        CoreTest::writeBytes((folder_.log() / name).string(), "old");
    {
        Logger logger;
        logger.setSettings(200, -1, 2, 4, 0);
        System::Log::error("T", "x");
        EXPECT_EQ(logFiles().size(), 3u);
    }
    fs::remove_all(folder_.log());
    fs::create_directories(folder_.log());
    // A file from the future sorts after ours: with one kept it stays, and
    // ours, which would be deleted by position, stays too.
    CoreTest::writeBytes((folder_.log() / "movane2_2099-01-01_00-00-00-000.log").string(), "old");
    CoreTest::writeBytes((folder_.log() / "movane2_2000-01-01_00-00-00-000.log").string(), "old");
    Logger logger;
    logger.setSettings(200, 1, 2, 4, 0);
    System::Log::error("T", "x");
    const std::string current = fs::path(logger.filePath()).filename();
    EXPECT_EQ(logFiles(), (std::vector<std::string>{current, "movane2_2099-01-01_00-00-00-000.log"}));
}

TEST_F(LoggerTest, FileFailuresAreSwallowedAndRetried) {
    fs::remove_all(folder_.log());
    CoreTest::writeBytes(folder_.log().string(), "a file where the folder should be");
    Logger logger;
    System::Log::error("T", "not written");
    // The open failure's own ERROR lines were logged from inside the sink and
    // dropped; the line itself reached the ring.
    const auto lines = ring(logger);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(withoutTime(lines[0]), "[ERROR] [T] not written");
    EXPECT_TRUE(logger.filePath().empty());

    fs::remove(folder_.log());
    fs::create_directories(folder_.log());
    System::Log::error("T", "written");
    ASSERT_FALSE(logger.filePath().empty());
    EXPECT_EQ(withoutTime(CoreTest::readBytes(System::String::toUtf8(logger.filePath()))), "[ERROR] [T] written\n");
}

TEST_F(LoggerTest, OtherThreadsWaitForTheSink) {
    Logger logger;
    std::atomic<bool> done{false};
    std::thread worker;
    {
        std::lock_guard lock(logger.mutex);
        worker = std::thread([&] {
            System::Log::info("Worker", "from another thread");
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(done);
    }
    worker.join();
    EXPECT_EQ(withoutTime(ring(logger).at(0)), "[INFO] [Worker] from another thread");
}

// Render and audio workers log at any time, also while the logger comes
// and goes at start-up and shutdown: every line reaches one whole handler,
// and a logger is not destroyed under a line it is still taking.
TEST_F(LoggerTest, ThreadsLogWhileLoggersAreCreatedAndDestroyed) {
    std::atomic<bool> stop{false};
    std::atomic<int> logged{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&, t] {
            while (!stop) {
                System::Log::info("Worker", "line of worker %d", t);
                System::Log::warn("Worker", L"wide line of worker %d", t);
                logged += 2;
            }
        });
    int taken = 0;
    for (int round = 0; round < 200; ++round) {
        Logger logger;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        taken += static_cast<int>(ring(logger).size());
    }
    stop = true;
    for (std::thread& worker : workers) worker.join();
    EXPECT_GT(logged.load(), 0);
    EXPECT_GT(taken, 0);
}

TEST_F(LoggerTest, SettingsGroupAndHandler) {
    System::Singleton<System::IniFile> mainSettings;
    System::IniFile& ini = *System::Singleton<System::IniFile>::getInstance();
    ini.loadMemory("[Logger]\nMaxViewLine=3\nViewLogLevel=1\nUser=kept\n");
    {
        Logger logger;
        EXPECT_EQ(logger.MaxViewLine, 3);
        EXPECT_EQ(logger.ViewLogLevel, 1);
        EXPECT_EQ(logger.FileLogLevel, 4);
        logger.MaxFileNum = 9;
        System::Log::verbose("T", "seen");
        EXPECT_EQ(ring(logger).size(), 1u);
    }
    const auto section = ini.getSection("Logger");
    EXPECT_EQ(section.findValue("MaxViewLine").text, "3");
    EXPECT_EQ(section.findValue("MaxFileNum").text, "9");
    EXPECT_EQ(section.findValue("ViewLogLevel").text, "1");
    EXPECT_EQ(section.findValue("FileLogLevel").text, "4");
    EXPECT_EQ(section.findValue("DebuggerLogLevel").text, "0");
    EXPECT_EQ(section.findValue("User").text, "kept");
}

TEST(LogFileNames, OwnNamesOnly) {
    EXPECT_TRUE(System::isOwnLogFileName(L"movane2_2026-12-08_19-10-01-123.log"));
    for (const wchar_t* name : {L"movane2_2026-12-08_19-10-01-123.log.tmp", L"movane2_2026-12-08_19-10-01.log",
                                L"Movane2_2026-12-08_19-10-01-123.log", L"movane2_2026-12-08_19-10-01-12x.log",
                                L"notes.log"})
        EXPECT_FALSE(System::isOwnLogFileName(name));
}

}  // namespace
