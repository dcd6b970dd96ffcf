#pragma once
// The settings dialogs the panels open from their menus, handed to the
// panels' call points while the windows exist. User-interface thread only.
namespace Dialog {

void installPanelDialogs();
void removePanelDialogs();

}  // namespace Dialog
