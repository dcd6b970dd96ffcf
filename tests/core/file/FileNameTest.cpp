#include "core/CoreTestSupport.h"

#include "core/base/Exception.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/file/PathString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace F = System::FileName;
namespace fs = std::filesystem;

const char* const kSubFolders[] = {"Plugin", "Script", "Default", "Alias", "Figure",
                                   "Transition", "Language", "Backup", "Log"};

// A program folder and a separate per-user data home, both scratch.
class PathVariables : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DATA_HOME");
        savedXdg_ = old ? old : "";
        hadXdg_ = old != nullptr;
        fs::create_directories(root_.path() / "program");
        setenv("XDG_DATA_HOME", root_.file("home").c_str(), 1);
    }
    void TearDown() override {
        if (hadXdg_)
            setenv("XDG_DATA_HOME", savedXdg_.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }
    std::wstring program() const { return root_.wide("program"); }

    CoreTest::TempFolder root_;

private:
    std::string savedXdg_;
    bool hadXdg_ = false;
};

TEST_F(PathVariables, DataFolderBesideTheProgramWins) {
    fs::create_directories(root_.path() / "program" / "data");
    F::initializeVariableList(program());
    const auto list = F::getVariableList();
    EXPECT_EQ(list.at(L"%AppInstall%"), program());
    EXPECT_EQ(list.at(L"%AppData%"), program() + L"/data");
    for (const char* name : kSubFolders) {
        const std::wstring variable = L"%" + fs::path(name).wstring() + L"%";
        EXPECT_EQ(list.at(variable), program() + L"/data/" + fs::path(name).wstring());
        EXPECT_TRUE(fs::is_directory(root_.path() / "program" / "data" / name)) << name;
    }
    EXPECT_EQ(list.size(), 11u);
    EXPECT_FALSE(fs::exists(root_.path() / "home"));
}

TEST_F(PathVariables, DataFileBesideTheProgramFallsBackToTheUserFolder) {
    CoreTest::writeBytes(root_.file("program/data"), "not a folder");
    F::initializeVariableList(program());
    EXPECT_EQ(F::getVariableList().at(L"%AppData%"), root_.wide("home") + L"/movane2");
    for (const char* name : kSubFolders)
        EXPECT_TRUE(fs::is_directory(root_.path() / "home" / "movane2" / name)) << name;
}

TEST_F(PathVariables, FolderThatCannotBeMadeFailsWithTheProgramsText) {
    CoreTest::writeBytes(root_.file("home"), "a file where the data home should be");
    try {
        F::initializeVariableList(program());
        FAIL() << "no exception";
    } catch (const System::Exception& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("std::filesystem::create_directories() failed.", 0), 0u) << text;
        EXPECT_NE(text.find("[Place]\nSystem::File::createDirectory()"), std::string::npos) << text;
    }
}

TEST_F(PathVariables, ExpandsOnlyALeadingKnownVariable) {
    fs::create_directories(root_.path() / "program" / "data");
    F::initializeVariableList(program());
    const std::wstring data = program() + L"/data";
    struct Case {
        const wchar_t* in;
        std::wstring out;
    };
    const Case cases[] = {
        {L"%Plugin%\\a.mvi2", data + L"/Plugin/a.mvi2"},
        {L"%Plugin%/a.mvi2", data + L"/Plugin/a.mvi2"},
        {L"%plugin%\\a.mvi2", L"%plugin%\\a.mvi2"},
        {L"C:\\%Plugin%\\a", L"C:\\%Plugin%\\a"},
        {L"%Script%/x/%Script%", data + L"/Script/x/" + data + L"/Script"},
        {L"%Script%/%Alias%", data + L"/Script/%Alias%"},
        {L"%%", L"%%"},
        {L"%AppData", L"%AppData"},
        {L"%Unknown%/a", L"%Unknown%/a"},
        {L"", L""},
        {L"%AppInstall%/system.conf", program() + L"/system.conf"},
    };
    for (const Case& c : cases) {
        std::wstring path = c.in;
        F::expandVariable(path);
        EXPECT_EQ(path, c.out) << fs::path(c.in).string();
    }
}

TEST(FileNameParts, DirectoryTitleExtension) {
    EXPECT_EQ(F::getDirectory(L"/a/b/c.txt"), L"/a/b");
    EXPECT_EQ(F::getDirectory(L"C:\\dir\\x.y"), L"C:\\dir");
    EXPECT_EQ(F::getDirectory(L"name"), L"");
    EXPECT_EQ(F::getTitle(L"C:\\dir\\name.tar.gz"), L"name.tar");
    EXPECT_EQ(F::getTitle(L"/d.x/noext"), L"noext");
    EXPECT_EQ(F::getTitle(L"plain.png"), L"plain");
    EXPECT_EQ(F::getExtension(L"C:\\a.b\\c"), L"");
    EXPECT_EQ(F::getExtension(L"/a.b/c"), L"");
    EXPECT_EQ(F::getExtension(L"x.PNG"), L"png");
    EXPECT_EQ(F::getExtension(L"動画.MP4"), L"mp4");
    EXPECT_EQ(F::getExtension(L"trailing."), L"");
}

TEST(FileNameTimestamp, StampLayout) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 1;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    EXPECT_EQ(F::makeTimestampName(L"/backup/", L"AutoBackup", L"mvp2", t, 7),
              L"/backup/AutoBackup_2026-02-01_09-05-03-007.mvp2");
    // The current time has the same shape.
    const std::wstring now = F::makeTimestampName(L"", L"movane2", L"log");
    EXPECT_EQ(now.size(), std::wstring(L"movane2_2026-02-01_09-05-03-007.log").size());
}

template <std::size_t N>
std::wstring filterText(const wchar_t (&text)[N]) {
    return std::wstring(text, N - 1);
}

TEST(FileNameFilter, EntriesAndExtensions) {
    const std::wstring filter = filterText(L"Images\0*.png;*.JPG\0All\0*.*\0\0");
    EXPECT_EQ(F::findFilterIndex(filter, L"a.JPG"), 1);
    EXPECT_EQ(F::findFilterIndex(filter, L"dir.png/a.bmp"), 0);
    EXPECT_EQ(F::findFilterIndex(filter, L"a.jpeg"), 0);
    EXPECT_EQ(F::getFilterExtension(filter, 1), L"png");
    EXPECT_EQ(F::getFilterExtension(filter, 0), L"png");
    EXPECT_EQ(F::getFilterExtension(filter, 2), L"*");
    EXPECT_EQ(F::getFilterExtension(filter, 3), L"");
    EXPECT_EQ(F::getFilterExtensions(filter), (std::vector<std::wstring>{L"png", L"jpg"}));
    const std::wstring repeats = filterText(L"A\0*.wav;*.WAV;x.*\0\0");
    EXPECT_EQ(F::getFilterExtensions(repeats), (std::vector<std::wstring>{L"wav", L"wav"}));
}

TEST(FileNameSafety, UserTypedNames) {
    for (const wchar_t* ok : {L"preset", L"赤い枠", L"a.b", L"with space"})
        EXPECT_TRUE(F::isSafeFileName(ok)) << fs::path(ok).string();
    for (const wchar_t* bad : {L"", L".", L"..", L"a/b", L"a\\b", L"../x", L"a..b", L"tab\there", L"nl\n"})
        EXPECT_FALSE(F::isSafeFileName(bad)) << fs::path(bad).string();
}

}  // namespace

namespace {

TEST_F(PathVariables, PathStringExpandsAPatternCopy) {
    fs::create_directories(root_.path() / "program" / "data");
    F::initializeVariableList(program());
    const wchar_t* pattern = L"%Figure%\\*.svg";
    EXPECT_EQ(System::expandPathString(pattern), program() + L"/data/Figure/*.svg");
    EXPECT_EQ(std::wstring(pattern), L"%Figure%\\*.svg");
    EXPECT_EQ(System::expandPathString(L"/tmp/a.svg"), L"/tmp/a.svg");
    EXPECT_EQ(System::expandPathString(nullptr), L"");
}

}  // namespace
