#include "effect/AllKindsEffect.h"
#include "effect/EffectTestSupport.h"
#include "core/CoreTestSupport.h"

#include "core/file/FileName.h"
#include "core/file/SettingService.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using EffectTest::AllKinds;
using EffectTest::errorOf;

class EffectSection : public ::testing::Test {
protected:
    EffectTest::Movements& movements = EffectTest::Movements::install();
    CoreTest::TempFolder folder;

    std::string write(const Effect::EffectBase& effect) {
        {
            System::IniFile::Save save(folder.wide("effect.ini").c_str());
            save.writeSection("Effect.0");
            effect.saveIniSectionParameter(save);
            save.close();
        }
        return CoreTest::readBytes(folder.file("effect.ini"));
    }
    void read(Effect::EffectBase& effect, const std::string& bytes, bool legacy = false) {
        CoreTest::writeBytes(folder.file("read.ini"), bytes);
        ini.loadFile(folder.wide("read.ini").c_str());
        if (legacy)
            effect.loadQroSectionParameter(ini.getSection("0"));
        else
            effect.loadIniSectionParameter(ini.getSection("Effect.0"));
    }
    static bool sameValues(const Effect::EffectBase& a, const Effect::EffectBase& b) {
        if (a.items.size() != b.items.size()) return false;
        for (std::size_t i = 0; i < a.items.size(); ++i)
            if (!a.items[i]->equals(*b.items[i])) return false;
        return a.disable == b.disable && a.hide == b.hide && a.lock == b.lock;
    }

    System::IniFile ini;
};

TEST_F(EffectSection, KeysInOrderWithFlagsOnlyWhenSet) {
    AllKinds effect;
    const std::string items =
        "X=0.00\r\nY=0.0\r\n反転=0\r\n数=3\r\n合成モード=通常\r\n"
        "テキスト=一行目\\n二行目\r\n値={1,2}\r\nファイル=\r\n色=ffffff\r\n光色=\r\n"
        "図形=円\r\nマスク=円\r\nYUV=\r\nGroup=0\r\n参照=\r\n";
    EXPECT_EQ(write(effect), "[Effect.0]\r\neffect.name=全種類\r\n" + items);

    effect.disable = true;
    effect.lock = true;
    EXPECT_EQ(write(effect),
              "[Effect.0]\r\neffect.name=全種類\r\neffect.disable=1\r\ndisplay.lock=1\r\n" + items);
    effect.disable = false;
    effect.lock = false;
    effect.hide = true;
    EXPECT_EQ(write(effect), "[Effect.0]\r\neffect.name=全種類\r\ndisplay.hide=1\r\n" + items);
}

TEST_F(EffectSection, WrittenAndReadBackIsEqual) {
    AllKinds effect;
    effect.x.setMovement(*movements.linear);
    effect.x.resizeValueList(3);
    effect.x.values = {-5, 150, 99999};
    effect.x.flags = 1;
    effect.y.setMovement(*movements.random);
    effect.y.resizeValueList(2);
    effect.y.params = {15, 0.5};
    effect.check.value = true;
    effect.count.value = 2000;
    effect.blend.value = 1;
    effect.text.text = L"a\\nb\nc=d;e";
    effect.value.text = L"[x]=y";
    effect.file.path = L"/tmp/動画.mp4";
    effect.color.fromString("1a2b3c");
    effect.light.fromString("000000");
    effect.figure.setFilePath(L"/tmp/star.svg");
    effect.mask.fromString("*temp");
    effect.yuv.range = 3;
    effect.group.linked = true;
    effect.disable = effect.hide = effect.lock = true;
    const std::string bytes = write(effect);

    AllKinds back;
    read(back, bytes);
    EXPECT_TRUE(sameValues(back, effect));
    EXPECT_EQ(write(back), bytes);
}

TEST_F(EffectSection, ValuesThatWouldBreakTheirLineAreRefusedAndTheOldFileStays) {
    // A line break would end the line early and make the rest lines of the
    // file (a section and keys of its own, even); a NUL would not read back.
    const std::string saved = "[Effect.0]\r\neffect.name=全種類\r\nファイル=/tmp/old.png\r\n";
    Effect::EffectItemSelect::SharedList figures;  // a figure file's title may hold a line break
    figures.setItem(0, L"円");
    figures.setItem(9, L"two\nlines");
    struct Case {
        const char* what;
        std::function<void(AllKinds&)> set;
        const char* key;
        const char* error;
    };
    const char* lineBreak = "text holds a line break.";
    const Case cases[] = {
        {"path with LF", [](AllKinds& e) { e.file.path = L"/tmp/a\nb.png"; }, "ファイル", lineBreak},
        {"path ending in CR", [](AllKinds& e) { e.file.path = L"/tmp/a.png\r"; }, "ファイル", lineBreak},
        {"path adding a section",
         [](AllKinds& e) { e.file.path = L"/tmp/a.png\r\n[Effect.1]\r\neffect.name=x"; }, "ファイル", lineBreak},
        {"path with NUL", [](AllKinds& e) { e.file.path = std::wstring(L"/tmp/a.png\0b", 12); }, "ファイル",
         "text holds a NUL character."},
        {"figure path",
         [](AllKinds& e) {
             e.figure.path = L"/tmp/a\rb.svg";
             e.figure.value = -1;
         },
         "図形", lineBreak},
        {"figure file title",
         [&](AllKinds& e) {
             e.figure.list = &figures;
             e.figure.value = 9;
         },
         "図形", lineBreak},
        {"mask path",
         [](AllKinds& e) {
             e.mask.path = L"/tmp/m\n.png";
             e.mask.figure = -1;
         },
         "マスク", lineBreak},
        {"one-line string", [](AllKinds& e) { e.value.text = L"{1,\n2}"; }, "値", lineBreak},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CoreTest::writeBytes(folder.file("effect.ini"), saved);
        AllKinds effect;
        c.set(effect);
        EXPECT_EQ(errorOf([&] { write(effect); }),
                  std::string(c.error) + "\n\n[Note]\nkey=" + c.key +
                      "\n\n[Place]\nEffect::EffectBase::saveIniSectionParameter()");
        EXPECT_EQ(CoreTest::readBytes(folder.file("effect.ini")), saved);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    }
    // Script effects are named after their files.
    struct Named : Effect::EffectBase {
        Named()
            : EffectBase(L"two\nlines", Effect::EffectKind::Filter, Effect::MediaKind::Video,
                         Effect::MediaKind::Video, L"") {}
        std::shared_ptr<Effect::EffectBase> create() const override { return nullptr; }
    };
    EXPECT_EQ(errorOf([&] { write(Named()); }),
              "text holds a line break.\n\n[Note]\nkey=effect.name\n\n[Place]\n"
              "Effect::EffectBase::saveIniSectionParameter()");
    EXPECT_EQ(CoreTest::readBytes(folder.file("effect.ini")), saved);
}

TEST_F(EffectSection, MissingKeysKeepDefaultsAndBadValuesAreSkipped) {
    AllKinds effect;
    effect.count.value = 7;
    read(effect, "[Effect.0]\r\neffect.name=全種類\r\neffect.disable=0\r\n未知=1\r\n");
    EXPECT_EQ(effect.count.value, 7);
    EXPECT_FALSE(effect.disable);

    CoreTest::LogLines log;
    read(effect,
         "[Effect.0]\r\ndisplay.hide=2\r\nX=abc\r\n反転=x\r\n数=5\r\n色=fff\r\n光色=\r\n"
         "Group=1\r\n");
    EXPECT_TRUE(effect.hide);
    EXPECT_EQ(effect.x.values, std::vector<std::int32_t>{0});
    EXPECT_FALSE(effect.check.value);
    EXPECT_EQ(effect.count.value, 5);
    EXPECT_EQ(effect.color.toString(), "ffffff");
    EXPECT_TRUE(effect.light.noColor);
    EXPECT_TRUE(effect.group.linked);
    const auto warnings = log.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 3u);
    const char* expected[] = {"ini file effect parameter invalid. (0)",
                              "ini file effect parameter invalid. (2)",
                              "ini file effect parameter invalid. (8)"};
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        EXPECT_EQ(warnings[i].tag, "Effect::EffectBase::loadIniSectionParameter");
        EXPECT_EQ(warnings[i].text, expected[i]);
    }
}

TEST_F(EffectSection, MalformedFlagEndsTheLoad) {
    AllKinds effect;
    const std::string error = errorOf([&] {
        read(effect, "[Effect.0]\r\neffect.disable=yes\r\n数=5\r\n");
    });
    EXPECT_EQ(error.rfind("ini file parameter invalid format(int).\n\n[Note]\n", 0), 0u) << error;
    EXPECT_NE(error.find("section=Effect.0 key=effect.disable"), std::string::npos) << error;
    EXPECT_EQ(effect.count.value, 3);
}

TEST_F(EffectSection, LegacySectionByItemNames) {
    AllKinds effect;
    CoreTest::LogLines log;
    read(effect,
         "[0]\r\n_name=全種類\r\n_disable=1\r\n数=9\r\n反転=zz\r\n色=ff0000\r\nno_色=1\r\n"
         "合成モード=1\r\ncolor_yc=000000000000\r\n",
         true);
    EXPECT_TRUE(effect.disable);
    EXPECT_EQ(effect.count.value, 9);
    EXPECT_FALSE(effect.check.value);
    EXPECT_EQ(effect.color.toString(), "ff0000");  // "no_色" names no item
    EXPECT_EQ(effect.blend.value, 1);
    const auto warnings = log.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].tag, "Effect::EffectBase::loadQroSectionParameter");
    EXPECT_EQ(warnings[0].text, "ini file effect parameter invalid. [全種類](反転)");
    EXPECT_EQ(effect.findQroItem(L"color_yc"), nullptr);
}

// Legacy keys that effect.conf translates to item names.
TEST_F(EffectSection, LegacyKeysThroughEffectConf) {
    const std::filesystem::path data = folder.path() / "data";
    std::filesystem::create_directory(data);
    for (const char* name : {"system.conf", "style.conf"})
        std::filesystem::copy_file(std::filesystem::path(MOVANE2_SOURCE_DIR) / "conf" / name, data / name);
    CoreTest::writeBytes((data / "effect.conf").string(),
                         "[OldScript.全種類]\r\ncount=数\r\ncol=色\r\nbad=存在しない\r\n"
                         "[OldScript.他]\r\nnum=数\r\n");
    System::FileName::initializeVariableList(folder.path().wstring());
    System::Singleton<Setting::SettingService> service;

    AllKinds effect;
    EXPECT_EQ(effect.findQroItem(L"count"), &effect.count);
    EXPECT_EQ(effect.findQroItem(L"bad"), nullptr);
    EXPECT_EQ(effect.findQroItem(L"num"), nullptr);  // another effect's table
    CoreTest::LogLines log;
    read(effect, "[0]\r\n_name=x\r\ncount=6\r\ncol=00ff00\r\nbad=1\r\nnum=2\r\n数=8\r\n", true);
    EXPECT_EQ(effect.count.value, 8);  // keys apply in the section's order
    EXPECT_EQ(effect.color.toString(), "00ff00");
    EXPECT_TRUE(log.of(System::Log::WARN).empty());
}

}  // namespace
