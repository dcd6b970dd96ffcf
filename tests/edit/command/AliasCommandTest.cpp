#include "edit/command/AliasCommand.h"

#include "edit/command/CommandTestSupport.h"
#include "edit/command/EffectMenuCommand.h"
#include "edit/command/FakeDialogs.h"
#include "effect/registry/AliasSave.h"
#include "effect/registry/EffectDefine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using EditTest::xOf;

class AliasCommand : public ::testing::Test, public CommandTest::Fixture {
protected:
    AliasCommand() { Edit::EditCommand::installEffectMenuCommands(&edit); }
    ~AliasCommand() override { Edit::EditCommand::installEffectMenuCommands(nullptr); }

    std::filesystem::path aliasFolder() const { return registry.env.data("Alias"); }
    std::string aliasBytes(const std::string& name) { return CoreTest::readBytes((aliasFolder() / name).string()); }
    std::wstring writeAlias(const std::string& name, const std::string& bytes) {
        CoreTest::writeBytes((aliasFolder() / name).string(), bytes);
        return (aliasFolder() / name).wstring();
    }
    void answer(const std::wstring& name, const std::wstring& label = L"") {
        dialogs.aliases.push_back(std::pair(name, label));
    }
    std::vector<std::string> loadFailures() {
        std::vector<std::string> texts;
        for (const auto& line : registry.env.log.of(System::Log::WARN))
            if (line.tag.starts_with("Edit::EditCommand::load")) texts.push_back(line.text);
        return texts;
    }

    CommandTest::FakeDialogs dialogs;
};

// An object on layer 1 at 10..39 with a boundary at 20, camera off, X of
// its figure moving 1, 2, 3 over its key frames.
Edit::ObjectPointer placeKeyed(CommandTest::Fixture& f) {
    const Edit::ObjectPointer object = f.place(1, 10, 39);
    Edit::EditScope scope(f.edit);
    object->addSection(20, nullptr);
    object->camera = false;
    xOf(*object->effectList.front()).fromString("1,2,3,直線移動,0");
    return object;
}

const std::string kFigureSection = "effect.name=図形\r\nX=1,2,3,直線移動,0\r\n反転=0\r\nY=0.0\r\n";
const std::string kDrawSection = "effect.name=標準描画\r\nX=0\r\n反転=0\r\nY=0.0\r\n";

TEST_F(AliasCommand, OneObjectIsSavedWithItsFrameListAndEffects) {
    const Edit::ObjectPointer object = placeKeyed(*this);
    Edit::EditCommand::saveObjectAlias(edit);  // no selection, no focus: nothing asked
    EXPECT_TRUE(dialogs.asked.empty());

    scene().setFocusObject(object);
    answer(L"one", L"私の");
    Edit::EditCommand::saveObjectAlias(edit);
    EXPECT_EQ(aliasBytes("one.object"), "[Object]\r\nframe=10,20,39\r\ncamera=0\r\n[Object.0]\r\n" + kFigureSection +
                                            "[Object.1]\r\n" + kDrawSection);
    EXPECT_EQ(dialogs.asked, std::vector<std::wstring>{L"エイリアスを作成 - オブジェクト||"});
    // The registry lists the new alias with the chosen label.
    ASSERT_EQ(registry.service.getAliasList().size(), 1u);
    EXPECT_EQ(registry.service.getAliasList().front()->name, L"one");
    EXPECT_EQ(registry.service.getAliasList().front()->label, L"私の");

    // The settings window's form has no frame list.
    answer(L"whole");
    object->clipping = true;
    Edit::EditCommand::saveObjectSettingAlias(*object);
    EXPECT_EQ(aliasBytes("whole.object"), "[Object]\r\ncamera=0\r\nclipping=1\r\n[Object.0]\r\n" + kFigureSection +
                                              "[Object.1]\r\n" + kDrawSection);
    EXPECT_EQ(dialogs.asked.back(), L"エイリアスを作成 - 全体||");
}

TEST_F(AliasCommand, SeveralObjectsKeepLayersAndNumberTheirGroupsFromOne) {
    const Edit::ObjectPointer a = place(3, 0, 9);
    const Edit::ObjectPointer loose = place(1, 5, 14, EditTest::kBlur);
    const Edit::ObjectPointer b = place(4, 20, 29);
    const Edit::ObjectPointer other = place(6, 0, 9);
    const auto first = std::make_shared<Edit::Group>();
    const auto second = std::make_shared<Edit::Group>();
    // The file's numbers follow the saved objects, not the groups' history.
    other->setGroup(first);
    a->setGroup(second);
    b->setGroup(second);
    for (const auto& object : {a, loose, b}) scene().selectObject(object);
    answer(L"three");
    Edit::EditCommand::saveObjectAlias(edit);
    const std::string blur = "effect.name=ぼかし\r\nX=0\r\n反転=0\r\nY=0.0\r\n";
    const std::string figure = "effect.name=図形\r\nX=0\r\n反転=0\r\nY=0.0\r\n";
    EXPECT_EQ(aliasBytes("three.object"), "[0]\r\nlayer=3\r\nframe=0,9\r\ngroup=1\r\n[0.0]\r\n" + figure +
                                              "[0.1]\r\n" + kDrawSection +
                                              "[1]\r\nlayer=1\r\nframe=5,14\r\n[1.0]\r\n" + blur +
                                              "[2]\r\nlayer=4\r\nframe=20,29\r\ngroup=1\r\n[2.0]\r\n" + figure +
                                              "[2.1]\r\n" + kDrawSection);
}

TEST_F(AliasCommand, AnEffectIsSavedAsItsOwnSection) {
    const Edit::ObjectPointer object = placeKeyed(*this);
    object->effectList.front()->disable = true;
    answer(L"fig");
    Effect::saveEffectAliasFile(registry.service, *object->effectList.front());
    EXPECT_EQ(aliasBytes("fig.effect"), "[Effect.0]\r\neffect.name=図形\r\neffect.disable=1\r\nX=1,2,3,直線移動,0\r\n"
                                        "反転=0\r\nY=0.0\r\n");
    EXPECT_EQ(dialogs.asked, std::vector<std::wstring>{L"エイリアスを作成 - 図形||"});
    ASSERT_EQ(registry.service.getAliasList().size(), 1u);
    EXPECT_EQ(registry.service.getAliasList().front()->kind, Effect::AliasKind::Effect);
}

TEST_F(AliasCommand, TheDialogReturnsUntilANameIsUsableAndConfirmed) {
    const Edit::ObjectPointer object = place(0, 0, 9);
    scene().setFocusObject(object);
    writeAlias("taken.object", "old");
    // Refused names, a declined overwrite, then an accepted one.
    for (const wchar_t* name : {L"", L"a/b", L"a\\b", L"..", L"x..y", L"c:d", L"tab\there", L"taken", L"taken"})
        answer(name, L"ラベル");
    dialogs.confirms = {false, true};
    Edit::EditCommand::saveObjectAlias(edit);
    EXPECT_EQ(dialogs.asked.size(), 11u);  // nine dialogs, two questions
    EXPECT_EQ(dialogs.asked.at(8), L"同名のエイリアスが存在しています\n上書きしますか？");
    // The dialog comes back with what was typed.
    EXPECT_EQ(dialogs.asked.at(9), L"エイリアスを作成 - オブジェクト|taken|ラベル");
    EXPECT_EQ(registry.env.errorBoxes().size(), 7u);
    EXPECT_EQ(registry.env.errorBoxes().front(), "エイリアス名に使用できない文字が含まれています");
    EXPECT_TRUE(aliasBytes("taken.object").starts_with("[Object]\r\nframe=0,9\r\n"));
    // Nothing was written outside the alias folder.
    EXPECT_FALSE(std::filesystem::exists(aliasFolder() / "a"));
    EXPECT_FALSE(std::filesystem::exists(aliasFolder().parent_path() / "b.object"));
}

TEST_F(AliasCommand, CancelWritesNothingAndAFailedWriteStillReregisters) {
    const Edit::ObjectPointer object = place(0, 0, 9);
    scene().setFocusObject(object);
    writeAlias("kept.object", "[Object]\r\n");
    dialogs.aliases.push_back(std::nullopt);
    Edit::EditCommand::saveObjectAlias(edit);
    EXPECT_TRUE(registry.service.getAliasList().empty());  // not read again
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(aliasFolder()), {}), 1);

    // A folder of that name cannot be replaced by the file.
    std::filesystem::create_directory(aliasFolder() / "busy.object");
    answer(L"busy");
    dialogs.confirms = {true};
    Edit::EditCommand::saveObjectAlias(edit);
    EXPECT_EQ(registry.env.errorBoxes(), Lines{"エイリアスの保存に失敗しました"});
    ASSERT_EQ(registry.service.getAliasList().size(), 1u);
    EXPECT_EQ(registry.service.getAliasList().front()->name, L"kept");
}

TEST_F(AliasCommand, AnEffectAliasDroppedMakesAnObject80PixelsLong) {
    const std::wstring path = writeAlias("b.effect", "[Effect.0]\r\neffect.name=ぼかし\r\nX=7\r\n");
    const std::wstring figure = writeAlias("f.effect", "[Effect.0]\r\neffect.name=図形\r\nX=3\r\n");
    place(2, 200, 209);
    Edit::EditCommand::loadObjectAlias(edit, path, 0, 100);
    scene().zoom.zoom = 20000;
    Edit::EditCommand::loadObjectAlias(edit, figure, 1, 100);
    // A busy stretch: cut short at the next object, or moved behind it.
    Edit::EditCommand::loadObjectAlias(edit, path, 2, 180);
    Edit::EditCommand::loadObjectAlias(edit, path, 2, 205);
    EXPECT_EQ(objectLines(), (Lines{"0 100,180", "1 100,140", "2 180,199", "2 200,209", "2 210,250"}));
    const Edit::ObjectPointer made = scene().getLayerObjectList(1).objects.at(0);
    EXPECT_EQ(EditTest::chainNames(*made), (std::vector<std::wstring>{L"図形", L"標準描画"}));
    EXPECT_EQ(xOf(*made->effectList.front()).values.at(0), 3);
    EXPECT_EQ(EditTest::chainNames(*scene().getLayerObjectList(0).objects.at(0)), std::vector<std::wstring>{L"ぼかし"});
    EXPECT_EQ(scene().focusObject, scene().getLayerObjectList(2).objects.at(2));
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::loadObjectAlias").at(0),
              "load object [" + System::String::toUtf8(path) + "] layer=0 frame=100");
}

TEST_F(AliasCommand, SavedObjectsArePlacedAgainAtTheDropFrame) {
    const Edit::ObjectPointer keyed = placeKeyed(*this);
    scene().setFocusObject(keyed);
    answer(L"one");
    Edit::EditCommand::saveObjectAlias(edit);
    scene().setFocusObject(nullptr);
    const Edit::ObjectPointer a = place(3, 0, 9);
    const Edit::ObjectPointer b = place(5, 4, 30);
    const Edit::ObjectPointer c = place(4, 2, 3);
    const auto group = std::make_shared<Edit::Group>();
    a->setGroup(group);
    b->setGroup(group);
    for (const auto& object : {a, b, c}) scene().selectObject(object);
    answer(L"many");
    Edit::EditCommand::saveObjectAlias(edit);
    scene().selection.clear();

    // The saved length, whatever the zoom; the block with its top layer at
    // the drop layer and its earliest frame at the drop frame.
    Edit::EditCommand::loadObjectAlias(edit, (aliasFolder() / "one.object").wstring(), 7, 100);
    Edit::EditCommand::loadObjectAlias(edit, (aliasFolder() / "many.object").wstring(), 10, 50);
    EXPECT_EQ(objectLines(), (Lines{"1 10,20,39", "3 0,9 g1", "4 2,3", "5 4,30 g1", "7 100,110,129",
                                    "10 50,59 g2", "11 52,53", "12 54,80 g2"}));
    const Edit::ObjectPointer copy = scene().getLayerObjectList(7).objects.at(0);
    EXPECT_FALSE(copy->camera);
    EXPECT_EQ(xOf(*copy->effectList.front()).values, (std::vector<int>{1, 2, 3}));
    // The first object of the block is focused.
    EXPECT_EQ(scene().focusObject, scene().getLayerObjectList(10).objects.at(0));

    // An object alias with boundaries moves behind what is in its way.
    Edit::EditCommand::loadObjectAlias(edit, (aliasFolder() / "one.object").wstring(), 7, 110);
    EXPECT_EQ(objectLines().at(5), "7 130,140,159");
}

TEST_F(AliasCommand, AManyObjectAliasStopsAtTheFirstMissingNumber) {
    const std::wstring path = writeAlias("gap.object", "[0]\r\nlayer=0\r\nframe=0,9\r\n[0.0]\r\neffect.name=図形\r\n"
                                                       "[2]\r\nlayer=1\r\nframe=0,9\r\n[2.0]\r\neffect.name=図形\r\n");
    Edit::EditCommand::loadObjectAlias(edit, path, 5, 0);
    EXPECT_EQ(objectLines(), Lines{"5 0,9"});
}

// The project file without its focus line: a placed alias takes the focus,
// which is view state that undo records do not keep.
std::string withoutFocus(std::string bytes) {
    for (std::size_t at; (at = bytes.find("focus=1\r\n")) != std::string::npos;) bytes.erase(at, 9);
    return bytes;
}

TEST_F(AliasCommand, LoadingUndoesAndRedoesToTheSavedBytes) {
    const std::wstring many = writeAlias("m.object", "[0]\r\nlayer=0\r\nframe=0,9\r\ngroup=4\r\n[0.0]\r\n"
                                                     "effect.name=図形\r\n[1]\r\nlayer=2\r\nframe=5,9\r\ngroup=4\r\n"
                                                     "[1.0]\r\neffect.name=図形\r\n");
    const std::wstring blur = writeAlias("b.effect", "[Effect.0]\r\neffect.name=ぼかし\r\nX=7\r\n[Effect.1]\r\n"
                                                     "effect.name=グロー\r\n");
    const Edit::ObjectPointer target = place(0, 0, 49);
    for (const auto& command : std::vector<std::function<void()>>{
             [&] { Edit::EditCommand::loadObjectAlias(edit, many, 1, 30); },
             [&] { Edit::EditCommand::loadObjectAlias(edit, blur, 8, 0); },
             [&] { Edit::EditCommand::loadEffectAlias(edit, target, blur, nullptr, false); }}) {
        const std::string before = withoutFocus(saved());
        command();
        const std::string after = withoutFocus(saved());
        ASSERT_NE(before, after);
        undo.undo();
        EXPECT_EQ(withoutFocus(saved()), before);
        undo.redo();
        EXPECT_EQ(withoutFocus(saved()), after);
    }
    EXPECT_EQ(EditTest::chainNames(*target),
              (std::vector<std::wstring>{L"図形", L"標準描画", L"ぼかし", L"グロー"}));
    EXPECT_TRUE(lockFree());
}

TEST_F(AliasCommand, EffectAliasesGoBeforeThePositionOrInItsPlace) {
    const std::wstring path = writeAlias("two.effect", "[Effect.0]\r\neffect.name=ぼかし\r\nX=7\r\n[Effect.1]\r\n"
                                                       "effect.name=グロー\r\n");
    const Edit::ObjectPointer object = place(0, 0, 49);
    Edit::EditCommand::setEffect(edit, object, EditTest::kFade, nullptr, false);
    const Effect::EffectBase* fade = object->effectList.at(2).get();
    Edit::EditCommand::loadEffectAlias(edit, object, path, fade, false);
    EXPECT_EQ(EditTest::chainNames(*object),
              (std::vector<std::wstring>{L"図形", L"標準描画", L"ぼかし", L"グロー", L"フェード"}));
    Edit::EditCommand::loadEffectAlias(edit, object, path, fade, true);
    EXPECT_EQ(EditTest::chainNames(*object), (std::vector<std::wstring>{L"図形", L"標準描画", L"ぼかし", L"グロー",
                                                                        L"ぼかし", L"グロー"}));
    EXPECT_EQ(xOf(*object->effectList.at(4)).values.at(0), 7);
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::loadEffectAlias").at(0),
              "load effect [" + System::String::toUtf8(path) + "] layer=0 frame=0");
}

TEST_F(AliasCommand, FailuresAreReportedAndChangeNothing) {
    const Edit::ObjectPointer object = place(0, 0, 49);
    const std::string before = saved();
    const std::wstring none = writeAlias("none.object", "[other]\r\nkey=1\r\n");
    const std::wstring noEffect = writeAlias("bare.effect", "[Effect.1]\r\neffect.name=ぼかし\r\n");
    const std::wstring unknown = writeAlias("odd.effect", "[Effect.0]\r\neffect.name=ない\r\n");
    const std::wstring half = writeAlias("half.effect", "[Effect.0]\r\neffect.name=ぼかし\r\n[Effect.1]\r\nX=1\r\n");
    const std::wstring badFrames = writeAlias("bad.object", "[Object]\r\nframe=0,12,9\r\n[Object.0]\r\n"
                                                            "effect.name=図形\r\n");
    const std::wstring badLayer = writeAlias("neg.object", "[0]\r\nlayer=-1\r\nframe=0,9\r\n[0.0]\r\n"
                                                           "effect.name=図形\r\n");
    Edit::EditCommand::loadObjectAlias(edit, (aliasFolder() / "missing.object").wstring(), 1, 0);
    Edit::EditCommand::loadObjectAlias(edit, none, 1, 0);
    Edit::EditCommand::loadObjectAlias(edit, noEffect, 1, 0);
    Edit::EditCommand::loadObjectAlias(edit, unknown, 1, 0);
    Edit::EditCommand::loadObjectAlias(edit, badFrames, 1, 0);
    Edit::EditCommand::loadObjectAlias(edit, badLayer, 1, 0);
    // Blocks that would run past the frame or layer numbers.
    const std::wstring longBlock = writeAlias("long.object", "[0]\r\nlayer=0\r\nframe=0,2000000000\r\n[0.0]\r\n"
                                                             "effect.name=図形\r\n");
    const std::wstring tallBlock = writeAlias("tall.object", "[0]\r\nlayer=0\r\nframe=0,9\r\n[0.0]\r\n"
                                                             "effect.name=図形\r\n[1]\r\nlayer=100000\r\n"
                                                             "frame=0,9\r\n[1.0]\r\neffect.name=図形\r\n");
    // An object longer than any frame count.
    const std::wstring hugeBlock = writeAlias("huge.object", "[0]\r\nlayer=0\r\nframe=-2147483648,9\r\n"
                                                               "[0.0]\r\neffect.name=図形\r\n");
    Edit::EditCommand::loadObjectAlias(edit, longBlock, 1, 500000000);
    Edit::EditCommand::loadObjectAlias(edit, tallBlock, 5, 0);
    Edit::EditCommand::loadObjectAlias(edit, hugeBlock, 1, 0);
    Edit::EditCommand::loadEffectAlias(edit, object, half, nullptr, false);
    ASSERT_EQ(loadFailures().size(), 10u);
    // The overlong object is refused as it is read, before any arithmetic on
    // its length.
    EXPECT_NE(loadFailures().at(8).find("pushObjectAliasFileToObjectList"), std::string::npos) << loadFailures().at(8);
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(EditTest::chainNames(*object), (std::vector<std::wstring>{L"図形", L"標準描画"}));
    EXPECT_TRUE(lockFree());
}

TEST_F(AliasCommand, MenuEntriesRunTheCommands) {
    const Edit::ObjectPointer object = place(0, 0, 49);
    registry.define(EditTest::kBlur).addEffect(object, nullptr, false);
    EXPECT_EQ(EditTest::chainNames(*object), (std::vector<std::wstring>{L"図形", L"標準描画", L"ぼかし"}));
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setEffect"), Lines{"set effect [ぼかし] layer=0 frame=0"});
    // Replacing the input keeps the chain's shape.
    registry.define(EditTest::kFrame).addEffect(object, object->effectList.front().get(), true);
    EXPECT_EQ(EditTest::chainNames(*object), (std::vector<std::wstring>{L"フレームバッファ", L"標準描画", L"ぼかし"}));

    writeAlias("g.effect", "[Effect.0]\r\neffect.name=グロー\r\n");
    writeAlias("o.object", "[Object]\r\nframe=0,4\r\n[Object.0]\r\neffect.name=図形\r\n");
    registry.service.reloadAlias();
    for (const auto& alias : registry.service.getAliasList()) {
        if (alias->kind == Effect::AliasKind::Effect) alias->addEffect(object, object->effectList.back().get(), true);
        else alias->createObject(3, 60);
    }
    EXPECT_EQ(EditTest::chainNames(*object), (std::vector<std::wstring>{L"フレームバッファ", L"標準描画", L"グロー"}));
    EXPECT_EQ(objectLines(), (Lines{"0 0,49", "3 60,64"}));

    registry.define(EditTest::kFigure).createObject(5, 0);
    EXPECT_EQ(objectLines(), (Lines{"0 0,49", "3 60,64", "5 0,80"}));

    Edit::EditCommand::installEffectMenuCommands(nullptr);
    registry.define(EditTest::kBlur).addEffect(object, nullptr, false);
    registry.define(EditTest::kFigure).createObject(6, 0);
    EXPECT_EQ(object->effectList.size(), 3u);
    EXPECT_EQ(objectLines().size(), 3u);
}

}  // namespace
