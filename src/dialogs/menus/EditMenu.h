#pragma once
// "編集": cursor moves, the object commands on the selection (or the focus
// object), the clipboard picture, mid-points, groups, show/hide, the frame
// range, focus cycling, undo and redo, and discarding the caches; every
// item is a shortcut command with the program's default editing keys.
#include "dialogs/menus/MenuBase.h"

namespace Menu {

class EditMenu : public MenuBase {
public:
    using MenuBase::MenuBase;
    void createMenu() override;

private:
    void createMoveMenu();
};

}  // namespace Menu
