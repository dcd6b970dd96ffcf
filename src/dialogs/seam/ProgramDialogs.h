#pragma once
// The program's own answers to the questions of the services below the
// dialog layer: the confirmation box, the text, number, length, scene and
// alias dialogs and the file choosers. Installed while the windows exist. User-interface thread
// only.
#include "core/event/DialogSeam.h"

namespace Dialog {

class ProgramDialogs : public DialogSeam {
public:
    bool confirm(const std::wstring& text) override;
    bool inputString(const std::wstring& title, const std::wstring& label, std::wstring& value) override;
    bool sceneDialog(const std::wstring& title, SceneDialogValues& values) override;
    bool selectOpenFile(std::wstring& path, const std::wstring& filter) override;
    bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                        FileDialogTemplate* childTemplate, bool defaultExtension, unsigned extraFlags) override;
    bool frameLength(const std::wstring& title, int rate, int scale, int& frames) override;
    // The number row takes real numbers; the answer is the nearest integer.
    bool inputNumber(const std::wstring& title, const std::wstring& label, int& value, int minimum,
                     int maximum) override;
    bool aliasDialog(const std::wstring& title, AliasDialogValues& values) override;
    bool inputOptionalString(const std::wstring& title, const std::wstring& label, std::wstring& value) override;
    bool tempoGridDialog(TempoGridValues& values) override;
};

}  // namespace Dialog
