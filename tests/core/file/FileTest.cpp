#include "core/CoreTestSupport.h"

#include "core/file/AtomicFile.h"
#include "core/base/Exception.h"
#include "core/file/File.h"
#include "core/file/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using System::File;
namespace fs = std::filesystem;

using CoreTest::failureText;

TEST(FileOpen, MissingFileLogsTheCallThenRaisesWithThePath) {
    CoreTest::TempFolder folder;
    CoreTest::LogLines log;
    const std::wstring path = folder.wide("missing.txt");
    File file;
    const std::string text = failureText([&] { file.open(path.c_str(), File::Mode::Read); });
    EXPECT_EQ(text, "failed to open file.\n\n[Note]\n" + folder.file("missing.txt") +
                        "\n\n[Place]\nSystem::File::open()");
    const auto errors = log.of(System::Log::ERROR);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].text.rfind("open() failed in System::File::open() [", 0), 0u) << errors[0].text;
    EXPECT_NE(errors[0].text.find("(HRESULT: 0x80070002)"), std::string::npos) << errors[0].text;
    EXPECT_FALSE(file.isOpen());

    // A folder is no file to read.
    EXPECT_EQ(failureText([&] { file.open(folder.path().wstring().c_str(), File::Mode::Read); })
                  .rfind("failed to open file.", 0),
              0u);
}

TEST(FileOpen, ModesReplaceKeepOrVanish) {
    CoreTest::TempFolder folder;
    const std::string a = folder.file("a.bin");
    const std::string b = folder.file("b.bin");
    CoreTest::writeBytes(a, "old contents");
    CoreTest::writeBytes(b, "0123456789");

    File file;
    file.open(fs::path(a).wstring().c_str(), File::Mode::Write);
    file.write("new", 3);
    // A second open closes the first handle: later writes go to b only.
    file.open(fs::path(b).wstring().c_str(), File::Mode::OpenWriteShareRead);
    file.write("AB", 2);
    file.close();
    EXPECT_EQ(CoreTest::readBytes(a), "new");
    EXPECT_EQ(CoreTest::readBytes(b), "AB23456789");

    file.open(fs::path(b).wstring().c_str(), File::Mode::WriteShareRead);
    file.close();
    EXPECT_EQ(CoreTest::readBytes(b), "");

    // The temporary file reads back what was written and leaves no name.
    file.open(folder.wide("scratch.tmp").c_str(), File::Mode::Temporary);
    file.write("temporary", 9);
    EXPECT_EQ(file.read(), "temporary");
    EXPECT_EQ(file.getSize(), 9u);
    file.close();
    EXPECT_FALSE(fs::exists(folder.file("scratch.tmp")));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(FileRead, BlocksSeekAndShortReads) {
    CoreTest::TempFolder folder;
    std::string bytes(160, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i);
    CoreTest::writeBytes(folder.file("data.bin"), bytes);

    File file;
    file.open(folder.wide("data.bin").c_str(), File::Mode::Read);
    EXPECT_EQ(file.getSize(), 160u);
    EXPECT_EQ(file.seek(100), 100u);
    char block[100];
    file.readBlock(block, 10);
    EXPECT_EQ(std::string(block, 10), bytes.substr(100, 10));
    EXPECT_EQ(file.seek(-10, SEEK_END), 150u);
    EXPECT_EQ(file.read(), bytes);

    file.seek(100);  // 60 bytes before the end
    EXPECT_EQ(failureText([&] { file.readBlock(block, 100); }),
              "The system cannot read from the specified device.\n\n[Place]\nSystem::File::readBlock()");
    const std::string seekFailure = failureText([&] { file.seek(-1, SEEK_SET); });
    EXPECT_EQ(seekFailure.rfind("lseek() failed.\n\n[Note]\nHRESULT: 0x80070057\n", 0), 0u) << seekFailure;
    EXPECT_NE(seekFailure.find("[Place]\nSystem::File::seek()"), std::string::npos);
}

TEST(FileWrite, FullDeviceRaisesTheSystemsCode) {
    File file;
    file.open(L"/dev/full", File::Mode::OpenWriteShareRead);
    const std::string text = failureText([&] { file.write("x", 1); });
    EXPECT_EQ(text.rfind("write() failed.\n\n[Note]\nHRESULT: 0x80070070\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Place]\nSystem::File::write()"), std::string::npos);
}

TEST(FileListing, PatternExtensionLengthAndOrder) {
    CoreTest::TempFolder folder;
    for (const char* name : {"b.log", "A.LOG", "c.log2", "d.lo", "e.log.bak", "noext", "ä.log"})
        CoreTest::writeBytes(folder.file(name), "12345");
    fs::create_directories(folder.path() / "sub.log");
    const std::wstring root = folder.path().wstring();

    const auto bare = File::findFiles(root + L"/*.log", nullptr);
    std::vector<std::wstring> names;
    for (const auto& info : bare) names.push_back(info.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.LOG", L"b.log", L"ä.log"}));
    EXPECT_EQ(bare[0].size, 5u);
    EXPECT_GT(bare[0].lastWrite, 116444736000000000ull);  // after 1970

    const auto full = File::findFiles(root + L"/*.log", root.c_str());
    ASSERT_EQ(full.size(), 3u);
    EXPECT_EQ(full[1].name, root + L"/b.log");

    EXPECT_TRUE(File::findFiles(root + L"/*.*", root.c_str()).empty());
    EXPECT_TRUE(File::findFiles(root + L"/*", root.c_str()).empty());
    EXPECT_TRUE(File::findFiles(root + L"/missing/*.log", nullptr).empty());
    // Windows-made patterns with a backslash work too.
    EXPECT_EQ(File::findFiles(root + L"\\*.lo", nullptr).size(), 1u);
}

TEST(FileListing, DirectoriesSkipDotNames) {
    CoreTest::TempFolder folder;
    for (const char* name : {"Zeta", "alpha", ".hidden", "Beta"}) fs::create_directories(folder.path() / name);
    CoreTest::writeBytes(folder.file("file"), "");
    std::vector<std::wstring> names;
    for (const auto& info : File::findDirectories(folder.path().wstring() + L"/*")) names.push_back(info.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"alpha", L"Beta", L"Zeta"}));
}

TEST(FileListing, SortByUtf16Units) {
    // Above the basic plane, UTF-16 order differs from code point order.
    const std::vector<File::FileInfo> list = {
        {L"b", 0, 0}, {L"\uFFFD", 0, 0}, {L"ab", 0, 0}, {L"\U0001F600", 0, 0}, {L"a", 0, 0}, {L"B", 0, 0}};
    std::vector<std::wstring> names;
    for (const File::FileInfo* info : File::sortFileList(list)) names.push_back(info->name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"B", L"a", L"ab", L"b", L"\U0001F600", L"\uFFFD"}));
}

TEST(AtomicFile, CommitReplacesKeepingPermissions) {
    CoreTest::TempFolder folder;
    const std::string target = folder.file("user.ini");
    CoreTest::writeBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    {
        System::AtomicFile file(fs::path(target).wstring().c_str());
        file.write("new contents", 12);
        EXPECT_EQ(CoreTest::readBytes(target), "old");
        EXPECT_TRUE(fs::exists(target + ".tmp"));
        file.commit();
    }
    EXPECT_EQ(CoreTest::readBytes(target), "new contents");
    EXPECT_FALSE(fs::exists(target + ".tmp"));
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(AtomicFile, FailuresKeepTheOldFile) {
    CoreTest::TempFolder folder;
    const std::string target = folder.file("user.ini");
    const std::wstring wideTarget = fs::path(target).wstring();
    CoreTest::writeBytes(target, "old");

    {  // Abandoned without commit.
        System::AtomicFile file(wideTarget.c_str());
        file.write("half", 4);
    }
    EXPECT_EQ(CoreTest::readBytes(target), "old");
    EXPECT_FALSE(fs::exists(target + ".tmp"));

    {  // The disk fills halfway.
        System::AtomicFile file(wideTarget.c_str());
        const std::string big(4096, 'x');
        CoreTest::FileSizeLimit limit(1000);
        const std::string text = failureText([&] { file.write(big.data(), 4096); });
        EXPECT_NE(text.find("[Place]\nSystem::File::write()"), std::string::npos) << text;
    }
    EXPECT_EQ(CoreTest::readBytes(target), "old");
    EXPECT_FALSE(fs::exists(target + ".tmp"));

    // The temporary file cannot be made: the target is not touched either.
    const std::wstring inMissingFolder = folder.wide("missing/user.ini");
    EXPECT_EQ(failureText([&] { System::AtomicFile file(inMissingFolder.c_str()); }),
              "failed to open file.\n\n[Note]\n" + folder.file("missing/user.ini") +
                  "\n\n[Place]\nSystem::File::open()");

    // Renaming over a folder fails: the temporary file goes, the folder stays.
    fs::create_directories(folder.path() / "folder.ini");
    const std::wstring folderTarget = folder.wide("folder.ini");
    System::AtomicFile file(folderTarget.c_str());
    file.write("x", 1);
    const std::string renameFailure = failureText([&] { file.commit(); });
    EXPECT_EQ(renameFailure.rfind("rename() failed.", 0), 0u) << renameFailure;
    EXPECT_FALSE(file.committed());
    EXPECT_TRUE(fs::is_directory(folder.path() / "folder.ini"));
    EXPECT_FALSE(fs::exists(folder.file("folder.ini.tmp")));
}

TEST(AtomicFile, OpeningATargetRemovesOnlyWhatAKilledSaveLeftOfIt) {
    CoreTest::TempFolder folder;
    const std::string target = folder.file("work.mvp2");
    const std::wstring wideTarget = fs::path(target).wstring();
    CoreTest::writeBytes(target, "[project]\n");
    // A killed save's half-written file, and names that are not ours.
    CoreTest::writeBytes(target + ".tmp", std::string(100000, 'x'));
    CoreTest::writeBytes(target + ".tmp2", "kept");
    CoreTest::writeBytes(folder.file("work.tmp"), "kept");
    fs::create_directories(folder.path() / "other.mvp2.tmp");
    fs::create_symlink(target, folder.path() / "link.mvp2.tmp");

    System::IniFile file;
    ASSERT_TRUE(file.loadFile(wideTarget.c_str()));
    EXPECT_FALSE(fs::exists(target + ".tmp"));
    EXPECT_EQ(CoreTest::readBytes(target), "[project]\n");
    for (const char* name : {"work.mvp2.tmp2", "work.tmp", "other.mvp2.tmp"}) EXPECT_TRUE(fs::exists(folder.file(name))) << name;
    System::IniFile other;
    other.loadFile(folder.wide("other.mvp2").c_str());
    other.loadFile(folder.wide("link.mvp2").c_str());
    EXPECT_TRUE(fs::is_directory(folder.path() / "other.mvp2.tmp"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.mvp2.tmp"));

    // A save under way keeps its file, and still completes.
    System::AtomicFile saving(wideTarget.c_str());
    saving.write("new", 3);
    ASSERT_TRUE(file.loadFile(wideTarget.c_str()));
    EXPECT_TRUE(fs::exists(target + ".tmp"));
    saving.commit();
    EXPECT_EQ(CoreTest::readBytes(target), "new");
}

}  // namespace
