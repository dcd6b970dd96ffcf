#pragma once
// The program's open and save file dialogs over the toolkit's file chooser,
// inside the program's modal scope. The path goes in as the proposal (cut to
// 259 characters) and comes out as the choice; it is unchanged when the user
// cancels. User-interface thread only; nothing is thrown.
#include "core/event/DialogSeam.h"
#include "platform/gtk/FileChooser.h"

#include <string>
#include <vector>

namespace Dialog::FileDialog {

bool selectOpenFile(std::wstring& path, const std::wstring& filter);
bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                    FileDialogTemplate* childTemplate, bool defaultExtension, unsigned extraFlags);

// The entries of a double-null filter text.
std::vector<Platform::FileChooserFilter> parseFilter(const std::wstring& filter);
// The path as the dialog is offered it: at most 259 characters.
std::wstring proposedPath(const std::wstring& path);

}  // namespace Dialog::FileDialog
