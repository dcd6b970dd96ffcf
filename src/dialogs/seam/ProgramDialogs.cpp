#include "dialogs/seam/ProgramDialogs.h"

#include "core/event/MessageBox.h"
#include "core/event/UserInterface.h"
#include "core/text/StringConvert.h"
#include "dialogs/file/FileDialog.h"
#include "dialogs/form/InputStringDialog.h"
#include "dialogs/form/SceneDialog.h"
#include "platform/gtk/MessageBox.h"
#include "window/ModalScope.h"

namespace Dialog {

bool ProgramDialogs::confirm(const std::wstring& text) {
    auto* ui = System::UserInterface::current();
    const Platform::WindowHandle owner = ui ? ui->commandWindow() : nullptr;
    Window::ModalScope modal;
    return Platform::messageBox(owner, System::String::toUtf8(text), productCaption,
                                Platform::MB_ICONWARNING | Platform::MB_OKCANCEL) == Platform::IDOK;
}

bool ProgramDialogs::inputString(const std::wstring& title, const std::wstring& label, std::wstring& value) {
    return InputStringDialog::show(title, label, value);
}

bool ProgramDialogs::sceneDialog(const std::wstring& title, SceneDialogValues& values) {
    return SceneDialog(title).show(values);
}

bool ProgramDialogs::selectOpenFile(std::wstring& path, const std::wstring& filter) {
    return FileDialog::selectOpenFile(path, filter);
}

bool ProgramDialogs::selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                                    FileDialogTemplate* childTemplate, bool defaultExtension,
                                    unsigned extraFlags) {
    return FileDialog::selectSaveFile(path, filter, title, childTemplate, defaultExtension, extraFlags);
}

}  // namespace Dialog
