// The layer header's operations as a person uses them: a click hides, a
// drag reorders, the menu's insert, delete, show-others and rename; each
// one undo step that gives back the saved project byte for byte.
#include "core/event/DialogSeam.h"
#include "panels/timeline/TimelinePanelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kRow = 28;

class LayerHeaderTest : public ::testing::Test, public TimelineTest::PanelFixture {
protected:
    Component::EditLayerHeaderControl& header() { return panel->layerHeader; }

    // The pointer over a row of the header, as the routing reports it.
    void hoverRow(int row) { header().procMouseMove(5, row * kRow + 5); }

    void name(int layer, const wchar_t* text) { scene().getLayerObjectListGrow(layer).layer->name = text; }

    // The layers' names from the top, hidden ones marked.
    std::vector<std::wstring> names(int count) {
        std::vector<std::wstring> shown;
        for (int k = 0; k < count; ++k)
            shown.push_back(scene().getLayerName(k) + (scene().getLayerObjectList(k).layer->hide ? L"*" : L""));
        return shown;
    }
};

TEST_F(LayerHeaderTest, AClickHidesTheLayerAndOneUndoShowsItAgain) {
    const std::string before = saved();
    hoverRow(3);
    EXPECT_EQ(header().hoverLayer, 3);
    header().procLButtonDown(5, 3 * kRow + 5);
    header().procLButtonUp(5, 3 * kRow + 5);
    header().procCaptureLost();
    EXPECT_TRUE(scene().getLayerObjectList(3).layer->hide);
    EXPECT_NE(saved(), before);
    undo().undo();
    EXPECT_FALSE(scene().getLayerObjectList(3).layer->hide);
    EXPECT_EQ(saved(), before);
}

TEST_F(LayerHeaderTest, DraggingLayerTwoOntoRowFiveMovesItThereInOneUndoStep) {
    for (int k = 0; k < 7; ++k) name(k, (L"L" + std::to_wstring(k)).c_str());
    place(2, 0, 9);
    place(5, 20, 29);
    const std::string before = saved();

    // A press and release within the row records nothing.
    hoverRow(2);
    header().procLButtonDown(5, 2 * kRow + 5);
    header().procMouseDrag(5, 2 * kRow + 20);
    header().procCaptureLost();
    EXPECT_FALSE(undo().canUndo());

    header().procLButtonDown(5, 2 * kRow + 5);
    header().procMouseDrag(5, 3 * kRow + 5);
    header().procMouseDrag(5, 5 * kRow + 5);
    header().procCaptureLost();
    EXPECT_EQ(names(7), (std::vector<std::wstring>{L"L0", L"L1", L"L3", L"L4", L"L5", L"L2", L"L6"}));
    EXPECT_EQ(scene().getLayerObjectList(5).objects.size(), 1u);
    EXPECT_EQ(scene().getLayerObjectList(5).objects[0]->start, 0);
    EXPECT_EQ(header().hoverLayer, 5);

    undo().undo();
    EXPECT_EQ(saved(), before);
    EXPECT_FALSE(undo().canUndo());
}

TEST_F(LayerHeaderTest, InsertingAtLayerZeroAndDeletingALayerWithObjectsUndoExactly) {
    name(0, L"Top");
    scene().getLayerObjectListGrow(0).layer->hide = true;
    place(0, 0, 9);
    place(1, 5, 50);
    place(1, 60, 70);
    const std::string before = saved();

    header().insertLayer(0);
    // Every layer one down; the new top layer has default settings.
    EXPECT_EQ(names(3), (std::vector<std::wstring>{L"Layer1", L"Top*", L"Layer3"}));
    EXPECT_EQ(scene().getLayerObjectList(2).objects.size(), 2u);
    undo().undo();
    EXPECT_EQ(saved(), before);

    hoverRow(1);
    header().deleteLayer(1);
    EXPECT_EQ(header().hoverLayer, -1);
    EXPECT_TRUE(scene().getLayerObjectList(1).objects.empty());
    EXPECT_EQ(scene().lastLayer, 0);
    undo().undo();
    EXPECT_EQ(saved(), before);
    undo().redo();
    EXPECT_TRUE(scene().getLayerObjectList(1).objects.empty());
    undo().undo();
    EXPECT_EQ(saved(), before);
}

TEST_F(LayerHeaderTest, ShowOthersHidesEveryOtherLayerThenShowsAll) {
    scene().growLayer(4);
    header().toggleOtherLayers(3);
    EXPECT_EQ(names(5), (std::vector<std::wstring>{L"Layer1*", L"Layer2*", L"Layer3*", L"Layer4", L"Layer5*"}));
    header().toggleOtherLayers(3);
    EXPECT_EQ(names(5), (std::vector<std::wstring>{L"Layer1", L"Layer2", L"Layer3", L"Layer4", L"Layer5"}));
    undo().undo();
    EXPECT_EQ(names(5), (std::vector<std::wstring>{L"Layer1*", L"Layer2*", L"Layer3*", L"Layer4", L"Layer5*"}));
    header().toggleLayerLock(0);
    EXPECT_TRUE(scene().getLayerObjectList(0).layer->lock);
}

// Answers the name prompt with a text of the test's.
class NameSeam : public Dialog::DialogSeam {
public:
    bool inputOptionalString(const std::wstring& title, const std::wstring& label, std::wstring& value) override {
        asked = title + L"/" + label + L"/" + value;
        value = answer;
        return true;
    }
    std::wstring answer;
    std::wstring asked;
};

TEST_F(LayerHeaderTest, RenamingKeepsOneLineAndAnEmptyNameShowsTheDefault) {
    NameSeam seam;
    Dialog::DialogSeam::install(&seam);
    seam.answer = L"Back\r\nground";
    header().renameLayer(1);
    EXPECT_EQ(seam.asked, L"レイヤー名を変更/名前/");
    EXPECT_EQ(scene().getLayerName(1), L"Background");
    seam.answer = L"";
    header().renameLayer(1);
    EXPECT_EQ(seam.asked, L"レイヤー名を変更/名前/Background");
    EXPECT_EQ(scene().getLayerName(1), L"Layer2");
    undo().undo();
    EXPECT_EQ(scene().getLayerName(1), L"Background");
    Dialog::DialogSeam::install(nullptr);
}

TEST_F(LayerHeaderTest, TheWheelStopsAtTheFirstAndTheLastRows) {
    place(30, 0, 9);
    panel->refreshView(-1);
    header().procMouseWheel(5, 5, 120);
    EXPECT_EQ(scene().displayLayer, 0);
    for (int i = 0; i < 40; ++i) header().procMouseWheel(5, 5, -120);
    // Thirty layers and half a view of eleven rows, less the rows shown.
    EXPECT_EQ(scene().displayLayer, 35 - 11);
    header().procMouseWheel(5, 5, 120);
    EXPECT_EQ(scene().displayLayer, 23);
}

}  // namespace
