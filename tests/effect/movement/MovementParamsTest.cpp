#include "effect/movement/MovementParamsManager.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Effect::MovementParamsDefine;
using Effect::MovementParamsManager;

class MovementParams : public ::testing::Test {
protected:
    CoreTest::ProgramFolder folder;
    System::Singleton<System::IniFile> settingsHolder;
    System::IniFile& settings = *System::Singleton<System::IniFile>::getInstance();
    CoreTest::LogLines log;

    std::string defaults(const std::string& name) { return (folder.data() / "Default" / name).string(); }
    void write(const std::string& path, const std::string& text) { CoreTest::writeBytes(path, text); }

    std::vector<std::string> errorBoxes() {
        std::vector<std::string> texts;
        for (const auto& line : log.of(System::Log::ERROR))
            if (line.text.rfind("show error dialog.\n", 0) == 0) texts.push_back(line.text.substr(19));
        return texts;
    }
    static std::vector<std::wstring> names(const std::vector<MovementParamsDefine*>& list) {
        std::vector<std::wstring> result;
        for (const MovementParamsDefine* define : list) result.push_back(define->name);
        return result;
    }
};

TEST_F(MovementParams, FileLinesAndTheSavedForm) {
    write(defaults("a.params"),
          "; comment\r\n\r\nx=1,2\r\nnoequal\r\ntwo=1=2\r\n=5\r\nempty=\r\nlast=3");
    const auto pairs = MovementParamsDefine::loadMovementParamsFile(L"%Default%/a.params");
    const std::vector<Effect::KeyValue> expected = {
        {"x", "1,2"}, {"", "5"}, {"empty", ""}, {"last", "3"}};
    EXPECT_EQ(pairs, expected);
    EXPECT_TRUE(MovementParamsDefine::loadMovementParamsFile(L"%Default%/missing.params").empty());

    MovementParamsDefine::saveMovementParamsFile(L"%Default%/saved.params", {15, 0.25});
    EXPECT_EQ(CoreTest::readBytes(defaults("saved.params")), "params=15,0.25\r\n");
    EXPECT_EQ(MovementParamsDefine::loadMovementParamsFile(L"%Default%/saved.params"),
              (std::vector<Effect::KeyValue>{{"params", "15,0.25"}}));
    MovementParamsDefine::saveMovementParamsFile(L"%Default%/saved.params", {});
    EXPECT_EQ(CoreTest::readBytes(defaults("saved.params")), "params=\r\n");
    EXPECT_EQ(log.of(System::Log::INFO).back().text,
              "save movement params file : %Default%/saved.params");
}

TEST_F(MovementParams, SavingKeepsTheOldFileWhenWritingFails) {
    write(defaults("keep.params"), "params=1\r\n");
    std::filesystem::create_directory(defaults("keep.params.tmp"));  // the writer's temporary name
    EXPECT_ANY_THROW(MovementParamsDefine::saveMovementParamsFile(L"%Default%/keep.params", {2}));
    EXPECT_EQ(CoreTest::readBytes(defaults("keep.params")), "params=1\r\n");
}

TEST_F(MovementParams, KeysFromFilesBuiltInFirst) {
    write((folder.program() / "preset.params").string(), "a=1\r\nb=2,3\r\n");
    write(defaults("fast.params"), "params=1,2\r\n");
    write(defaults("multi.params"), "a=4\r\nb=5\r\n");
    write(defaults("Other.PARAMS"), "only=6\r\n");
    write(defaults("skip.paramsx"), "params=7\r\n");
    MovementParamsManager manager;
    manager.reloadMovementParams();
    EXPECT_EQ(names(manager.getMovementParamsList()),
              (std::vector<std::wstring>{L"a", L"b", L"fast", L"a@multi", L"b@multi", L"Other"}));
    EXPECT_EQ(manager.findMovementParams(L"fast")->params, (std::vector<double>{1, 2}));
    EXPECT_EQ(manager.findMovementParams(L"b")->params, (std::vector<double>{2, 3}));
    EXPECT_EQ(manager.findMovementParams(L"b")->order, 1);
    EXPECT_EQ(manager.findMovementParams(L"Other")->order, 5);
    EXPECT_EQ(manager.findMovementParams(L"skip"), nullptr);
    EXPECT_TRUE(errorBoxes().empty());
    const auto info = log.of(System::Log::INFO);
    EXPECT_EQ(info.front().tag, "Effect::MovementParamsManager::registerMovementParams");
    EXPECT_EQ(info.front().text, "register movement params [a]");

    // One line in the built-in file: named after the file.
    write((folder.program() / "preset.params").string(), "x=9\r\n");
    manager.reloadMovementParams();
    EXPECT_EQ(manager.findMovementParams(L"preset")->params, std::vector<double>{9});
    EXPECT_EQ(manager.findMovementParams(L"a"), nullptr);
    // Numbers keep growing across reloads.
    EXPECT_EQ(manager.findMovementParams(L"preset")->order, 6);
}

TEST_F(MovementParams, DuplicatesAndBadNumbersAreRefusedInABox) {
    write((folder.program() / "preset.params").string(), "fast=1\r\nslow=2\r\n");
    write(defaults("fast.params"), "params=3\r\n");
    write(defaults("g.params"), "p=1\r\nq=x\r\nr=2\r\n");
    MovementParamsManager manager;
    manager.reloadMovementParams();
    EXPECT_EQ(manager.findMovementParams(L"fast")->params, std::vector<double>{1});
    EXPECT_NE(manager.findMovementParams(L"p@g"), nullptr);
    EXPECT_EQ(manager.findMovementParams(L"r@g"), nullptr);
    const std::string badFile = defaults("g.params");
    EXPECT_EQ(errorBoxes(), (std::vector<std::string>{
                                "Failed to register movement params. [fast]\n\n"
                                "Duplicate params with the same key exist.",
                                "Failed to register movement params. [" + badFile +
                                    "]\n\ninvalid stod argument"}));
    // A deleted file takes its presets away at the next reload.
    std::filesystem::remove(badFile);
    manager.reloadMovementParams();
    EXPECT_EQ(manager.findMovementParams(L"p@g"), nullptr);
}

TEST_F(MovementParams, MenuSettingsAndLabels) {
    write(defaults("m.params"), "a=1\r\nb=2\r\nc=3\r\nd=4\r\n");
    settings.loadMemory("[Params.a@m]\r\nlabel=A\r\norder=10\r\n[Params.c@m]\r\nlabel=B\r\n"
                        "[Params.d@m]\r\nlabel=A\r\norder=99\r\nhide=1\r\n");
    MovementParamsManager manager;
    manager.reloadMovementParams();
    EXPECT_EQ(names(manager.getMovementParamsList()),
              (std::vector<std::wstring>{L"b@m", L"c@m", L"a@m", L"d@m"}));
    const auto labels = manager.getLabelList();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_STREQ(labels[0], L"B");
    EXPECT_STREQ(labels[1], L"A");
    EXPECT_EQ(manager.findMovementParams(L"d@m")->hide, 1);
    EXPECT_EQ(manager.findMovementParams(L"b@m")->hide, 0);
}

}  // namespace
