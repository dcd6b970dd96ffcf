// Every kind of record: an edit changes one aspect of its target, undo
// brings back the state before, redo the state after, and the scope flags
// the restore sets are those of the aspect.
#include "edit/scope/EditScope.h"
#include "edit/scope/ScopeTestSupport.h"
#include "edit/undo/ColorSettingUndo.h"
#include "edit/undo/LayerUndo.h"
#include "edit/undo/ObjectUndo.h"
#include "edit/undo/UndoService.h"
#include "effect/item/EffectItemInteger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>

namespace {

using EditTest::kBlur;
using EditTest::kFigure;
using EditTest::kGroup;

// A colour window as the records see it.
class ColorWindow : public Component::ColorSettingColors {};

// A control with a layer-range item.
class RangeControl : public Effect::EffectBase {
public:
    RangeControl() : EffectBase(L"範囲制御", Effect::EffectKind::Control, Effect::MediaKind::Video,
                                Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<RangeControl>(); }
    int getLayerRange() const override { return range.value; }
    Effect::EffectItemLayerRange range{items, L"対象レイヤー数", 1};
};

class Records : public ::testing::Test, public ScopeTest::Fixture {
protected:
    Edit::ObjectPointer place(int layer, int start, int end, const wchar_t* kind = kFigure) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        return scene().createObject(kind, layer, start, end);
    }

    // The layer table as text: "k:start-end[boundaries]g" per object, and
    // each customised layer's settings.
    std::string table() {
        std::ostringstream out;
        for (int k = 0; k < scene().getLayerCount(); ++k) {
            const Edit::LayerObjectList& list = scene().getLayerObjectList(k);
            if (list.layer->isCustomized()) {
                std::string name(list.layer->name.begin(), list.layer->name.end());
                out << "L" << k << "(" << name << (list.layer->hide ? ",hide" : "") << (list.layer->lock ? ",lock" : "")
                    << ") ";
            }
            for (const Edit::ObjectPointer& o : list.objects) {
                out << k << ":" << o->start << "-" << o->end << "[";
                for (int b : o->boundaries) out << b << ",";
                out << "]" << (o->group ? "g" : "") << (o->clipping ? "c" : "") << (o->camera ? "" : "n")
                    << o->effectList.size() << " ";
            }
        }
        return out.str();
    }

    // The flags the last undo and redo set, as seen by the hooks.
    struct Case {
        const char* name;
        std::function<void()> record;  // makes the records (scope open)
        std::function<void()> change;
        std::function<std::string()> state;
        std::vector<std::string> flags;  // refreshes seen on undo, beyond the always-set time refresh
    };

    void run(const Case& c) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> seen;
        edit.hooks.clearSettingSection = [&] { seen.push_back("clearSection"); };
        edit.hooks.rebuildSetting = [&] { seen.push_back("rebuild"); };
        edit.hooks.refreshSetting = [&] { seen.push_back("refresh"); };
        edit.hooks.refreshTimeSetting = [&](const Edit::ObjectPointer&) {};
        edit.hooks.refreshColorSetting = [&] { seen.push_back("color"); };
        edit.hooks.refreshTextSetting = [&] { seen.push_back("text"); };
        events.getInstance()->layerUpdate.add(this, [&] { seen.push_back("layerUpdate"); });

        const std::string before = c.state();
        {
            Edit::EditScope scope(edit);
            scope.beginUndo();
            c.record();
            c.change();
            scope.resortLayers = true;
        }
        const std::string after = c.state();
        EXPECT_NE(before, after);
        seen.clear();
        undo.undo();
        EXPECT_EQ(c.state(), before);
        EXPECT_EQ(seen, c.flags);
        undo.redo();
        EXPECT_EQ(c.state(), after);
        undo.undo();
        EXPECT_EQ(c.state(), before);
        events.getInstance()->removeListener(this);
    }
};

TEST_F(Records, EachKindRestoresItsAspect) {
    const Edit::ObjectPointer a = place(0, 0, 29);
    const Edit::ObjectPointer b = place(1, 40, 59);
    const std::function<std::string()> timeline = [this] { return table(); };

    run({"move to another layer and resize, with new boundaries",
         [&] { undo.addObjectUndoUpdate(a); },
         [&] {
             scene().moveObjectLayer(a, 3);
             a->start = 100;
             a->end = 149;
             a->boundaries = {10, 20};
         },
         timeline, {"clearSection"}});
    run({"boundaries only",
         [&] { undo.addObjectUndoSection(a); },
         [&] { a->boundaries = {5}; },
         timeline, {"clearSection"}});  // the effects' records proved unchanged
    run({"join a group",
         [&] { undo.addObjectUndoGroup(a); },
         [&] { a->setGroup(b->group ? b->group : std::make_shared<Edit::Group>()); },
         timeline, {}});
    run({"effect chain",
         [&] { undo.addObjectUndoEffect(a); },
         [&] { a->addEffect(kBlur, a->getMidPointCount(), nullptr); },
         timeline, {"rebuild", "color", "text"}});
    run({"clipping and camera",
         [&] { undo.addObjectUndoFlag(a); },
         [&] {
             a->clipping = true;
             a->camera = false;
         },
         timeline, {"rebuild", "color", "text"}});
    run({"delete",
         [&] { undo.addObjectUndoDelete(b); },
         [&] {
             scene().getLayerObjectListGrow(1).reindexNeeded = true;
             b->layer = -1;
         },
         timeline, {}});

    std::shared_ptr<Edit::Layer> settings = scene().getLayerObjectListGrow(1).layer;
    run({"layer settings",
         [&] { undo.addLayerUndoUpdate(settings); },
         [&] {
             settings->name = L"BG";
             settings->lock = true;
         },
         timeline, {"layerUpdate"}});
    run({"layer move",
         [&] { undo.addUndoItem(std::make_unique<Undo::UndoItemTemplate<Edit::Layer, Edit::LayerUndoMove>>(settings)); 
               undo.pending.back()->saveUndo(); },
         [&] {
             scene().growLayer(4);
             scene().moveLayer(1, 4);
         },
         timeline, {"layerUpdate"}});
    // Deleting a layer with its objects: the objects' records first, so
    // undo puts the layer back before the objects.
    run({"layer delete",
         [&] {
             undo.addObjectUndoDelete(b);
             undo.addUndoItem(
                 std::make_unique<Undo::UndoItemTemplate<Edit::Layer, Edit::LayerUndoCreateDelete>>(settings));
             undo.pending.back()->saveUndo();
         },
         [&] { scene().deleteLayer(settings->index); },
         timeline, {"layerUpdate"}});
    EXPECT_EQ(scene().getLayerObjectList(1).layer, settings);
}

TEST_F(Records, LayerRangeOfAControl) {
    const Edit::ObjectPointer control = place(0, 0, 99, kGroup);
    {
        Edit::EditScope scope(edit);
        control->effectList.front() = std::make_shared<RangeControl>();
        scene().getLayerObjectListGrow(0).controlRangeNeeded = true;
        scope.resortLayers = true;
    }
    auto& range = static_cast<RangeControl&>(*control->effectList.front()).range;
    const auto state = [&] {
        std::string ranges;
        for (const Edit::LayerControlRange& r : scene().getLayerObjectList(0).controlRanges)
            ranges += std::to_string(r.layerCount) + " ";
        return std::to_string(range.value) + " / " + ranges;
    };
    run({"layer range",
         [&] { undo.addObjectUndoLayerRange(control); },
         [&] {
             range.value = 5;
             scene().getLayerObjectListGrow(0).controlRangeNeeded = true;
         },
         state, {"rebuild", "color", "text"}});
    EXPECT_EQ(state(), "1 / 1 ");
}

TEST_F(Records, ColourWindowAndANaNCountsAsAChange) {
    ColorWindow window;
    window.color = {1, 0, 0, 1};
    const auto state = [&] {
        std::ostringstream out;
        for (float v : window.color) out << v << ",";
        for (float v : window.previousColor) out << v << ",";
        return out.str();
    };
    run({"colour",
         [&] { undo.addColorSettingUndoUpdate(window); },
         [&] {
             window.previousColor = window.color;
             window.color = {0, 1, 0, 1};
         },
         state, {"refresh", "color"}});

    // NaN in both states still counts as a change.
    window.color[3] = std::nanf("");
    {
        Edit::EditScope scope(edit);
        scope.beginUndo();
        undo.addColorSettingUndoUpdate(window);
    }
    EXPECT_EQ(scene().undoHistory.position, 0u);  // stored, not the undone group kept
    EXPECT_TRUE(undo.canUndo());
}

TEST_F(Records, AnUnchangedBoundaryListIsNotKept) {
    const Edit::ObjectPointer a = place(0, 0, 29);
    a->boundaries = {10};
    {
        Edit::EditScope scope(edit);
        scope.beginUndo();
        undo.addObjectUndoUpdate(a);
        a->start = 5;
        a->end = 34;
        scope.resortLayers = true;
    }
    using Record = Undo::UndoItemTemplate<Edit::Object, Edit::ObjectUndoUpdate>;
    const auto& record = dynamic_cast<const Record&>(*scene().undoHistory.groups.front().front());
    EXPECT_EQ(record.before.boundaries, nullptr);
    EXPECT_EQ(record.after.boundaries, nullptr);
    a->boundaries = {12};  // a later change the record does not describe
    undo.undo();
    EXPECT_EQ(std::tie(a->start, a->end), std::tuple(0, 29));
    EXPECT_EQ(a->boundaries, std::vector<int>{12});
}

}  // namespace
