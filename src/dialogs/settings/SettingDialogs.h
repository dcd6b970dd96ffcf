#pragma once
// Hands the settings dialogs to the windows and writers below that open
// them (the log window, the preview's options, the AVI writer's save
// dialog) while the windows exist. User-interface thread only.

namespace Dialog {

void installSettingDialogs();
void removeSettingDialogs();

}  // namespace Dialog
