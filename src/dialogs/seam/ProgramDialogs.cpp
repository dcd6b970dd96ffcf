#include "dialogs/seam/ProgramDialogs.h"

#include "core/event/MessageBox.h"
#include "core/event/UserInterface.h"
#include "core/text/StringConvert.h"
#include "dialogs/file/FileDialog.h"
#include "dialogs/form/GridTempDialog.h"
#include "dialogs/form/InputNumberDialog.h"
#include "dialogs/form/InputStringDialog.h"
#include "dialogs/form/SceneDialog.h"
#include "dialogs/prompt/FrameLengthDialog.h"
#include "dialogs/prompt/InputNameLabelDialog.h"
#include "platform/gtk/MessageBox.h"
#include "window/ModalScope.h"

#include <cmath>

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

bool ProgramDialogs::inputOptionalString(const std::wstring& title, const std::wstring& label,
                                         std::wstring& value) {
    return InputStringDialog::show(title, label, value, false);
}

bool ProgramDialogs::tempoGridDialog(TempoGridValues& values) { return GridTempDialog::show(values); }

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

bool ProgramDialogs::frameLength(const std::wstring& title, int rate, int scale, int& frames) {
    return FrameLengthDialog::show(title, rate, scale, frames);
}

bool ProgramDialogs::inputNumber(const std::wstring& title, const std::wstring& label, int& value, int minimum,
                                 int maximum) {
    double number = value;
    if (!InputNumberDialog(title).show(label, number, minimum, maximum)) return false;
    value = static_cast<int>(std::lround(number));
    return true;
}

bool ProgramDialogs::aliasDialog(const std::wstring& title, AliasDialogValues& values) {
    return AliasDialog(title).show(values);
}

}  // namespace Dialog
