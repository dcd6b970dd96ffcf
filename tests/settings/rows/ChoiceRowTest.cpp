#include "settings/rows/EffectItemButtonControls.h"
#include "settings/rows/EffectItemFileControls.h"
#include "settings/rows/EffectItemSelectControl.h"

#include "core/event/DialogSeam.h"
#include "settings/rows/RowTestSupport.h"

namespace RowTest {
namespace {

using namespace Component;

class ChoiceRow : public RowFixture {
protected:
    void SetUp() override {
        RowFixture::SetUp();
        a = place(0);
        host.target = a;
    }
    Edit::ObjectPointer a;
};

TEST_F(ChoiceRow, AValueMissingFromTheListStoresTheFirstChoice) {
    const Edit::ObjectPointer b = place(1);
    scene().selectObject(a);
    scene().selectObject(b);
    auto& row = rowOf<EffectItemSelectControl>(rowsOf(a).select);
    for (int value : {5, 7}) {
        Edit::EditScope scope(edit());
        row.setValue(value, scope);
    }
    EXPECT_EQ(rowsOf(a).select.value, 1);
    EXPECT_EQ(rowsOf(b).select.value, 1);
    row.updateValue();
    EXPECT_EQ(row.dropDown.text, L"一");
    // Two steps; the first set 5.
    undo().undo();
    EXPECT_EQ(rowsOf(a).select.value, 5);
    EXPECT_EQ(rowsOf(b).select.value, 5);
}

TEST_F(ChoiceRow, AStoredValueMissingFromTheListShowsItsNumberAndKeepsIt) {
    rowsOf(a).select.value = 7;
    rowsOf(a).mode.value = 4;
    auto& select = rowOf<EffectItemSelectControl>(rowsOf(a).select);
    auto& button = rowOf<EffectItemSelectButtonControl>(rowsOf(a).mode);
    EXPECT_EQ(select.dropDown.text, L"7");
    EXPECT_EQ(button.button.text, L"4");
    EXPECT_EQ(rowsOf(a).select.value, 7);
    // The select button stores as the select row does.
    button.selectValue(5);
    EXPECT_EQ(button.button.text, L"五");
}

// Answers the file dialog with a path and keeps the filter it was given.
class FileAnswer : public Dialog::DialogSeam {
public:
    FileAnswer() { install(this); }
    ~FileAnswer() override { install(nullptr); }
    bool selectOpenFile(std::wstring& path, const std::wstring& filter) override {
        asked = filter;
        if (answer.empty()) return false;
        path = answer;
        return true;
    }
    std::wstring answer;
    std::wstring asked;
};

class FileKinds : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"ファイルの種類";
    FileKinds() : EffectBase(Name, Effect::EffectKind::Filter, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<FileKinds>(); }
    Effect::EffectItemFile file{items, L"画像", L"", L"Image\0*.png\0\0", L"画像を選択"};
    Effect::EffectItemFigureSelect figure{items, L"図形", oddList()};
    Effect::EffectItemScene sceneItem{items, L"シーン", 5};
};

TEST_F(ChoiceRow, FileRowsAskWithTheItemsFilterAndStoreTheChoice) {
    System::Singleton<Effect::EffectService>::getInstance()->registerEffect<FileKinds>();
    Edit::ObjectPointer object;
    {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        object = scene().createObject(FileKinds::Name, 3, 0, 9);
    }
    host.target = object;
    auto& kinds = static_cast<FileKinds&>(*effectOf(object));
    auto& file = rowOf<EffectItemFileControl>(kinds.file);
    EXPECT_EQ(file.fileButton.text, L"画像を選択");
    FileAnswer dialog;
    dialog.answer = L"/tmp/pictures/a.png";
    file.chooseFile();
    EXPECT_EQ(dialog.asked, std::wstring(L"Image\0*.png\0\0", 13));
    EXPECT_EQ(kinds.file.path, L"/tmp/pictures/a.png");
    EXPECT_EQ(file.fileButton.text, L"a.png");
    file.updateFile(L"");
    EXPECT_EQ(kinds.file.path, L"");
    EXPECT_EQ(file.fileButton.text, L"画像を選択");
    undo().undo();
    EXPECT_EQ(kinds.file.path, L"/tmp/pictures/a.png");

    // A combo: a file sets the list index to -1, a list entry empties the path.
    auto& combo = rowOf<EffectItemComboFileControl>(kinds.figure);
    combo.updateFile(L"/tmp/star.svg");
    EXPECT_EQ(kinds.figure.value, -1);
    EXPECT_EQ(combo.dropDown.text, L"star.svg");
    combo.selectValue(3);
    EXPECT_EQ(kinds.figure.value, 3);
    EXPECT_EQ(kinds.figure.path, L"");
    EXPECT_EQ(combo.dropDown.text, L"三");

    // A scene without a name shows its default name; 0 shows "未選択".
    auto& sceneRow = rowOf<EffectItemSceneControl>(kinds.sceneItem);
    EXPECT_EQ(sceneRow.sceneText.text, L"Scene5");
    sceneRow.selectScene(0);
    EXPECT_EQ(sceneRow.sceneText.text, L"未選択");
}

}  // namespace
}  // namespace RowTest
