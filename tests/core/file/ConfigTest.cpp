#include "core/file/Config.h"
#include "core/file/IniFile.h"
#include "core/base/Singleton.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <tuple>

namespace {

using System::Config;
using System::IniFile;

// An owner as services declare it: members, the group, then the scope.
struct Owner {
    explicit Owner(IniFile* ini, const char* name = "Group") : group(name), scope(group, ini) {}

    int count = -1;
    float ratio = -1.0f;
    std::wstring label = L"unset";
    Config group;
    Config::Int countParameter{group, "Count", &count, 7};
    Config::Float ratioParameter{group, "Ratio", &ratio, 120.0f};
    Config::String labelParameter{group, "Label", &label, L"既定"};
    Config::Scope scope;
};

std::string text(IniFile& ini, const char* key) { return ini.getSection("Group").findValue(key).text; }

TEST(ConfigLoad, KeysPresentAreReadMissingOnesReset) {
    struct Case {
        const char* file;
        int count;
        float ratio;
        std::wstring label;
    };
    const Case cases[] = {
        {"[Group]\nCount=12abc\n", 12, 120.0f, L"既定"},
        {"[Group]\nCount=abc\nRatio=1e3\nLabel=\n", 7, 1000.0f, L""},
        {"[Group]\nCount=\nRatio=x\nLabel=名前\n", 7, 120.0f, L"名前"},
        {"[Group]\nCount=99999999999\nRatio=-2.5\n", 7, -2.5f, L"既定"},
        {"[Other]\nCount=3\n", 7, 120.0f, L"既定"},
    };
    for (const Case& c : cases) {
        IniFile ini;
        ini.loadMemory(c.file);
        Owner owner(&ini);
        EXPECT_EQ(owner.count, c.count) << c.file;
        EXPECT_FLOAT_EQ(owner.ratio, c.ratio) << c.file;
        EXPECT_EQ(owner.label, c.label) << c.file;
    }
}

TEST(ConfigLoad, AtomicIntReadsAndWritesLikeInt) {
    IniFile ini;
    ini.loadMemory("[Group]\nA=12abc\nB=x\n");
    {
        std::atomic<int> a{-1}, b{-1}, c{-1};
        Config group("Group");
        Config::AtomicInt aParameter{group, "A", &a, 5};
        Config::AtomicInt bParameter{group, "B", &b, 5};
        Config::AtomicInt cParameter{group, "C", &c, 6};
        Config::Scope scope(group, &ini);
        EXPECT_EQ(std::tuple(a.load(), b.load(), c.load()), std::tuple(12, 5, 6));
        b = -3;
    }
    EXPECT_EQ(std::tuple(text(ini, "A"), text(ini, "B"), text(ini, "C")), std::tuple("12", "-3", "6"));
}

TEST(ConfigWriteBack, EveryParameterIsWrittenOthersStay) {
    IniFile ini;
    ini.loadMemory("[Group]\nUser=kept\nRatio=1e3\n");
    const IniFile::VALUE* ratioBefore = &ini.getSection("Group").findValue("Ratio");
    {
        Owner owner(&ini);
        owner.count = 42;
        owner.label = L"書き戻し";
    }
    EXPECT_EQ(text(ini, "Count"), "42");
    EXPECT_EQ(text(ini, "Ratio"), "1000.000000");
    EXPECT_EQ(text(ini, "Label"), "書き戻し");
    EXPECT_EQ(text(ini, "User"), "kept");
    // The existing value is the same object, keeping its line.
    EXPECT_EQ(&ini.getSection("Group").findValue("Ratio"), ratioBefore);
    EXPECT_EQ(ratioBefore->line, 3);
}

TEST(ConfigWriteBack, AGroupNeverFoundAppearsWithItsDefaults) {
    IniFile ini;
    { Owner owner(&ini); }
    EXPECT_EQ(text(ini, "Count"), "7");
    EXPECT_EQ(text(ini, "Ratio"), "120.000000");
    EXPECT_EQ(text(ini, "Label"), "既定");
}

TEST(ConfigWriteBack, InertGroupAndNoFile) {
    IniFile ini;
    {
        Owner inert(&ini, nullptr);
        EXPECT_EQ(inert.count, -1);  // not loaded
    }
    EXPECT_TRUE(ini.sections.empty());
    // Without a main settings file the group takes its defaults.
    ASSERT_EQ(Config::mainSettingsFile(), nullptr);
    Config group("Main");
    int value = 0;
    Config::Int parameter(group, "V", &value, 5);
    Config::Scope scope(group);
    EXPECT_EQ(value, 5);
}

TEST(ConfigWriteBack, MainSettingsFileThroughItsHolder) {
    System::Singleton<IniFile> holder;
    IniFile& main = *Config::mainSettingsFile();
    main.loadMemory("[Main]\nV=8\n");
    {
        Config group("Main");
        int value = 0;
        Config::Int parameter(group, "V", &value, 5);
        Config::Scope scope(group);
        EXPECT_EQ(value, 8);
        value = 9;
    }
    EXPECT_EQ(main.getSection("Main").findValue("V").text, "9");
}

}  // namespace
