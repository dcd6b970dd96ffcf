#pragma once
// Connects the Settings menu's items for the shortcut keys and the five
// menu definitions to their dialogs.
namespace Menu {

void connectKeyDialogs();

}  // namespace Menu
