#include "edit/undo/UndoService.h"

#include "edit/scope/EditScope.h"
#include "edit/scope/ScopeTestSupport.h"
#include "edit/undo/EffectUndoUpdate.h"
#include "effect/item/EffectItemText.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using EditTest::kFigure;
using EditTest::xOf;

using EffectRecord = Undo::UndoItemTemplate<Effect::EffectBase, Effect::EffectUndoUpdate>;

// An effect with a text between two other items.
class Caption : public Effect::EffectBase {
public:
    Caption() : EffectBase(L"テキスト", Effect::EffectKind::Input, Effect::MediaKind::Video,
                           Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Caption>(); }

    Effect::EffectItemNumber size{items, L"サイズ", 34, 0, 1000, 1};
    Effect::EffectItemText text{items, L"テキスト", L"Hello, world!"};
    Effect::EffectItemNumber spacing{items, L"字間", 0, -100, 100, 1};
};

// A record that writes its undo and redo into a shared log.
class Marker : public Undo::UndoItem {
public:
    Marker(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    bool commit() override { return true; }
    void saveUndo() override {}
    void saveRedo() override {}
    void undo(Edit::EditScope&) override { log_.push_back("undo " + name_); }
    void redo(Edit::EditScope&) override { log_.push_back("redo " + name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class Undos : public ::testing::Test, public ScopeTest::Fixture {
protected:
    // One edit: records made by `record`, then the change.
    void editing(const std::function<void(Edit::EditScope&)>& change) {
        Edit::EditScope scope(edit);
        scope.beginUndo();
        change(scope);
    }

    Edit::ObjectPointer place(int layer, int start, int end) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        return scene().createObject(kFigure, layer, start, end);
    }

    // Sets X of the object's first effect in an edit of its own.
    void setX(const Edit::ObjectPointer& object, double value) {
        editing([&](Edit::EditScope&) {
            undo.addEffectUndoUpdate(object->effectList.front());
            xOf(*object->effectList.front()).setValue(value, 0);
        });
    }
    int x(const Edit::ObjectPointer& object) { return xOf(*object->effectList.front()).values.at(0); }

    std::vector<Edit::ObjectPointer> layer(int k) { return scene().getLayerObjectList(k).objects; }
};

TEST_F(Undos, SplitUndoesToTheOriginalAloneAndRedoesToThePieces) {
    const Edit::ObjectPointer original = place(2, 10, 39);
    Edit::ObjectPointer first, second;
    editing([&](Edit::EditScope& scope) {
        first = std::make_shared<Edit::Object>(&registry.service);
        second = std::make_shared<Edit::Object>(&registry.service);
        ASSERT_TRUE(original->splitObject(20, *first, *second, scene()));
        for (const Edit::ObjectPointer& piece : {first, second}) {
            undo.addObjectUndoCreate(piece);
            piece->layer = -1;
            scene().moveObjectLayer(piece, 2);
        }
        undo.addObjectUndoDelete(original);
        scene().getLayerObjectListGrow(2).reindexNeeded = true;
        original->layer = -1;
        scope.resortLayers = true;
    });
    EXPECT_EQ(layer(2), (std::vector<Edit::ObjectPointer>{first, second}));
    EXPECT_EQ(std::tie(first->start, first->end, second->start, second->end), std::tuple(10, 19, 20, 39));

    TestSupport::LogCapture log;
    undo.undo();
    EXPECT_EQ(layer(2), std::vector<Edit::ObjectPointer>{original});
    EXPECT_EQ(std::tie(original->layer, first->layer, second->layer), std::tuple(2, -1, -1));
    EXPECT_EQ(log.count(System::Log::INFO, "Undo::UndoService::undo", "Undo: 3"), 1);
    EXPECT_TRUE(lockFree());

    undo.redo();
    EXPECT_EQ(layer(2), (std::vector<Edit::ObjectPointer>{first, second}));
    EXPECT_EQ(original->layer, -1);
    EXPECT_EQ(log.count(System::Log::INFO, "Undo::UndoService::redo", "Redo: 3"), 1);
}

TEST_F(Undos, GroupsUndoLastToFirstAndRedoFirstToLast) {
    std::vector<std::string> order;
    editing([&](Edit::EditScope&) {
        for (const char* name : {"a", "b", "c"}) undo.addUndoItem(std::make_unique<Marker>(order, name));
    });
    undo.undo();
    undo.redo();
    EXPECT_EQ(order, (std::vector<std::string>{"undo c", "undo b", "undo a", "redo a", "redo b", "redo c"}));
}

TEST_F(Undos, OneScopeOpensOneGroupAndNothingToUndoIsSilent) {
    const Edit::ObjectPointer object = place(0, 0, 9);
    undo.undo();  // nothing yet
    undo.redo();
    editing([&](Edit::EditScope& scope) {
        undo.addEffectUndoUpdate(object->effectList.front());
        xOf(*object->effectList.front()).setValue(5, 0);
        scope.beginUndo();  // a second command in the same scope
        undo.addObjectUndoUpdate(object);
        object->start = 3;
    });
    EXPECT_FALSE(undo.recording);
    ASSERT_EQ(scene().undoHistory.groups.size(), 1u);
    EXPECT_EQ(scene().undoHistory.groups.front().size(), 2u);
    undo.undo();
    EXPECT_EQ(x(object), 0);
    EXPECT_EQ(object->start, 0);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_TRUE(undo.canRedo());
}

TEST_F(Undos, HistoryKeepsAtMostUndoMaxGroups) {
    const Edit::ObjectPointer object = place(0, 0, 9);
    undo.UndoMax = 2;
    for (double v : {1, 2, 3}) setX(object, v);
    EXPECT_EQ(scene().undoHistory.groups.size(), 2u);
    undo.undo();
    undo.undo();
    EXPECT_EQ(x(object), 1);  // the oldest group, back to 0, is gone
    EXPECT_FALSE(undo.canUndo());

    undo.UndoMax = 0;
    undo.modified = false;
    setX(object, 7);
    EXPECT_TRUE(scene().undoHistory.groups.empty());
    EXPECT_TRUE(undo.modified);
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(Undos, AnEditOfNoChangeStoresNothingAndKeepsTheRedoPart) {
    const Edit::ObjectPointer object = place(0, 0, 9);
    for (double v : {1, 2, 3, 4}) setX(object, v);
    undo.undo();
    undo.undo();
    undo.undo();
    EXPECT_EQ(x(object), 1);
    undo.modified = false;

    // A click that moves nothing.
    editing([&](Edit::EditScope&) {
        undo.addObjectUndoUpdate(object);
        undo.addEffectUndoUpdate(object->effectList.front());
    });
    EXPECT_FALSE(undo.modified);
    EXPECT_EQ(scene().undoHistory.groups.size(), 4u);
    undo.redo();
    EXPECT_EQ(x(object), 2);

    // A real edit drops the two groups still undone.
    setX(object, 9);
    EXPECT_TRUE(undo.modified);
    EXPECT_EQ(scene().undoHistory.groups.size(), 3u);
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(x(object), 2);
}

TEST_F(Undos, ATextEditKeepsOnlyTheChangedMiddle) {
    auto caption = std::make_shared<Caption>();
    editing([&](Edit::EditScope&) {
        undo.addEffectUndoUpdate(caption);
        caption->text.text = L"Hello, brave world!";
    });
    ASSERT_EQ(scene().undoHistory.groups.size(), 1u);
    const auto& record = dynamic_cast<const EffectRecord&>(*scene().undoHistory.groups.front().front());
    ASSERT_EQ(record.before.items.size(), 3u);
    EXPECT_EQ(record.before.items[0], nullptr);  // unchanged items are not kept
    EXPECT_EQ(record.before.items[2], nullptr);
    const auto& before = dynamic_cast<const Effect::EffectItemText&>(*record.before.items[1]);
    const auto& after = dynamic_cast<const Effect::EffectItemText&>(*record.after.items[1]);
    EXPECT_EQ(std::tie(before.text, before.prefixLength, before.suffixLength), std::tuple(L"", 7, 6));
    EXPECT_EQ(std::tie(after.text, after.prefixLength, after.suffixLength), std::tuple(L"brave ", 7, 6));

    undo.undo();
    EXPECT_EQ(caption->text.text, L"Hello, world!");
    undo.redo();
    EXPECT_EQ(caption->text.text, L"Hello, brave world!");
}

TEST_F(Undos, TextUndoActsOnlyOnAGroupOfThatItemAlone) {
    auto caption = std::make_shared<Caption>();
    std::vector<std::string> refreshes;
    edit.hooks.rebuildSetting = [&] { refreshes.push_back("rebuild"); };
    edit.hooks.refreshTextSetting = [&] { refreshes.push_back("text"); };

    editing([&](Edit::EditScope&) {  // the text and the disable flag
        undo.addEffectUndoUpdate(caption);
        caption->text.text = L"Hi";
        caption->disable = true;
    });
    editing([&](Edit::EditScope&) {  // the text and another item
        undo.addEffectUndoUpdate(caption);
        caption->text.text = L"Hi there";
        caption->size.setValue(50, 0);
    });
    undo.undoText(&caption->text);
    EXPECT_EQ(caption->text.text, L"Hi there");  // refused
    EXPECT_TRUE(refreshes.empty());
    undo.undo();
    EXPECT_EQ(caption->text.text, L"Hi");

    refreshes.clear();
    TestSupport::LogCapture log;
    undo.undoText(&caption->size);  // another item: refused
    EXPECT_EQ(caption->text.text, L"Hi");
    undo.undoText(&caption->text);
    EXPECT_EQ(caption->text.text, L"Hello, world!");
    EXPECT_FALSE(caption->disable);
    EXPECT_EQ(refreshes, std::vector<std::string>{"text"});  // the settings rows stay
    EXPECT_EQ(log.count(System::Log::INFO, "Undo::UndoService::undoText", "UndoText: 1"), 1);

    undo.redoText(&caption->size);
    EXPECT_EQ(caption->text.text, L"Hello, world!");
    EXPECT_EQ(scene().undoHistory.position, 2u);
    undo.redoText(&caption->text);
    EXPECT_EQ(caption->text.text, L"Hi");
    EXPECT_TRUE(caption->disable);
}

TEST_F(Undos, EachSceneKeepsItsOwnHistory) {
    const Edit::ObjectPointer a = place(0, 0, 9);
    setX(a, 1);
    {
        Edit::EditScope scope(edit);
        edit.setCurrentScene(1);
    }
    const Edit::ObjectPointer b = place(0, 0, 9);
    setX(b, 2);
    undo.undo();
    EXPECT_EQ(x(b), 0);
    EXPECT_EQ(x(a), 1);
    EXPECT_FALSE(undo.canUndo());
    {
        Edit::EditScope scope(edit);
        edit.setCurrentScene(0);
    }
    EXPECT_TRUE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(x(a), 0);
}

// An effect whose items changed in number cannot be compared: the record is
// dropped with a logged error, the rest of the group is kept, and the scope
// still ends cleanly.
TEST_F(Undos, ARecordOfAChangedItemCountIsDroppedWithAnError) {
    const Edit::ObjectPointer object = place(0, 0, 9);
    auto caption = std::make_shared<Caption>();
    TestSupport::LogCapture log;
    editing([&](Edit::EditScope&) {
        undo.addEffectUndoUpdate(caption);
        undo.addObjectUndoUpdate(object);
        caption->items.pop_back();
        object->start = 4;
    });
    EXPECT_TRUE(lockFree());
    EXPECT_FALSE(undo.recording);
    EXPECT_TRUE(undo.pending.empty());
    bool reported = false;
    for (const auto& line : log.of(System::Log::ERROR))
        reported |= line.text.find("different number of items.") != std::string::npos;
    EXPECT_TRUE(reported);
    ASSERT_EQ(scene().undoHistory.groups.size(), 1u);
    EXPECT_EQ(scene().undoHistory.groups.front().size(), 1u);
    undo.undo();
    EXPECT_EQ(object->start, 0);
}

}  // namespace
