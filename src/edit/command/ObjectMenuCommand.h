#pragma once
// The entries the edit commands give the object context menus of the
// timeline and the preview: captions, actions and whether each is greyed.
#include <functional>
#include <vector>

namespace Edit {
class EditService;
}  // namespace Edit

namespace Edit::EditCommand {

struct ObjectMenuEntry {
    const wchar_t* text = nullptr;
    std::function<void()> action;
    bool enabled = true;
};
using ObjectMenu = std::vector<ObjectMenuEntry>;

// "切り取り", "コピー", "貼り付け", "削除", "複製".
void appendObjectEditMenu(EditService& edit, ObjectMenu& menu);
// "グループ化", "グループ解除".
void appendObjectGroupMenu(EditService& edit, ObjectMenu& menu);
// The timeline's object-area menu: "貼り付け" alone with nothing selected;
// else the edit entries, "対象レイヤー範囲を調整" when selected controls can
// be adjusted, and the group entries.
ObjectMenu getObjectAreaMenu(EditService& edit);

}  // namespace Edit::EditCommand
