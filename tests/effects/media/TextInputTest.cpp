// The text object apart from its pictures: its items, the timeline label,
// inline script blocks, text files and the automatic object length.
#include "effects/media/TextInput.h"

#include "core/event/EventService.h"
#include "core/text/StringConvert.h"
#include "edit/command/ObjectCreateCommand.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/registry/EffectService.h"
#include "effect/movement/MovementLookup.h"
#include "media/text/TextDraw.h"

#include "core/CoreTestSupport.h"
#include "effect/RegistryTestSupport.h"
#include "effects/EffectsTestSupport.h"
#include "effects/media/TextEffectFixture.h"
#include "media/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Effect::EffectEvent;
using Effect::TextInput;

std::wstring wide(const std::string& path) { return System::String::toWide(path); }

// Items take their movements from the registry's published kinds.
struct MovementsInstalled {
    MovementsInstalled() { EffectTest::Movements::install(); }
};

class TextUnit : public ::testing::Test, private MovementsInstalled {
protected:
    TextInput text;
};

TEST_F(TextUnit, TheItemsComeInTheirOrderWithTheirKindsAndOnlyTheTextRowsNotify) {
    struct Row {
        const wchar_t* name;
        std::uint8_t type;
        bool notify;
    };
    namespace T = Effect::ItemType;
    const Row rows[] = {
        {L"サイズ", T::Number, false},
        {L"字間", T::Number, false},
        {L"行間", T::Number, false},
        {L"表示速度", T::Number, true},
        {L"フォント", T::FontSelect, false},
        {L"文字色", T::Color, false},
        {L"影・縁色", T::Color, false},
        {L"文字装飾", T::SelectButton, false},
        {L"文字揃え", T::SelectButton, false},
        {L"B", T::CheckButton, false},
        {L"I", T::CheckButton, false},
        {L"テキスト", T::Text, true},
        {L"文字毎に個別オブジェクト", T::Check, true},
        {L"移動座標上に表示", T::Check, false},
        {L"オブジェクトの長さを自動調節", T::Check, true},
    };
    ASSERT_EQ(text.items.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(text.items[i]->name, rows[i].name);
        EXPECT_EQ(text.items[i]->type, rows[i].type);
        EXPECT_EQ(text.items[i]->notifyChange, rows[i].notify);
    }
    // The four buttons share one row.
    EXPECT_FLOAT_EQ(text.decoration.start, 0.0f);
    EXPECT_FLOAT_EQ(text.alignment.start, 0.4f);
    EXPECT_FLOAT_EQ(text.bold.start, 0.8f);
    EXPECT_FLOAT_EQ(text.italic.end, 1.0f);
    EXPECT_EQ(text.size.toString(), "40.00");
    EXPECT_EQ(text.textColor.toString(), "ffffff");
    EXPECT_EQ(text.decorationColor.toString(), "000000");
    EXPECT_EQ(text.decoration.toString(), "標準文字");
    EXPECT_EQ(text.alignment.toString(), "左寄せ[上]");
    // The path row shows only with one object per character.
    text.updateItemVisible();
    EXPECT_FALSE(text.alongPath.visible);
    text.separateCharacters.value = true;
    text.updateItemVisible();
    EXPECT_TRUE(text.alongPath.visible);

    // Choices by name, as a project file gives them.
    text.decoration.fromString("縁取り文字(角)");
    text.alignment.fromString("縦書 下寄[左]");
    EXPECT_EQ(text.decoration.value, 6);
    EXPECT_EQ(text.alignment.value, 17);
}

TEST_F(TextUnit, OnlyTextFilesAreTakenWhateverTheCaseOfTheirExtension) {
    EXPECT_TRUE(text.isSupportedFile(L"/tmp/a.txt"));
    EXPECT_TRUE(text.isSupportedFile(L"/tmp/A.TXT"));
    EXPECT_FALSE(text.isSupportedFile(L"/tmp/a.txt.png"));
    EXPECT_FALSE(text.isSupportedFile(L"/tmp/txt"));
}

TEST_F(TextUnit, TheTimelineLabelIsTheTextShortenedWithItsControlCharactersShown) {
    EXPECT_STREQ(text.getDisplayName(), L"テキスト");
    const std::wstring hundred(100, L'あ');
    struct Case {
        std::wstring text;
        std::wstring label;
    };
    const Case cases[] = {
        {hundred, hundred},
        {hundred + L"い", hundred + L"..."},
        {L"a\nb", L"a\u23CEb"},
        {L"a\tb\x1f", L"a b "},
        {L"\n" + hundred, L"\u23CE" + hundred.substr(0, 99) + L"..."},
    };
    for (const Case& c : cases) {
        text.text.text = c.text;
        EXPECT_EQ(std::wstring(text.getDisplayName()), c.label) << System::String::toUtf8(c.text);
    }
    // A text changed without an event (an undo) is not shown stale.
    text.text.text = L"x\ny";
    EXPECT_EQ(std::wstring(text.getDisplayName()), L"x\u23CEy");
    text.text.text = L"z\nw";
    EXPECT_EQ(std::wstring(text.getDisplayName()), L"z\u23CEw");
}

TEST_F(TextUnit, BlocksAreReplacedByWhatTheirScriptGivesAndEveryCopyGoesAtOnce) {
    std::vector<std::wstring> ran;
    TextEffectTest::ScriptRunner runner([&](const std::wstring& code, Render::ObjectContext*) {
        ran.push_back(code);
        if (code == L"mes(1+1)") return std::wstring(L"2");
        if (code == L"mes('x')") return std::wstring(L"x");
        if (code == L"fail") throw std::runtime_error("boom");
        return std::wstring(L"<" + code + L">");
    });
    MediaTest::LogCapture log;
    struct Case {
        std::wstring text;
        std::wstring expanded;
        std::vector<std::wstring> ran;
    };
    const Case cases[] = {
        {L"a<?=1+1?>b", L"a2b", {L"mes(1+1)"}},
        // The first run replaces both blocks; the second finds none left.
        {L"<?mes('x')?>y<?mes('x')?>", L"xyx", {L"mes('x')", L"mes('x')"}},
        {L"never <?closed", L"never <?closed", {}},
        {L"<?" L"?>|<?>?>", L"<>|<>>", {L"", L">"}},
        {L"multi<?a\nb?>line", L"multi<a\nb>line", {L"a\nb"}},
        {L"x<?fail?>y", L"xy", {L"fail"}},
    };
    for (const Case& c : cases) {
        ran.clear();
        EXPECT_EQ(text.expandText(c.text, nullptr), c.expanded) << System::String::toUtf8(c.text);
        EXPECT_EQ(ran, c.ran) << System::String::toUtf8(c.text);
    }
    EXPECT_EQ(log.count(System::Log::WARN, "Effect::TextInput::expandScript", "script exception: boom"), 1);
}

TEST_F(TextUnit, WithoutAScriptLanguageEveryBlockDrawsNothingAndIsLogged) {
    MediaTest::LogCapture log;
    EXPECT_EQ(text.expandText(L"a<?=1+1?>b<?mes(3)?>c", nullptr), L"abc");
    EXPECT_EQ(log.count(System::Log::WARN, "Effect::TextInput::expandScript",
                        "script exception: not found script plugin."),
              2);
}

class TextFiles : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = (folder.path() / name).string();
        CoreTest::writeBytes(path, bytes);
        return path;
    }
    CoreTest::TempFolder folder;
};

TEST_F(TextFiles, UtfEightAndLegacyJapaneseFilesAreReadWithTheirLineBreaksAsLineFeeds) {
    struct Case {
        const char* bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"\xE6\x97\xA5\xE6\x9C\xAC\r\nabc", L"日本\nabc"},
        {"\xEF\xBB\xBF\xE3\x81\x82\n", L"あ\n"},      // the byte-order mark is no character
        {"\x93\xFA\x96\x7B\x8C\xEA\rx", L"日本語\nx"},  // Shift_JIS (CP932)
        {"\x82\xA0\x5C", L"あ\\"},                    // CP932 keeps the backslash
        {"", L""},
    };
    for (const Case& c : cases) {
        std::wstring text = L"before";
        EXPECT_TRUE(TextInput::loadTextFile(wide(file("a.txt", c.bytes)).c_str(), text)) << c.bytes;
        EXPECT_EQ(text, c.text) << c.bytes;
    }
    // Missing files and files holding NUL (no text, or UTF-16) are refused.
    std::wstring text = L"kept";
    EXPECT_FALSE(TextInput::loadTextFile(wide((folder.path() / "missing.txt").string()).c_str(), text));
    EXPECT_FALSE(TextInput::loadTextFile(wide(file("u16.txt", std::string("\xFF\xFE" "a\0b\0", 6))).c_str(), text));
    EXPECT_FALSE(TextInput::loadTextFile(wide(folder.path().string()).c_str(), text));
    // Bytes valid in neither encoding: a lone 0x80, a cut lead byte, a lead
    // byte before a space.
    for (const char* bytes : {"abc\x80", "\x82", "\x82\x20x"})
        EXPECT_FALSE(TextInput::loadTextFile(wide(file("bad.txt", bytes)).c_str(), text)) << bytes;
    EXPECT_EQ(text, L"kept");
}

// The timeline side: events inside an edit scope of a real project.
class TextTimeline : public MediaTest::GpuTest, protected TextEffectTest::FontServices {
protected:
    TextTimeline() {
        scene().videoRate = 10;
        scene().videoScale = 1;
    }
    Edit::Scene& scene() { return *edit.getCurrentScene(); }
    Edit::ObjectPointer place(int start, int end, int layer = 0) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        return scene().createObject(L"テキスト", layer, start, end);
    }
    static TextInput& textOf(const Edit::ObjectPointer& object) {
        return dynamic_cast<TextInput&>(*object->effectList[0]);
    }
    bool send(const Edit::ObjectPointer& object, EffectEvent event) {
        Edit::EditScope scope(edit);
        event.scope = &scope;
        event.object = object.get();
        event.effect = object->effectList[0];
        const bool handled = event.effect->effectEvent(event);
        rebuilt = scope.rebuildSetting && scope.refreshTimeSetting && scope.refreshColorSetting &&
                  scope.refreshTextSetting;
        return handled;
    }
    bool changed(const Edit::ObjectPointer& object, Effect::EffectItem& item) {
        EffectEvent event;
        event.code = EffectEvent::ItemChanged;
        event.item = &item;
        return send(object, event);
    }
    static std::pair<int, int> frames(const Edit::ObjectPointer& object) { return {object->start, object->end}; }

    EffectsTest::InstalledEffects installed;
    RegistryTest::Environment env;
    System::Singleton<Effect::EffectService> serviceHolder;
    System::Singleton<Event::EventService> events;
    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *System::Singleton<Edit::EditService>::getInstance();
    CoreTest::TempFolder folder;
    bool rebuilt = false;
};

TEST_F(TextTimeline, TheLengthFitsTheTimeTheTextTakesToAppearWhenAskedAndPossible) {
    Edit::ObjectPointer object = place(10, 59);
    TextInput& text = textOf(object);
    text.text.text = L"abcde";
    text.displaySpeed.setValue(10, 0);
    // Not asked for: nothing changes.
    EXPECT_FALSE(changed(object, text.text));
    EXPECT_EQ(frames(object), std::make_pair(10, 59));

    // Five characters at ten a second take half a second: 5 frames at 10 fps.
    text.fitLength.value = true;
    EXPECT_TRUE(changed(object, text.fitLength));
    EXPECT_EQ(frames(object), std::make_pair(10, 14));
    // The change of length is one undo step.
    Undo::UndoService& undo = *System::Singleton<Undo::UndoService>::getInstance();
    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(frames(object), std::make_pair(10, 59));
    undo.redo();
    EXPECT_EQ(frames(object), std::make_pair(10, 14));
    // A wait of one second more; the start moved, so the end stays.
    text.text.text = L"abcde<w1>";
    EffectEvent moved;
    moved.code = EffectEvent::StartMoved;
    moved.frame = 5;
    EXPECT_TRUE(send(object, moved));
    EXPECT_EQ(frames(object), std::make_pair(0, 14));
    text.text.text = L"abcde";

    // No speed, an animated speed, or mid-points: nothing changes.
    text.displaySpeed.setValue(0, 0);
    EXPECT_FALSE(changed(object, text.displaySpeed));
    text.displaySpeed.setValue(10, 0);
    text.displaySpeed.fromString("10,20,直線移動,0");
    EXPECT_FALSE(changed(object, text.displaySpeed));
    EXPECT_EQ(frames(object), std::make_pair(0, 14));
    text.displaySpeed.fromString("10");
    object->addSection(12, nullptr);
    EXPECT_FALSE(changed(object, text.text));
}

TEST_F(TextTimeline, ANewTextIsSetInTheFontTheStylesFamilyStandsFor) {
    // The style names a Windows family; the shipped font configuration
    // stands Noto Sans CJK JP in for it.
    EXPECT_EQ(textOf(place(0, 29)).font.toString(), "Noto Sans CJK JP");
}

TEST_F(TextTimeline, SwitchingToOneObjectPerCharacterRebuildsTheSettingsRows) {
    Edit::ObjectPointer object = place(0, 29);
    TextInput& text = textOf(object);
    text.separateCharacters.value = true;
    EXPECT_TRUE(changed(object, text.separateCharacters));
    EXPECT_TRUE(rebuilt);
}

TEST_F(TextTimeline, DroppedTextFilesMakeTextObjectsWithTheirTextAndLength) {
    const std::string utf8 = (folder.path() / "utf8.txt").string();
    const std::string sjis = (folder.path() / "sjis.TXT").string();
    CoreTest::writeBytes(utf8, "\xE5\xAD\x97\xE5\xB9\x95\r\n2\xE8\xA1\x8C\xE7\x9B\xAE");  // 字幕 / 2行目
    CoreTest::writeBytes(sjis, "\x8E\x9A\x96\x8B\r\n\x82\x51\x8D\x73\x96\xDA");          // 字幕 / ２行目
    Effect::EffectService& registry = *System::Singleton<Effect::EffectService>::getInstance();
    const auto dropOnTimeline = [&](const std::string& path, int layer) {
        const std::wstring name = wide(path);
        const wchar_t* kind = registry.getFileEffectName(name.c_str());
        EXPECT_STREQ(kind, L"テキスト");
        bool handled = false;
        Edit::EditCommand::createObject(edit, kind, layer, 0,
                                        [&](const Edit::ObjectPointer& made, Edit::EditScope& scope) {
                                            EffectEvent event;
                                            event.code = EffectEvent::FileDropped;
                                            event.scope = &scope;
                                            event.object = made.get();
                                            event.effect = made->effectList[0];
                                            event.path = name.c_str();
                                            handled = event.effect->effectEvent(event);
                                        });
        EXPECT_TRUE(handled);
        return scene().getLayerObjectList(layer).getObjectAtFrame(0);
    };
    const Edit::ObjectPointer a = dropOnTimeline(utf8, 0);
    const Edit::ObjectPointer b = dropOnTimeline(sjis, 1);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(textOf(a).text.text, L"字幕\n2行目");
    EXPECT_EQ(textOf(b).text.text, L"字幕\n２行目");
    // The timeline's own length for a new object.
    const int made = a->end - a->start;
    EXPECT_GT(made, 0);
    EXPECT_EQ(b->end - b->start, made);

    // With the automatic length in the saved defaults, a drop fits it:
    // five characters at five a second take one second.
    Effect::EffectDefine& define = registry.findEffect(L"テキスト");
    TextInput defaults;
    defaults.fitLength.value = true;
    defaults.displaySpeed.setValue(5, 0);
    define.saveDefaultSetting(defaults);
    const Edit::ObjectPointer c = dropOnTimeline(utf8, 2);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->end - c->start + 1, 10);

    // A file that cannot be read leaves the text as it was.
    EffectEvent event;
    event.code = EffectEvent::FileDropped;
    const std::wstring missing = wide((folder.path() / "gone.txt").string());
    event.path = missing.c_str();
    EXPECT_FALSE(send(a, event));
    EXPECT_EQ(textOf(a).text.text, L"字幕\n2行目");
}

}  // namespace
