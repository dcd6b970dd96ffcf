#include "effect/registry/EffectService.h"

#include "effect/RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using Effect::EffectService;
using RegistryTest::Kind;

struct BlurTraits : RegistryTest::Traits {
    static constexpr const wchar_t* name = L"ぼかし";
    static constexpr std::uint8_t kind = 3, media = 1, target = 1;
};
using Blur = Kind<BlurTraits>;
struct SlashTraits : RegistryTest::Traits {
    static constexpr const wchar_t* name = L"a/b\\c\x01" L"d";
    static constexpr std::uint8_t kind = 3, media = 1, target = 1;
};
using Slash = Kind<SlashTraits>;
struct OtherTraits : RegistryTest::Traits {
    static constexpr const wchar_t* name = L"別の効果";
    static constexpr std::uint8_t kind = 3, media = 1, target = 1;
};
using Other = Kind<OtherTraits>;

class Defaults : public ::testing::Test {
protected:
    RegistryTest::Environment env;
    EffectService service;
    std::shared_ptr<Blur> prototype = service.registerEffect<Blur>();
    Effect::EffectDefine& define = service.findEffect(L"ぼかし");
    std::string path = env.file("Default", "ぼかし.effect");
};

TEST_F(Defaults, SavedDefaultsAreReadOnceIntoThePrototype) {
    EXPECT_EQ(define.getDefaultSettingPath(), System::String::toWide(path));
    // No file: the prototype as it is, and no second look until a save.
    EXPECT_EQ(&define.getDefaultSetting(), prototype.get());
    EXPECT_TRUE(define.defaultsLoaded);
    CoreTest::writeBytes(path, "[Effect.0]\r\nサイズ=33\r\n");
    EXPECT_EQ(prototype->size.values[0], 10);
    define.getDefaultSetting();
    EXPECT_EQ(prototype->size.values[0], 10);

    auto instance = std::static_pointer_cast<Blur>(define.createEffect());
    instance->size.setValue(42, 0);
    instance->flag.value = true;
    instance->hide = true;
    define.saveDefaultSetting(*instance);
    EXPECT_FALSE(define.defaultsLoaded);
    EXPECT_EQ(CoreTest::readBytes(path),
              "[Effect.0]\r\neffect.name=ぼかし\r\ndisplay.hide=1\r\nサイズ=42\r\n反転=1\r\n");
    EXPECT_EQ(prototype->size.values[0], 10);  // not until asked
    define.getDefaultSetting();
    EXPECT_EQ(prototype->size.values[0], 42);
    EXPECT_TRUE(prototype->flag.value);
    // A new instance carries the class's values; the edit commands copy the
    // defaults from the prototype.
    EXPECT_EQ(std::static_pointer_cast<Blur>(define.createEffect())->size.values[0], 10);
}

TEST_F(Defaults, ResetForgetsTheFileAndOtherKindsAreIgnored) {
    auto instance = std::static_pointer_cast<Blur>(define.createEffect());
    instance->size.setValue(70, 0);
    define.saveDefaultSetting(*instance);
    define.getDefaultSetting();
    ASSERT_EQ(prototype->size.values[0], 70);

    service.registerEffect<Other>();
    const auto other = service.createEffect(L"別の効果");
    define.saveDefaultSetting(*other);
    define.resetDefaultSetting(*other);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(CoreTest::readBytes(path).find("別の効果"), std::string::npos);

    define.resetDefaultSetting(*instance);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(prototype->size.values[0], 10);
    EXPECT_EQ(prototype->initialized, 1);  // the fresh instance was initialised, not the prototype
    define.resetDefaultSetting(*instance);  // nothing to delete
}

TEST_F(Defaults, AFailedSaveKeepsTheOldFile) {
    CoreTest::writeBytes(path, "[Effect.0]\r\nサイズ=5\r\n");
    std::filesystem::create_directory(path + ".tmp");
    const auto instance = define.createEffect();
    EXPECT_ANY_THROW(define.saveDefaultSetting(*instance));
    EXPECT_EQ(CoreTest::readBytes(path), "[Effect.0]\r\nサイズ=5\r\n");
}

TEST_F(Defaults, MalformedValuesAreSkipped) {
    CoreTest::writeBytes(path, "[Effect.0]\r\nサイズ=abc\r\n反転=1\r\n");
    define.getDefaultSetting();
    EXPECT_EQ(prototype->size.values[0], 10);
    EXPECT_TRUE(prototype->flag.value);
}

TEST_F(Defaults, NamesWithSeparatorsStayInTheFolder) {
    service.registerEffect<Slash>();
    Effect::EffectDefine& slash = service.findEffect(SlashTraits::name);
    const std::wstring expected =
        System::String::toWide(env.file("Default", "a_b_c_d.effect"));
    EXPECT_EQ(slash.getDefaultSettingPath(), expected);
    slash.saveDefaultSetting(*slash.createEffect());
    EXPECT_TRUE(std::filesystem::exists(env.file("Default", "a_b_c_d.effect")));
}

TEST(DefaultsFile, AFileThatCannotBeReadRaisesItsError) {
    RegistryTest::Environment env;
    EffectService service;
    service.registerEffect<Blur>();
    Effect::EffectDefine& define = service.findEffect(L"ぼかし");
    const std::string path = env.file("Default", "ぼかし.effect");
    CoreTest::writeBytes(path, "[Effect.0]\r\nサイズ=5\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (::access(path.c_str(), R_OK) == 0) GTEST_SKIP() << "running as root";
    EXPECT_ANY_THROW(define.getDefaultSetting());
    EXPECT_EQ(&define.getDefaultSetting(), define.prototype.get());  // not read again
}

}  // namespace
