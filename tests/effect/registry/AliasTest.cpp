#include "effect/registry/EffectService.h"

#include "effect/RegistryTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Effect::EffectService;

struct VolumeTraits : RegistryTest::Traits {
    static constexpr const wchar_t* name = L"音量調整";
    static constexpr std::uint8_t kind = 3, media = 2, target = 2;
};

class Aliases : public ::testing::Test {
protected:
    RegistryTest::Environment env;

    void alias(const std::string& name, const std::string& text = "") {
        CoreTest::writeBytes(env.file("Alias", name), text);
    }
    static std::vector<std::wstring> names(const EffectService& service) {
        std::vector<std::wstring> result;
        for (const auto& define : service.getAliasList()) result.push_back(define->getName());
        return result;
    }
};

TEST_F(Aliases, FilesOfTheAliasFolderRegisterInListingOrder) {
    alias("b.effect");
    alias("A.effect");
    alias("two.dots.effect");
    alias("x.effects");  // another extension length
    alias("z.object");
    alias("y.OBJECT");
    std::filesystem::create_directory(env.data("Alias") / "dir.object");
    EffectService service;
    EXPECT_EQ(names(service), (std::vector<std::wstring>{L"y", L"z", L"A", L"b", L"two.dots"}));
    EXPECT_EQ(env.infoLines("Effect::EffectService::registerAlias"),
              (std::vector<std::string>{"register alias [y]", "register alias [z]", "register alias [A]",
                                        "register alias [b]", "register alias [two.dots]"}));
    const auto& list = service.getAliasList();
    EXPECT_EQ(list[0]->key, "Effect.object.y");
    EXPECT_EQ(list[0]->getEffectType(), 100);
    EXPECT_EQ(list[4]->key, "Effect.effect.two.dots");
    EXPECT_EQ(list[4]->getEffectType(), 101);
    EXPECT_STREQ(list[4]->getTranslatedName(), L"two.dots");
    EXPECT_EQ(list[4]->getAliasPath(), System::String::toWide(env.file("Alias", "two.dots.effect")));
    EXPECT_FALSE(list[4]->isDefineOf(nullptr));
    // After the movements and the built-in rows.
    EXPECT_EQ(list[0]->order, 90);
    EXPECT_EQ(list[4]->order, 94);
}

TEST_F(Aliases, MediaComesFromTheFirstEffectOfTheFile) {
    alias("vol.effect", "[Effect.0]\r\neffect.name=音量調整\r\nサイズ=3\r\n");
    alias("lost.effect", "[Effect.0]\r\neffect.name=無い効果\r\n");
    alias("bare.effect", "[Effect.0]\r\nサイズ=3\r\n");
    alias("obj.object", "[Object]\r\nlength=10\r\n[Object.0]\r\neffect.name=音量調整\r\n");
    EffectService service;
    service.registerEffect<RegistryTest::Kind<VolumeTraits>>();
    for (const auto& define : service.getAliasList()) {
        SCOPED_TRACE(System::String::toUtf8(define->name));
        const bool known = define->name == L"vol";
        EXPECT_EQ(define->getMediaType(), known ? 2 : 0);
        EXPECT_EQ(define->getTargetType(), known ? 2 : 0);
    }
    EXPECT_TRUE(env.errorBoxes().empty());
}

TEST_F(Aliases, LabelsAndSavedSettingsSurviveReloads) {
    alias("same.object");
    alias("same.effect");
    env.settings.loadMemory("[Effect.effect.same]\r\norder=3\r\n");
    EffectService service;
    service.setAliasLabel(L"same", L"まとめ");
    service.setAliasLabel(L"none", L"x");
    const auto& list = service.getAliasList();
    EXPECT_EQ(list[0]->label, L"まとめ");  // the object alias comes first
    EXPECT_EQ(list[1]->label, L"");
    EXPECT_EQ(list[0]->order, 90);
    EXPECT_EQ(list[1]->order, 3);

    service.reloadAlias();
    EXPECT_EQ(service.getAliasList()[0]->label, L"まとめ");
    EXPECT_EQ(service.getAliasList()[0]->order, 90);  // saved when the first went
    EXPECT_EQ(service.getAliasList()[1]->order, 3);
    service.getAliasList()[0]->order = 0;
    service.reloadAlias();
    EXPECT_EQ(service.getAliasList()[0]->order, 0);
    EXPECT_EQ(env.settings.getValue("Effect.object.same", "label").text, "まとめ");
}

TEST_F(Aliases, EveryReloadTakesNewNumbers) {
    alias("late.effect");
    EffectService service;
    service.reloadAlias();
    service.reloadAlias();
    // Three registrations of the alias took 90, 91 and 92.
    service.registerEffect<RegistryTest::Kind<VolumeTraits>>();
    EXPECT_EQ(service.findEffect(L"音量調整").order, 93);
    EXPECT_EQ(service.getAliasList()[0]->order, 90);  // its saved order wins
}

}  // namespace
