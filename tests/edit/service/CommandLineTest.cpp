#include "edit/service/CommandLine.h"

#include "core/text/StringConvert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Edit::OptionKey;

TEST(CommandLineTest, ProjectAndRestartOptions) {
    struct Case {
        std::vector<std::wstring> arguments;
        const wchar_t* project;  // null: no project option
        bool restart;
    };
    const Case cases[] = {
        {{}, nullptr, false},
        {{L"a.mvp2"}, L"a.mvp2", false},
        {{L"a.mvp2", L"b.mvp2"}, L"b.mvp2", false},           // the last one wins
        {{L"a.mvp2", L"notes.txt"}, L"a.mvp2", false},        // other files are ignored
        {{L"/tmp/Movie.MVP2"}, L"/tmp/Movie.MVP2", false},    // extension compared in lower case
        {{L"-restart"}, nullptr, true},
        {{L"-Restart"}, nullptr, false},                      // the option is case-sensitive
        {{L"-restart", L"a.mvp2"}, L"a.mvp2", true},
        {{L"-x", L"--restart", L"a.mvp2x"}, nullptr, false},
        {{L"folder.mvp2/readme"}, nullptr, false},            // the extension belongs to the file name
        {{L"%AppData%\\a.mvp2"}, L"%AppData%\\a.mvp2", false},  // kept as given, unexpanded
        {{L"-a.mvp2"}, nullptr, false},                       // an option, never a file
    };
    for (const Case& c : cases) {
        std::wstring shown;
        for (const std::wstring& a : c.arguments) shown += a + L" ";
        SCOPED_TRACE(System::String::toUtf8(shown));
        const Edit::OptionTable table = Edit::parseCommandLine(c.arguments);
        EXPECT_EQ(Edit::hasOption(table, OptionKey::Restart), c.restart);
        EXPECT_EQ(Edit::hasOption(table, OptionKey::Project), c.project != nullptr);
        if (c.project) {
            EXPECT_EQ(table.at(static_cast<int>(OptionKey::Project)), c.project);
        }
        EXPECT_FALSE(Edit::hasOption(table, OptionKey::Recovery));
    }
}

// The process's own arguments come from the kernel's copy of argv.
TEST(CommandLineTest, ReadsTheProcessArguments) {
    const std::vector<std::string> argv = ::testing::internal::GetArgvs();
    std::vector<std::wstring> expected;
    for (std::size_t i = 1; i < argv.size(); ++i) expected.push_back(System::String::toWide(argv[i]));
    EXPECT_EQ(Edit::readCommandLineArguments("test"), expected);
}

}  // namespace
