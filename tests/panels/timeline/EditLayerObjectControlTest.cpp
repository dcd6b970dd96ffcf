// The object area driven through its input operations without a window:
// presses, drag steps and the end of a press as the routing delivers them,
// with the project model and undo of the program.
#include "panels/timeline/EditLayerObjectControl.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "edit/EditTestSupport.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "panels/timeline/EditComponent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Component::EditLayerObjectControl;

class ObjectAreaControl : public ::testing::Test {
protected:
    ObjectAreaControl() {
        Effect::EffectService& effects = *effectsHolder.getInstance();
        effects.registerEffect<EditTest::Figure>();
        effects.registerEffect<EditTest::Draw>();
        effects.registerEffect<EditTest::Blur>();
        panel.showMoveObjectTime = 0;  // no tooltip window here
        panel.clientRect = {0, 0, 1280, 400};
        panel.procMove();
    }

    Edit::Scene& scene() { return *edit.getCurrentScene(); }
    EditLayerObjectControl& area() { return panel.objectArea; }
    int row() const { return panel.layout.layerHeight; }

    Edit::ObjectPointer place(int layer, int start, int end, std::vector<int> boundaries = {}) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        Edit::ObjectPointer object = scene().createObject(EditTest::kFigure, layer, start, end);
        object->boundaries = std::move(boundaries);
        return object;
    }
    // A press at area pixel (x, y), drag steps to each x on the same row,
    // and the release.
    void drag(int x, int y, std::initializer_list<int> steps) {
        area().procMouseMove(x, y);
        area().procLButtonDown(x, y);
        for (int step : steps) area().procMouseDrag(step, y);
        area().procCaptureLost();
    }
    std::vector<std::wstring> texts(const Window::MenuEntries& menu) {
        std::vector<std::wstring> list;
        for (const Window::MenuEntry& entry : menu) list.push_back(entry.text);
        return list;
    }
    const Window::MenuEntry& entry(const Window::MenuEntries& menu, const wchar_t* text) {
        const Window::MenuEntry* found = Window::findMenuEntry(menu, text);
        EXPECT_NE(found, nullptr) << std::string(text, text + 1);
        static const Window::MenuEntry none;
        return found ? *found : none;
    }

    RegistryTest::Environment env;  // the program folder and settings file
    System::Singleton<Event::EventService> events;
    System::Singleton<Effect::EffectService> effectsHolder;
    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *editHolder.getInstance();
    Undo::UndoService& undo = *undoHolder.getInstance();
    Component::EditComponent panel;
};

TEST_F(ObjectAreaControl, ADragAcrossLayersIsOneUndoStep) {
    const Edit::ObjectPointer object = place(0, 100, 149);
    const int y = row() / 2;
    // Down two rows and 40 frames on, in several steps.
    area().procMouseMove(120, y);
    area().procLButtonDown(120, y);
    area().procMouseDrag(130, y + row());
    area().procMouseDrag(160, y + 2 * row());
    area().procCaptureLost();
    EXPECT_EQ(object->layer, 2);
    EXPECT_EQ(object->start, 140);
    EXPECT_EQ(object->end, 189);
    EXPECT_TRUE(scene().selection.objects.empty());
    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(object->layer, 0);
    EXPECT_EQ(object->start, 100);
    EXPECT_EQ(object->end, 149);
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(ObjectAreaControl, APressWithoutChangeLeavesNoUndoStep) {
    place(0, 100, 149);
    drag(120, row() / 2, {});
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(ObjectAreaControl, EdgeAndBoundaryDragsStopAtTheirLimits) {
    const Edit::ObjectPointer object = place(0, 100, 199, {10, 60});  // boundaries 110 and 160
    place(0, 250, 299);
    const int y = row() / 2;
    // The end edge dragged far left stops when the last section has two
    // frames, far right at the next object. (At x 161 the boundary at 160 is
    // as near as the edge and would win.)
    drag(199, y, {100});
    EXPECT_EQ(object->end, 161);
    drag(162, y, {400});
    EXPECT_EQ(object->end, 249);
    // The start edge dragged right stops when the first section has one frame.
    drag(100, y, {150});
    EXPECT_EQ(object->start, 109);
    EXPECT_EQ(object->boundaries, (std::vector<int>{1, 51}));
    // The second boundary (160) alone moves left down to the first + 1.
    drag(160, y, {100});
    EXPECT_EQ(object->boundaries, (std::vector<int>{1, 2}));
    EXPECT_EQ(object->start, 109);
    // Four drags, four undo steps back to the start.
    for (int i = 0; i < 4; ++i) undo.undo();
    EXPECT_EQ(object->start, 100);
    EXPECT_EQ(object->end, 199);
    EXPECT_EQ(object->boundaries, (std::vector<int>{10, 60}));
}

TEST_F(ObjectAreaControl, ArrowKeysMoveOneFrameWithoutSnapping) {
    const Edit::ObjectPointer object = place(0, 100, 149);
    place(1, 153, 170);  // a start 3 frames after the end + 1: a drag would snap
    const int y = row() / 2;
    area().procMouseMove(120, y);
    area().procLButtonDown(120, y);
    EXPECT_TRUE(area().procDragKey(0x27));
    EXPECT_TRUE(area().procDragKey(0x27));
    EXPECT_FALSE(area().procDragKey(0x26));
    area().procCaptureLost();
    EXPECT_EQ(object->start, 102);
    // A pointer step of two frames puts the end + 1 on 154, one frame past
    // the other object's start: it snaps back to 153.
    drag(120, y, {122});
    EXPECT_EQ(object->start, 103);
}

TEST_F(ObjectAreaControl, MenuOfEmptySpaceAndOfASelection) {
    const Window::MenuEntries empty = area().buildContextMenu({}, -1, 2, 30);
    ASSERT_GE(empty.size(), 7u);
    const std::vector<std::wstring> shown = texts(empty);
    EXPECT_EQ(std::vector<std::wstring>(shown.begin(), shown.begin() + 7),
              (std::vector<std::wstring>{L"オブジェクトを追加", L"フィルタ効果を追加", L"", L"貼り付け",
                                         L"空のフレームを挿入", L"", L"オブジェクト選択"}));
    EXPECT_FALSE(entry(empty, L"貼り付け").enabled);  // nothing copied yet
    EXPECT_FALSE(entry(empty, L"オブジェクト選択").enabled);  // only with Ctrl
    EXPECT_TRUE(entry(empty, L"空のフレームを挿入").enabled);
    // The figure kind in the object submenu creates at the pointer's place.
    const Window::MenuEntry* figure = Window::findMenuEntry(empty.front().children, EditTest::kFigure);
    ASSERT_NE(figure, nullptr);

    const Edit::ObjectPointer object = place(0, 100, 149, {20});
    edit.selectObject(object, false);
    // At the first frame nothing is split; inside it is.
    const Window::MenuEntries atStart = area().buildContextMenu(object, -1, 0, 100);
    EXPECT_FALSE(entry(atStart, L"分割").enabled);
    EXPECT_TRUE(entry(atStart, L"削除").enabled);
    EXPECT_FALSE(entry(atStart, L"切り出し").enabled);  // no range selected
    EXPECT_FALSE(entry(atStart, L"中間点を削除").enabled);
    const Window::MenuEntries inside = area().buildContextMenu(object, 1, 0, 130);
    EXPECT_TRUE(entry(inside, L"中間点を削除").enabled);
    ASSERT_TRUE(entry(inside, L"分割").enabled);
    entry(inside, L"分割").command();
    const Edit::LayerObjectList& layer = scene().getLayerObjectList(0);
    ASSERT_EQ(layer.objects.size(), 2u);
    EXPECT_EQ(layer.objects[0]->end, 129);
    EXPECT_EQ(layer.objects[1]->start, 130);
    undo.undo();
    ASSERT_EQ(scene().getLayerObjectList(0).objects.size(), 1u);
    EXPECT_EQ(scene().getLayerObjectList(0).objects[0]->end, 149);
}

TEST_F(ObjectAreaControl, DroppedFilesGoDownOneLayerEachAndStopAtTheFirstUnknown) {
    EXPECT_FALSE(area().acceptsFiles({L"/tmp/notes.xyz", L"/tmp/a.object"}));
    EXPECT_TRUE(area().acceptsFiles({L"/tmp/A.OBJECT"}));
    EXPECT_FALSE(area().acceptsFiles({}));
    // Nothing in this registry reads a .xyz file: refused, nothing made.
    EXPECT_FALSE(area().dropFiles({L"/tmp/notes.xyz"}, 1, 10));
    EXPECT_EQ(scene().lastLayer, 0);
    EXPECT_TRUE(scene().getLayerObjectList(1).objects.empty());
}

}  // namespace
