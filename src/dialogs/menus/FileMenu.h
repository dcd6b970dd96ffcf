#pragma once
// "ファイル": new, open and close of the project, the recent and backup
// projects, save and save as, the export through each output writer, and
// quitting (with or without saving first) through the main window's close,
// which asks before a changed project is discarded.
#include "dialogs/menus/MenuBase.h"

namespace Menu {

class FileMenu : public MenuBase {
public:
    using MenuBase::MenuBase;
    void createMenu() override;

    // After the discard question, the project chosen in the open dialog.
    static void openProject();
    // The project of a history entry, after the discard question.
    static void openHistoryProject(const std::wstring& path);
    // Asks the main window to close.
    static void requestClose();
};

}  // namespace Menu
