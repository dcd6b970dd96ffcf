#include "core/event/DialogSeam.h"

#include <atomic>

namespace Dialog {

namespace {
std::atomic<DialogSeam*> installed{nullptr};
}  // namespace

DialogSeam* DialogSeam::current() { return installed.load(); }

void DialogSeam::install(DialogSeam* seam) { installed.store(seam); }

bool selectOpenFile(std::wstring& path, const std::wstring& filter) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->selectOpenFile(path, filter);
}

bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                    FileDialogTemplate* childTemplate, bool defaultExtension,
                    unsigned extraFlags) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->selectSaveFile(path, filter, title, childTemplate, defaultExtension,
                                        extraFlags);
}

bool inputString(const std::wstring& title, const std::wstring& label, std::wstring& value) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->inputString(title, label, value);
}

bool showSceneDialog(const std::wstring& title, SceneDialogValues& values) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->sceneDialog(title, values);
}

bool showFrameLengthDialog(const std::wstring& title, int rate, int scale, int& frames) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->frameLength(title, rate, scale, frames);
}

bool inputNumber(const std::wstring& title, const std::wstring& label, int& value, int minimum, int maximum) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->inputNumber(title, label, value, minimum, maximum);
}

bool showAliasDialog(const std::wstring& title, AliasDialogValues& values) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->aliasDialog(title, values);
}

bool inputOptionalString(const std::wstring& title, const std::wstring& label, std::wstring& value) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->inputOptionalString(title, label, value);
}

bool showTempoGridDialog(TempoGridValues& values) {
    DialogSeam* seam = DialogSeam::current();
    return seam && seam->tempoGridDialog(values);
}

}  // namespace Dialog
