#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "edit/undo/UndoService.h"
#include "window/ShortcutService.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

using Window::Shortcut;
using Window::ShortcutService;

constexpr int kF5 = 0x74;

TEST(ShortcutCodeName, NamesKeysWithTheirModifiers) {
    const struct {
        int code;
        const wchar_t* name;
    } cases[] = {
        {0x6053, L"Ctrl+Shift+S"},
        {0x4053, L"Ctrl+S"},
        {0x605A, L"Ctrl+Shift+Z"},
        {0, L""},
        {39, L"\u2192"},
        {38, L"\u2191"},
        {0x7000 | 0x70, L"Ctrl+Shift+Alt+F1"},
        {0x1000 | 123, L"Alt+F12"},
        {96, L"0 (NumPad)"},
        {105, L"9 (NumPad)"},
        {110, L". (NumPad)"},
        {8, L"BackSpace"},
        {34, L"PageDown"},
        {'7', L"7"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shortcut::getCodeName(c.code), c.name) << std::hex << c.code;
}

TEST(ShortcutCodeName, AKeyWithoutNameGivesNothingAndAWarning) {
    CoreTest::LogLines log;
    EXPECT_EQ(Shortcut::getCodeName(0x40FF), L"");
    EXPECT_EQ(log.count(System::Log::WARN, "Window::Shortcut::getCodeName", "invalid shortcut key code. 000040ff"), 1);
}

TEST(ShortcutCodeName, TheKeyCodeSectionAddsAndReplacesNames) {
    System::IniFile conf;
    conf.loadMemory(
        "[KeyCode]\n"
        "186=;:\n"          // a new row
        "4285=Minus\n"      // 4285 & 0xFFF = 189
        "ab=Skipped\n"
        "99999999999999999999=Overflow\n"
        "187=\n");          // an empty name adds nothing
    Shortcut::applyKeyNames(conf.getSection("KeyCode"));
    EXPECT_EQ(Shortcut::getCodeName(0x4000 | 186), L"Ctrl+;:");
    EXPECT_EQ(Shortcut::getCodeName(189), L"Minus");
    CoreTest::LogLines log;
    EXPECT_EQ(Shortcut::getCodeName(187), L"");
}

class ShortcutServiceTest : public ::testing::Test {
protected:
    std::string iniPath() const { return (folder.data() / "keyboard.ini").string(); }
    void writeIni(const std::string& text) { CoreTest::writeBytes(iniPath(), text); }

    // Ctrl, Shift and Alt as the test holds them.
    void hold(ShortcutService& service) {
        service.hooks.keyDown = [this](int key) { return held.count(key) != 0; };
    }

    CoreTest::ProgramFolder folder;
    std::set<int> held;
};

TEST_F(ShortcutServiceTest, ReadsSectionsUntilTheFirstGap) {
    writeIni(
        "[shortcut.0]\r\nname=編集:次のフレームに移動\r\ncode=0\r\n"
        "[shortcut.1]\r\nname=ファイル:開く\r\ncode=16463\r\n"
        "[shortcut.3]\r\nname=ファイル:保存\r\ncode=16467\r\n");
    ShortcutService service;
    EXPECT_EQ(service.savedCodes.size(), 2u);
    EXPECT_EQ(service.savedCodes.at(L"編集:次のフレームに移動"), 0);
    EXPECT_EQ(service.savedCodes.at(L"ファイル:開く"), 16463);
    EXPECT_FALSE(service.savedCodes.count(L"ファイル:保存"));
}

TEST_F(ShortcutServiceTest, TheFirstSectionOfANameWins) {
    writeIni("[shortcut.0]\nname=A\ncode=65\n[shortcut.1]\nname=A\ncode=66\n");
    ShortcutService service;
    EXPECT_EQ(service.savedCodes.at(L"A"), 65);
}

TEST_F(ShortcutServiceTest, ADamagedSectionStopsTheReadingWithAWarning) {
    for (const char* damaged : {"[shortcut.1]\nname=B\n", "[shortcut.1]\ncode=66\n", "[shortcut.1]\nname=B\ncode=x6\n"}) {
        writeIni(std::string("[shortcut.0]\nname=A\ncode=65\n") + damaged + "[shortcut.2]\nname=C\ncode=67\n");
        CoreTest::LogLines log;
        ShortcutService service;
        EXPECT_EQ(service.savedCodes.size(), 1u) << damaged;
        EXPECT_EQ(service.savedCodes.at(L"A"), 65);
        ASSERT_EQ(log.of(System::Log::WARN).size(), 1u) << damaged;
        EXPECT_NE(log.of(System::Log::WARN)[0].text.find("shortcut.1"), std::string::npos);
    }
}

TEST_F(ShortcutServiceTest, WithoutAFileNothingIsSaved) {
    ShortcutService service;
    EXPECT_TRUE(service.savedCodes.empty());
}

TEST_F(ShortcutServiceTest, SavingKeysAtTheirDefaultsWritesAnEmptyFile) {
    writeIni("[shortcut.0]\nname=old\ncode=1\n");
    ShortcutService service;
    service.registerShortcut(L"A", 0x4041, nullptr, nullptr, 0);
    service.registerShortcut(L"B", 0, nullptr, nullptr, 0);
    service.save();
    EXPECT_EQ(CoreTest::readBytes(iniPath()), "");
}

TEST_F(ShortcutServiceTest, SavingWritesOnlyChangedKeysNumberedWithoutGaps) {
    ShortcutService service;
    service.registerShortcut(L"編集:次のフレームに移動", 39, nullptr, nullptr, 0);
    service.registerShortcut(L"B", 66, nullptr, nullptr, 0);
    service.registerShortcut(L"C", 0, nullptr, nullptr, 0);
    service.shortcuts[0].code = 0;
    service.shortcuts[2].code = 0x6053;
    service.save();
    EXPECT_EQ(CoreTest::readBytes(iniPath()),
              "[shortcut.0]\r\nname=編集:次のフレームに移動\r\ncode=0\r\n"
              "[shortcut.1]\r\nname=C\r\ncode=24659\r\n");
    // And it reads back.
    ShortcutService again;
    EXPECT_EQ(again.savedCodes.size(), 2u);
    EXPECT_EQ(again.savedCodes.at(L"C"), 24659);
}

TEST_F(ShortcutServiceTest, AFailedSaveKeepsTheOldFile) {
    writeIni("[shortcut.0]\nname=A\ncode=65\n");
    ShortcutService service;
    service.registerShortcut(L"A", 0, nullptr, nullptr, 0);
    service.shortcuts[0].code = 66;
    {
        CoreTest::FileSizeLimit limit(0);
        service.save();  // logged, not raised
    }
    EXPECT_EQ(CoreTest::readBytes(iniPath()), "[shortcut.0]\nname=A\ncode=65\n");
}

TEST_F(ShortcutServiceTest, TwoCommandsWithOneDefaultKey) {
    ShortcutService service;
    service.registerShortcut(L"first", kF5, nullptr, nullptr, 0);
    service.registerShortcut(L"second", kF5, nullptr, nullptr, 0);
    EXPECT_EQ(service.shortcuts[0].code, kF5);
    EXPECT_EQ(service.shortcuts[1].code, 0);
    EXPECT_EQ(service.shortcuts[1].defaultCode, kF5);
    EXPECT_EQ(service.findEntry(kF5), &service.shortcuts[0]);
    EXPECT_EQ(service.findEntry(0), nullptr);
}

TEST_F(ShortcutServiceTest, ASavedBindingTakesTheKeyFromAnEarlierDefault) {
    writeIni("[shortcut.0]\nname=second\ncode=116\n");
    ShortcutService service;
    service.registerShortcut(L"first", kF5, nullptr, nullptr, 0);
    service.registerShortcut(L"second", 0x41, nullptr, nullptr, 0);
    EXPECT_EQ(service.shortcuts[0].code, 0);
    EXPECT_EQ(service.shortcuts[1].code, kF5);
}

TEST_F(ShortcutServiceTest, DispatchFallsBackToTheKeyWithoutCtrlAndShift) {
    ShortcutService service;
    hold(service);
    int f5 = 0;
    int altF = 0;
    service.registerShortcut(L"F5", kF5, [&] { ++f5; }, nullptr, 0);
    service.registerShortcut(L"Alt+F4", 0x1000 | 0x73, [&] { ++altF; }, nullptr, 0);
    const struct {
        std::set<int> keys;
        int key;
        bool ran;
        int f5;
    } cases[] = {
        {{}, kF5, true, 1},
        {{0x11}, kF5, true, 2},         // Ctrl+F5
        {{0x10}, kF5, true, 3},         // Shift+F5
        {{0x11, 0x10}, kF5, true, 4},   // Ctrl+Shift+F5
        {{0x12}, kF5, false, 4},        // Alt+F5: Alt is kept
        {{0x11}, 0x11, false, 4},       // Ctrl alone: 0x4011 -> 0x11, nothing
        {{}, 0x73, false, 4},           // F4 alone does not become Alt+F4
    };
    for (const auto& c : cases) {
        held = c.keys;
        EXPECT_EQ(service.dispatchKey(c.key), c.ran) << c.key;
        EXPECT_EQ(f5, c.f5) << c.key;
    }
    held = {0x12, 0x11};  // Ctrl+Alt+F4 falls back to Alt+F4
    EXPECT_TRUE(service.dispatchKey(0x73));
    EXPECT_EQ(altF, 1);
}

TEST_F(ShortcutServiceTest, AMenuEntryRunsItsCommandOfTheBar) {
    ShortcutService service;
    hold(service);
    int ran = 0;
    service.hooks.executeMenuCommand = [&](int id) { ran = id; };
    service.registerShortcut(L"編集:元に戻す", 0x405A, nullptr, reinterpret_cast<Platform::MenuHandle>(1), 40007);
    held = {0x11};
    EXPECT_TRUE(service.dispatchKey('Z'));
    EXPECT_EQ(ran, 40007);
    EXPECT_EQ(service.getDefaultCode('Z'), 0x405A);
    held = {};
    EXPECT_EQ(service.getDefaultCode('Z'), 0);
}

TEST_F(ShortcutServiceTest, AKeyDuringAnOpenUndoGroupEndsTheDragAndIsRefused) {
    System::Singleton<Undo::UndoService> undo;
    ShortcutService service;
    int interrupted = 0;
    int ran = 0;
    service.hooks.interruptMouse = [&] { ++interrupted; };
    service.registerShortcut(L"F5", kF5, [&] { ++ran; }, nullptr, 0);
    System::Singleton<Undo::UndoService>::getInstance()->recording = true;
    EXPECT_FALSE(service.dispatchKey(kF5));
    EXPECT_EQ(interrupted, 1);
    EXPECT_EQ(ran, 0);
    System::Singleton<Undo::UndoService>::getInstance()->recording = false;
    EXPECT_TRUE(service.dispatchKey(kF5));
    EXPECT_EQ(ran, 1);
    // A key without a command leaves the mouse alone.
    EXPECT_FALSE(service.dispatchKey(0x75));
    EXPECT_EQ(interrupted, 2);
}

TEST_F(ShortcutServiceTest, RemovingKeepsTheOrderOfTheRest) {
    ShortcutService service;
    auto* menu = reinterpret_cast<Platform::MenuHandle>(1);
    service.registerShortcut(L"a", 0, nullptr, nullptr, 0);
    service.registerShortcut(L"b", 0, nullptr, menu, 1);
    service.registerShortcut(L"c", 0, nullptr, nullptr, 0);
    service.registerShortcut(L"d", 0, nullptr, menu, 2);
    service.removeShortcuts([](const Shortcut& s) { return s.menu != nullptr; });
    ASSERT_EQ(service.shortcuts.size(), 2u);
    EXPECT_EQ(service.shortcuts[0].name, L"a");
    EXPECT_EQ(service.shortcuts[1].name, L"c");
}

}  // namespace
