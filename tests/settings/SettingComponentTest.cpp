// The object settings window over a real edit service: which blocks the
// focus object's chain shows, and what the block commands (switches, cut,
// copy, paste, fold) leave in the chain and in the undo history.
// The test kinds first: their names meet the drawing controls' namespace.
#include "edit/EditTestSupport.h"
#include "settings/SettingComponent.h"

#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "media/DrawingFixture.h"
#include "support/VirtualDisplay.h"
#include "window/WindowMouseService.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t Filter = Effect::EffectKind::Filter;
namespace MK = Effect::MediaKind;
using Component::SettingComponent;
using EditTest::chainNames;
using EditTest::xOf;

inline constexpr const wchar_t* kA = L"フィルタA";
inline constexpr const wchar_t* kB = L"フィルタB";
inline constexpr const wchar_t* kC = L"フィルタC";
inline constexpr const wchar_t* kD = L"フィルタD";
using FilterA = EditTest::Kind<&kA, Filter, MK::Video>;
using FilterB = EditTest::Kind<&kB, Filter, MK::Video>;
using FilterC = EditTest::Kind<&kC, Filter, MK::Video>;
using FilterD = EditTest::Kind<&kD, Filter, MK::Video>;

using Names = std::vector<std::wstring>;

// The services a window and its rows are built with (fonts and styles
// included), with the test kinds registered.
class SettingWindow : public DrawingTest::DrawingServices {
protected:
    SettingWindow() : DrawingServices(true) {}

    void SetUp() override {
        TestSupport::useTestDisplay();
        DrawingServices::SetUp();
        mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
        registryHolder = std::make_unique<System::Singleton<Effect::EffectService>>();
        Effect::EffectService& registry = *System::Singleton<Effect::EffectService>::getInstance();
        registry.registerEffect<EditTest::Figure>();
        registry.registerEffect<EditTest::Draw>();
        registry.registerEffect<EditTest::Sound>();
        registry.registerEffect<EditTest::Play>();
        registry.registerEffect<EditTest::Volume>();
        registry.registerEffect<EditTest::GroupControl>();
        registry.registerEffect<FilterA>();
        registry.registerEffect<FilterB>();
        registry.registerEffect<FilterC>();
        registry.registerEffect<FilterD>();
        events = std::make_unique<System::Singleton<Event::EventService>>();
        undoHolder = std::make_unique<System::Singleton<Undo::UndoService>>();
        editHolder = std::make_unique<System::Singleton<Edit::EditService>>();
        window = std::make_unique<SettingComponent>();
    }
    void TearDown() override {
        window.reset();
        editHolder.reset();
        undoHolder.reset();
        events.reset();
        registryHolder.reset();
        mouse.reset();
        DrawingServices::TearDown();
    }

    Edit::Scene& scene() { return *edit().getCurrentScene(); }
    static Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }
    static Undo::UndoService& undo() { return *System::Singleton<Undo::UndoService>::getInstance(); }

    // An object of the first effect with the filters, on its own layer,
    // placed without undo.
    Edit::ObjectPointer place(const wchar_t* first, const std::vector<const wchar_t*>& filters) {
        Edit::ObjectPointer object;
        {
            Edit::EditScope scope(edit());
            scope.resortLayers = true;
            object = scene().createObject(first, layer++, 0, 99);
            for (const wchar_t* filter : filters) object->addEffect(filter, 0, nullptr);
        }
        edit().setFocusObject(object);
        return object;
    }

    Component::EffectSetting& block(std::size_t index) { return *window->blocks.at(index); }

    Names titles() {
        Names texts;
        for (const auto& shown : window->blocks) texts.push_back(shown->header.title.text);
        return texts;
    }

    std::unique_ptr<System::Singleton<Window::WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Effect::EffectService>> registryHolder;
    std::unique_ptr<System::Singleton<Event::EventService>> events;
    std::unique_ptr<System::Singleton<Undo::UndoService>> undoHolder;
    std::unique_ptr<System::Singleton<Edit::EditService>> editHolder;
    std::unique_ptr<SettingComponent> window;
    int layer = 0;
};

TEST_F(SettingWindow, TheFocusObjectShowsOneBlockPerEffectWithInputAndOutputTogether) {
    place(EditTest::kFigure, {kA, kB});
    EXPECT_EQ(titles(), (Names{L"図形 [標準描画]", kA, kB}));
    EXPECT_EQ(block(0).output.get(), window->settingObject->effectList[1].get());
    EXPECT_TRUE(window->header.addButton.enabled);

    // A control object has no output: one block per chain entry.
    place(EditTest::kGroup, {kA});
    EXPECT_EQ(titles(), (Names{EditTest::kGroup, kA}));

    // The focus gone: nothing shown, the add button greyed.
    edit().setFocusObject(nullptr);
    EXPECT_TRUE(window->blocks.empty());
    EXPECT_FALSE(window->header.addButton.enabled);
}

TEST_F(SettingWindow, AnObjectTakenOffTheTimelineEmptiesTheWindow) {
    const Edit::ObjectPointer object = place(EditTest::kFigure, {kA});
    ASSERT_EQ(window->blocks.size(), 2u);
    object->layer = -1;
    std::shared_ptr<Edit::Object> updated = object;
    System::Singleton<Event::EventService>::getInstance()->objectUpdate.notify(updated);
    EXPECT_EQ(window->settingObject, nullptr);
    EXPECT_TRUE(window->blocks.empty());
}

TEST_F(SettingWindow, TheEnableCheckIsOneUndoStepAndTheWindowKeepsItsBlocks) {
    const Edit::ObjectPointer object = place(EditTest::kFigure, {kA, kB});
    Control::CheckButtonControl& check = *block(1).header.enableCheck;
    ASSERT_TRUE(check.checked);
    check.onClick(check);
    EXPECT_TRUE(object->effectList[2]->disable);
    EXPECT_FALSE(block(1).header.enableCheck->checked);
    undo().undo();
    EXPECT_FALSE(object->effectList[2]->disable);
    // The refresh after the undo brings the check back.
    EXPECT_TRUE(block(1).header.enableCheck->checked);
}

TEST_F(SettingWindow, PastedFiltersStandRightAfterTheBlockInBufferOrder) {
    const Edit::ObjectPointer object = place(EditTest::kFigure, {kA, kB, kC, kD});
    // Copy A, paste on C: A' lands right after C.
    block(1).copyEffect();
    block(3).pasteEffect();
    EXPECT_EQ(chainNames(*object), (Names{EditTest::kFigure, EditTest::kDraw, kA, kB, kC, kA, kD}));
    ASSERT_EQ(window->blocks.size(), 6u);
    undo().undo();
    EXPECT_EQ(chainNames(*object), (Names{EditTest::kFigure, EditTest::kDraw, kA, kB, kC, kD}));
    EXPECT_EQ(titles(), (Names{L"図形 [標準描画]", kA, kB, kC, kD}));

    // Copy after on B (B, C, D), paste on the first block: the copies go to
    // the top of the filters, after the output.
    block(2).copyAfterEffect();
    ASSERT_EQ(window->copyBuffer.size(), 3u);
    block(0).pasteEffect();
    EXPECT_EQ(chainNames(*object),
              (Names{EditTest::kFigure, EditTest::kDraw, kB, kC, kD, kA, kB, kC, kD}));
    // The pasted ones are new instances.
    EXPECT_NE(object->effectList[3], object->effectList[7]);
}

TEST_F(SettingWindow, CopyAfterSharesTheLiveFiltersWhileCopyKeepsASnapshot) {
    const Edit::ObjectPointer object = place(EditTest::kFigure, {kA, kB, kC});
    const auto& c = object->effectList[4];
    block(3).copyEffect();
    xOf(*c).setValue(7, 0);
    block(0).pasteEffect();
    EXPECT_EQ(xOf(*object->effectList[2]).values.at(0), 0);

    // Input, C', A, B, C: copy after on C, which now stands last.
    block(4).copyAfterEffect();
    xOf(*window->settingObject->effectList.back()).setValue(9, 0);
    block(0).pasteEffect();
    EXPECT_EQ(object->effectList[2]->name, std::wstring(kC));
    EXPECT_EQ(xOf(*object->effectList[2]).values.at(0), 9);
}

TEST_F(SettingWindow, ACutDisabledFilterComesBackEnabled) {
    const Edit::ObjectPointer object = place(EditTest::kFigure, {kA, kB});
    object->effectList[2]->disable = true;
    object->effectList[2]->lock = true;
    block(1).cutEffect();
    EXPECT_EQ(chainNames(*object), (Names{EditTest::kFigure, EditTest::kDraw, kB}));
    ASSERT_EQ(window->copyBuffer.size(), 1u);
    EXPECT_TRUE(window->copyBuffer.front()->disable);
    block(1).pasteEffect();
    EXPECT_EQ(chainNames(*object), (Names{EditTest::kFigure, EditTest::kDraw, kB, kA}));
    EXPECT_FALSE(object->effectList[3]->disable);
    EXPECT_FALSE(object->effectList[3]->lock);
}

TEST_F(SettingWindow, AnAudioFilterIsNotPastedOntoAVideoObject) {
    place(EditTest::kSound, {EditTest::kVolume});
    block(1).copyEffect();
    const Edit::ObjectPointer video = place(EditTest::kFigure, {kA});
    block(0).pasteEffect();
    EXPECT_EQ(chainNames(*video), (Names{EditTest::kFigure, EditTest::kDraw, kA}));
    // Nothing changed: no undo step either.
    EXPECT_FALSE(undo().canUndo());
}

TEST_F(SettingWindow, CutAfterTakesEveryLaterBlockAndTheFirstBlockStays) {
    const Edit::ObjectPointer object = place(EditTest::kFigure, {kA, kB, kC});
    block(0).cutEffect();  // the first block cannot go
    block(0).cutAfterEffect();
    EXPECT_EQ(chainNames(*object), (Names{EditTest::kFigure, EditTest::kDraw, kA, kB, kC}));
    block(2).cutAfterEffect();
    EXPECT_EQ(window->copyBuffer.size(), 2u);
    EXPECT_EQ(chainNames(*object), (Names{EditTest::kFigure, EditTest::kDraw, kA}));
    undo().undo();
    EXPECT_EQ(chainNames(*object), (Names{EditTest::kFigure, EditTest::kDraw, kA, kB, kC}));
}

TEST_F(SettingWindow, FoldAllFoldsEveryBlockThenUnfoldsThemAll) {
    const Edit::ObjectPointer object = place(EditTest::kFigure, {kA, kB});
    object->effectList[3]->hide = true;
    block(0).foldAll();
    for (const auto& effect : object->effectList) EXPECT_TRUE(effect->hide);
    for (const auto& shown : window->blocks) EXPECT_TRUE(shown->rows.empty());
    block(0).foldAll();
    for (const auto& effect : object->effectList) EXPECT_FALSE(effect->hide);
    // Folding is no edit.
    EXPECT_FALSE(undo().canUndo());
}

}  // namespace
