#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/BuiltinEffects.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/MediaFileProbe.h"
#include "effect/movement/MovementLookup.h"

#include "effect/RegistryTestSupport.h"
#include "core/file/SettingService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using Effect::EffectService;
using RegistryTest::Kind;

// Test kinds: name, kind, media, target.
template <const wchar_t* const* N, std::uint8_t K, std::uint8_t M, std::uint8_t T = M>
struct Described : RegistryTest::Traits {
    static constexpr const wchar_t* name = *N;
    static constexpr std::uint8_t kind = K, media = M, target = T;
};

constexpr const wchar_t* kBlur = L"ぼかし";
constexpr const wchar_t* kOtherBlur = L"ぼかし";  // same text, another class
constexpr const wchar_t* kMovie = L"動画ファイル";
constexpr const wchar_t* kSound = L"音声ファイル";
constexpr const wchar_t* kImage = L"画像ファイル";
constexpr const wchar_t* kFrame = L"フレームバッファ";
constexpr const wchar_t* kCamera = L"カメラ入力";
constexpr const wchar_t* kText = L"テキスト";
constexpr const wchar_t* kDraw = L"標準描画";
constexpr const wchar_t* kPlain = L"基本出力";
constexpr const wchar_t* kPlay = L"音声再生";
constexpr const wchar_t* kMoviePlay = L"映像再生";
constexpr const wchar_t* kGroup = L"グループ制御";
constexpr const wchar_t* kScene = L"シーンチェンジ";
constexpr const wchar_t* kVolume = L"音量調整";
constexpr const wchar_t* kLight = L"並行光源(カメラ制御)";

struct BlurTraits : Described<&kBlur, 3, 1> {
    static constexpr const wchar_t* category = L"ぼかし";
};
using Blur = Kind<BlurTraits>;
using OtherBlur = Kind<Described<&kOtherBlur, 3, 1>>;
using Movie = Kind<Described<&kMovie, 1, 3>>;
using Sound = Kind<Described<&kSound, 1, 2>>;
using Image = Kind<Described<&kImage, 1, 1>>;
using Frame = Kind<Described<&kFrame, 1, 1>>;
using CameraInput = Kind<Described<&kCamera, 1, 4>>;
using Text = Kind<Described<&kText, 1, 1>>;
using Draw = Kind<Described<&kDraw, 2, 1>>;
using Plain = Kind<Described<&kPlain, 2, 1>>;
using Play = Kind<Described<&kPlay, 2, 2>>;
using MoviePlay = Kind<Described<&kMoviePlay, 2, 3>>;
using Group = Kind<Described<&kGroup, 4, 1>>;
using Scene = Kind<Described<&kScene, 4, 1, 5>>;
using Volume = Kind<Described<&kVolume, 3, 2>>;
using Light = Kind<Described<&kLight, 3, 4>>;
constexpr const wchar_t* kParticle = L"パーティクル出力";
struct ParticleTraits : Described<&kParticle, 2, 1> {
    static constexpr const wchar_t* input = L"図形";
};
using Particle = Kind<ParticleTraits>;
constexpr const wchar_t* kBroken = L"壊れた効果";
struct BrokenTraits : Described<&kBroken, 3, 1> {
    static constexpr bool failing = true;
};
constexpr const wchar_t* kHalf = L"半端な効果";
struct HalfTraits : Described<&kHalf, 3, 1> {
    static constexpr bool failingInitialize = true;
};

// The program's error text with a note.
std::string noted(const std::string& message, const std::string& note, const std::string& place) {
    return message + "\n\n[Note]\n" + note + "\n\n[Place]\n" + place + "()";
}

// Orders after the nine movements and the 81 built-in rows.
constexpr int FirstFreeOrder = 90;

class Registry : public ::testing::Test {
protected:
    RegistryTest::Environment env;

    static std::vector<std::wstring> names(const std::vector<Effect::EffectMenuDefine*>& list) {
        std::vector<std::wstring> result;
        for (const auto* define : list) result.push_back(define->getName());
        return result;
    }
};

TEST_F(Registry, MovementsComeFirstAndArePublished) {
    {
        EffectService service;
        EXPECT_TRUE(service.ready);
        const std::vector<std::string> expected = {
            "register movement [移動無し]",   "register movement [再生範囲]",
            "register movement [直線移動]",   "register movement [直線移動(時間制御)]",
            "register movement [補間移動]",   "register movement [補間移動(時間制御)]",
            "register movement [ランダム移動]", "register movement [瞬間移動]",
            "register movement [移動量指定]"};
        EXPECT_EQ(env.infoLines("Effect::EffectService::registerMovement"), expected);
        EXPECT_EQ(service.findMovement(L"移動量指定").order, 8);
        EXPECT_EQ(Effect::DefaultMovement::noMove, service.findMovement(L"移動無し").prototype.get());
        EXPECT_EQ(Effect::DefaultMovement::linearSpeed,
                  service.findMovement(L"直線移動(時間制御)").prototype.get());
        EXPECT_EQ(Effect::DefaultMovement::movieRange, service.findMovement(L"再生範囲").prototype.get());
        // Number texts find the registered kinds.
        EXPECT_EQ(&Effect::findMovement(L"補間移動"), service.findMovement(L"補間移動").prototype.get());
        EXPECT_EQ(EffectTest::errorOf([&] { service.findMovement(L"無い"); }),
                  EffectTest::programError("not found movement.", "Effect::EffectService::findMovement"));

        // Menus list all but the playback range, by order; a callback edits.
        const auto menu = service.getMovementMenuList({});
        ASSERT_EQ(menu.size(), 8u);
        EXPECT_STREQ(menu.front()->getName(), L"移動無し");
        EXPECT_STREQ(menu[1]->getName(), L"直線移動");
        const auto withRange = service.getMovementMenuList([&](std::vector<Effect::MovementDefine*>& list) {
            list.push_back(&service.findMovement(L"再生範囲"));
        });
        ASSERT_EQ(withRange.size(), 9u);
        EXPECT_STREQ(withRange[1]->getName(), L"再生範囲");
        EXPECT_STREQ(withRange[1]->getTranslatedName(), L"再生範囲");
    }
    EXPECT_EQ(Effect::DefaultMovement::noMove, nullptr);
    EXPECT_ANY_THROW(Effect::findMovement(L"移動無し"));
    // The menu settings are written back when the registry goes.
    EXPECT_EQ(env.settings.getValue("Movement.移動量指定", "order").text, "8");
    EXPECT_EQ(env.settings.getValue("Movement.直線移動", "label").text, "");
    EXPECT_EQ(env.settings.getValue("Movement.再生範囲", "hide").text, "0");
}

TEST_F(Registry, BuiltinRowsKeepTheirNumbers) {
    const auto rows = Effect::builtinEffects();
    ASSERT_EQ(rows.size(), 81u);
    std::set<std::wstring> names;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, static_cast<int>(i) + 1);
        EXPECT_TRUE(names.insert(rows[i].name).second);
    }
    EXPECT_STREQ(rows[30].name, L"ぼかし");
    EffectService service;
    // Every row that exists is registered under its own name and number;
    // rows of higher layers only once their layer installed their hook.
    for (const Effect::BuiltinEffect& row : rows) {
        if (!row.registerEffect) continue;
        if (!service.createEffect(row.name)) {
            EXPECT_EQ(Effect::installedBuiltinEffect(row.number), nullptr);
            continue;
        }
        const Effect::EffectDefine& define = service.findEffect(row.name);
        EXPECT_EQ(define.order, row.number + 8);
    }
    // Rows not built yet still take their numbers.
    EXPECT_EQ(service.registerEffect<Blur>()->initialized, 1);
    EXPECT_EQ(service.findEffect(L"ぼかし").order, FirstFreeOrder);
}

TEST_F(Registry, RegistrationFindingAndCreating) {
    EffectService service;
    const std::shared_ptr<Blur> blur = service.registerEffect<Blur>();
    ASSERT_TRUE(blur);
    EXPECT_EQ(env.infoLines("Effect::EffectService::registerEffect"),
              std::vector<std::string>{"register effect [ぼかし]"});
    Effect::EffectDefine& define = service.findEffect(L"ぼかし");
    EXPECT_EQ(define.prototype, blur);
    EXPECT_EQ(define.getName(), blur->name);
    EXPECT_EQ(define.label, L"ぼかし");  // the category
    EXPECT_EQ(define.getEffectType(), 3);
    EXPECT_EQ(blur->initialized, 1);

    // A duplicate keeps the first and still takes a number.
    EXPECT_FALSE(service.registerEffect<OtherBlur>());
    EXPECT_EQ(env.errorBoxes(), std::vector<std::string>{
                                    "Failed to register effect. [ぼかし]\n\n"
                                    "Duplicate effects with the same key exist."});
    EXPECT_EQ(service.findEffect(L"ぼかし").prototype, blur);
    ASSERT_TRUE(service.registerEffect<Movie>());
    EXPECT_EQ(service.findEffect(L"動画ファイル").order, define.order + 2);

    // A class that fails to build is reported by its class name.
    EXPECT_FALSE(service.registerEffect<Kind<BrokenTraits>>());
    EXPECT_NE(env.errorBoxes().back().find("Failed to register effect. [class RegistryTest::Kind<"),
              std::string::npos);
    EXPECT_NE(env.errorBoxes().back().find("]\n\nbroken kind"), std::string::npos);
    // One that fails to initialise stays registered.
    EXPECT_FALSE(service.registerEffect<Kind<HalfTraits>>());
    EXPECT_NO_THROW(service.findEffect(L"半端な効果"));

    // Instances share the prototype's resources and carry built-in values.
    blur->size.setValue(55, 0);
    const auto made = std::dynamic_pointer_cast<Blur>(service.createEffect(L"ぼかし"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->resource, blur->resource);
    EXPECT_EQ(made->size.values[0], 10);
    EXPECT_EQ(made->name, blur->name);
    EXPECT_TRUE(define.isDefineOf(made.get()));
    EXPECT_FALSE(service.findEffect(L"動画ファイル").isDefineOf(made.get()));
    EXPECT_FALSE(service.createEffect(L"無い"));
    EXPECT_FALSE(service.createEffect(nullptr));
    for (const wchar_t* missing : {L"", L"無い"})
        EXPECT_EQ(EffectTest::errorOf([&] { service.findEffect(missing); }),
                  noted("not found effect.", System::String::toUtf8(missing),
                        "Effect::EffectService::findEffect"));
}

TEST_F(Registry, DefaultEffectsByClass) {
    EffectService service;
    EXPECT_EQ(EffectTest::errorOf([&] { service.getDefaultEffect<Blur>(); }),
              noted("default effect not found", Effect::className(typeid(Blur)),
                    "Effect::EffectService::getDefaultEffect"));
    service.registerEffect<OtherBlur>();
    EXPECT_ANY_THROW(service.getDefaultEffect<Blur>());  // the name, but another class
    EXPECT_NE(service.getDefaultEffect<OtherBlur>(), nullptr);
    EXPECT_EQ(Effect::className(typeid(Effect::EffectService)), "class Effect::EffectService");
}

TEST_F(Registry, OutputEffectByInputMedia) {
    EffectService service;
    EXPECT_EQ(EffectTest::errorOf([&] { service.getOutputEffect(service.findEffect(L"x")); }),
              EffectTest::errorOf([&] { service.findEffect(L"x"); }));
    service.registerEffect<Draw>();
    service.registerEffect<Plain>();
    service.registerEffect<Play>();
    service.registerEffect<MoviePlay>();
    service.registerEffect<Movie>();
    service.registerEffect<Sound>();
    service.registerEffect<Frame>();
    service.registerEffect<Text>();
    service.registerEffect<CameraInput>();
    const auto output = [&](const wchar_t* input) {
        return std::wstring(service.getOutputEffect(service.findEffect(input)).getName());
    };
    EXPECT_EQ(output(L"テキスト"), L"標準描画");
    EXPECT_EQ(output(L"フレームバッファ"), L"基本出力");
    EXPECT_EQ(output(L"音声ファイル"), L"音声再生");
    EXPECT_EQ(output(L"動画ファイル"), L"映像再生");
    EXPECT_EQ(EffectTest::errorOf([&] { output(L"カメラ入力"); }),
              EffectTest::programError("invalid input effect type.",
                                       "Effect::EffectService::getOutputEffect"));
}

TEST_F(Registry, FilesForDroppedMedia) {
    EffectService service;
    EXPECT_EQ(service.getFileEffectName(L"/tmp/a.TXT"), nullptr);  // no text object yet
    service.registerEffect<Text>();
    const wchar_t* name = service.getFileEffectName(L"/tmp/a.TXT");
    EXPECT_EQ(name, service.findEffect(L"テキスト").getName());
    EXPECT_EQ(service.getFileEffectName(L"/tmp/a.xyz"), nullptr);
    EXPECT_TRUE(service.isSupportedFile(L"a.Svg"));
    EXPECT_TRUE(service.isSupportedFile(L"b.obj"));
    EXPECT_TRUE(service.isSupportedFile(L"c.txt"));
    EXPECT_FALSE(service.isSupportedFile(L"d.xyz"));
}

// Media files are judged by what the installed probe opens.
TEST_F(Registry, MediaFilesByTheirStreams) {
    struct Probe : Effect::MediaFileProbe {
        bool isMediaExtension(const std::wstring& extension) const override { return extension == L"mov"; }
        bool probe(const wchar_t* path, Streams& out) const override {
            const std::wstring name = path;
            if (name == L"movie.mov") out = {true, true, 250};
            else if (name == L"still.mov") out = {true, false, 1};
            else if (name == L"cover.mov") out = {true, true, 1};  // a picture with sound
            else if (name == L"song.mov") out = {false, true, 0};
            else return false;
            return true;
        }
    } probe;
    EffectService service;
    service.registerEffect<Text>();
    service.registerEffect<Movie>();
    service.registerEffect<Sound>();
    service.registerEffect<Image>();
    EXPECT_FALSE(service.isSupportedFile(L"a.mov"));
    EXPECT_EQ(service.getFileEffectName(L"movie.mov"), nullptr);
    Effect::setMediaFileProbe(&probe);
    EXPECT_TRUE(service.isSupportedFile(L"a.MOV"));
    EXPECT_FALSE(service.isSupportedFile(L"a.mkv"));
    const struct {
        const wchar_t* path;
        const wchar_t* effect;
    } cases[] = {{L"movie.mov", kMovie}, {L"still.mov", kImage}, {L"cover.mov", kSound},
                 {L"song.mov", kSound},  {L"none.mov", nullptr},  {L"a.txt", kText}};
    for (const auto& c : cases) {
        const wchar_t* name = service.getFileEffectName(c.path);
        EXPECT_EQ(name ? std::wstring(name) : L"(none)", c.effect ? c.effect : L"(none)") << System::String::toUtf8(c.path);
    }
    Effect::setMediaFileProbe(nullptr);
}

TEST_F(Registry, LegacyNamesMapThroughTheEffectSettings) {
    CoreTest::writeBytes((env.folder.data() / "effect.conf").string(),
                         "[OldScript]\r\n旧ぼかし=ぼかし\r\n旧無し=無い効果\r\n");
    System::Singleton<Setting::SettingService> settingService;
    EffectService service;
    service.registerEffect<Blur>();
    EXPECT_EQ(&service.findQroEffect(L"ぼかし"), &service.findEffect(L"ぼかし"));
    EXPECT_EQ(&service.findQroEffect(L"旧ぼかし"), &service.findEffect(L"ぼかし"));
    EXPECT_EQ(EffectTest::errorOf([&] { service.findQroEffect(L"旧無し"); }),
              noted("not found effect.", "無い効果", "Effect::EffectService::findEffect"));
    EXPECT_EQ(EffectTest::errorOf([&] { service.findQroEffect(L"不明"); }),
              noted("not found effect.", "不明", "Effect::EffectService::findEffect"));
}

TEST_F(Registry, MenuListsFilterByKindMediaAndTarget) {
    for (const char* name : {"ob.object", "fx.effect", "lost.effect"})
        CoreTest::writeBytes(env.file("Alias", name), "");
    CoreTest::writeBytes(env.file("Alias", "fx.effect"), "[Effect.0]\r\neffect.name=音量調整\r\n");
    CoreTest::writeBytes(env.file("Alias", "lost.effect"), "[Effect.0]\r\neffect.name=無い\r\n");
    env.settings.loadMemory("[Effect.グループ制御]\r\nlabel=制御\r\nhide=1\r\n");
    EffectService service;
    service.registerEffect<Blur>();
    service.registerEffect<Movie>();
    service.registerEffect<Sound>();
    service.registerEffect<Draw>();
    service.registerEffect<Group>();
    service.registerEffect<Scene>();
    service.registerEffect<Volume>();
    service.registerEffect<Light>();
    service.registerEffect<Particle>();
    struct Case {
        std::uint8_t type, media, target;
        std::vector<std::wstring> expected;
    };
    // Aliases are registered first (the constructor) and so come first.
    const Case cases[] = {
        {0, 0, 0, {L"ob", L"fx", L"lost", L"ぼかし", L"動画ファイル", L"音声ファイル", L"標準描画",
                   L"グループ制御", L"シーンチェンジ", L"音量調整", L"並行光源(カメラ制御)",
                   L"パーティクル出力"}},
        // The object menu: inputs, controls, object aliases and outputs that
        // make their own object; the hidden entry is still listed.
        {200, 0, 0, {L"ob", L"動画ファイル", L"音声ファイル", L"グループ制御", L"シーンチェンジ",
                     L"パーティクル出力"}},
        {201, 0, 0, {L"fx", L"lost", L"ぼかし", L"音量調整", L"並行光源(カメラ制御)"}},
        // Both media keep video-only and audio-only entries, not camera ones;
        // an alias without media falls out of every media filter.
        {201, 3, 0, {L"fx", L"ぼかし", L"音量調整"}},
        {201, 4, 0, {L"並行光源(カメラ制御)"}},
        {0, 1, 0, {L"ぼかし", L"動画ファイル", L"標準描画", L"グループ制御", L"シーンチェンジ",
                   L"パーティクル出力"}},
        {0, 2, 0, {L"fx", L"動画ファイル", L"音声ファイル", L"音量調整"}},
        // A target of 5 passes only 5 (or 0).
        {4, 0, 5, {L"シーンチェンジ"}},
        {4, 0, 1, {L"グループ制御"}},
        {2, 0, 0, {L"標準描画", L"パーティクル出力"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.type) << "/" << int(c.media) << "/" << int(c.target));
        EXPECT_EQ(names(service.getEffectMenuList(c.type, c.media, c.target)), c.expected);
    }
    const auto labels = service.getEffectLabelList();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_STREQ(labels[0], L"ぼかし");
    EXPECT_STREQ(labels[1], L"制御");
}

}  // namespace
