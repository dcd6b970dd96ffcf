#include "core/file/MenuDefineBase.h"

#include "core/base/Singleton.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class Entry : public Menu::MenuDefineBase {
public:
    Entry(const std::wstring& name, int order, const std::wstring& label, bool visible)
        : MenuDefineBase("Effect", name, order, label, visible), name_(name) {}
    const wchar_t* getName() const override { return name_.c_str(); }

private:
    std::wstring name_;
};

class MenuDefine : public ::testing::Test {
protected:
    System::Singleton<System::IniFile> settingsHolder;
    System::IniFile& settings = *System::Singleton<System::IniFile>::getInstance();

    std::string text(const std::string& section, const std::string& key) {
        return settings.getValue(section, key).text;
    }
};

TEST_F(MenuDefine, SavedSettingsWinAndAreWrittenBack) {
    settings.loadMemory("[Effect.ぼかし]\r\norder=3\r\n");
    {
        Entry entry(L"ぼかし", 12, L"ぼかし系", true);
        EXPECT_EQ(entry.key, "Effect.ぼかし");
        EXPECT_EQ(entry.order, 3);
        EXPECT_EQ(entry.label, L"ぼかし系");  // missing keys take the defaults
        EXPECT_EQ(entry.hide, 0);
        EXPECT_STREQ(entry.getTranslatedName(), L"ぼかし");
        entry.label = L"";
    }
    EXPECT_EQ(text("Effect.ぼかし", "order"), "3");
    EXPECT_EQ(text("Effect.ぼかし", "label"), "");
    EXPECT_EQ(text("Effect.ぼかし", "hide"), "0");
}

TEST_F(MenuDefine, HiddenEntryWithoutSectionWritesItsDefaults) {
    settings.loadMemory("[Effect.other]\r\norder=x\r\n");
    {
        Entry entry(L"other", 40, L"L", false);
        EXPECT_EQ(entry.order, 40);  // malformed: the default
        EXPECT_EQ(entry.hide, 1);
        Entry fresh(L"新規", 41, L"", false);
        EXPECT_EQ(fresh.hide, 1);
    }
    EXPECT_EQ(text("Effect.新規", "hide"), "1");
    EXPECT_EQ(text("Effect.新規", "order"), "41");
    EXPECT_EQ(text("Effect.other", "order"), "40");
}

}  // namespace
