#pragma once
// Scenes made for, or fitted to, a dropped media file. User-interface
// thread only.
#include <string>

namespace Edit {
class EditService;
}  // namespace Edit

namespace Edit::EditCommand {

// A new scene named after the file, proposed with the file's size, frame
// rate and sampling rate, holding the file's media object on layer 0 from
// frame 0; false when the file is not taken or the scene dialog is
// cancelled.
bool createSceneFromFile(EditService& edit, const std::wstring& path);
// A movie file's size, frame rate and sampling rate become the current
// scene's; any other file changes nothing.
void updateSceneSetting(EditService& edit, const std::wstring& path);

}  // namespace Edit::EditCommand
