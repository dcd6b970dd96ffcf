#pragma once
// The questions that services below the dialog layer put to the user: the
// OK/Cancel confirmation, a one-line text input, the scene settings and the
// file choosers. The dialog layer installs the program's real dialogs once
// the windows exist; tests install their own answers. With none installed a
// confirmation goes to the plain message box and every other question is
// answered as if cancelled. User-interface thread only.
#include <optional>
#include <string>
#include <vector>

namespace Dialog {

// What an output writer adds to the save dialog (its settings button). The
// file chooser gives it an extra area; the writer fills it in procInit and
// the chooser calls the other slots as the dialog changes. The widget
// fields are the toolkit's widgets, valid between procInit and procDestroy.
class FileDialogTemplate {
public:
    virtual ~FileDialogTemplate() = default;

    // The writer's name for its extra area.
    std::wstring templateName;
    // The extra area (a container the writer adds its controls to), the file
    // chooser itself, its accept button and that button's font description.
    void* childWindow = nullptr;
    void* fileDialogWindow = nullptr;
    void* okButton = nullptr;
    void* okButtonFont = nullptr;

    virtual void procInit() {}
    virtual void procSize() {}
    virtual void procDestroy() {}
    // A control of the extra area was used.
    virtual void procCommand(int controlId) { (void)controlId; }
};

// The values of the scene dialog; a row is shown only for a value given.
// The frame rate is the integer pair rate/scale.
struct SceneDialogValues {
    std::optional<std::wstring> name;
    std::optional<int> width, height;
    std::optional<int> rate, scale;
    std::optional<int> audioRate;
};

// The rows of the alias dialog: the alias name and its menu label, the
// label offered with the labels already in use.
struct AliasDialogValues {
    std::wstring name;
    std::wstring label;
    std::vector<std::wstring> labels;
};

// The tempo grid: beats per minute, beats per bar, seconds of the first
// beat.
struct TempoGridValues {
    double tempo = 120.0;
    int beats = 4;
    double offset = 0.0;
};

// The save dialog asks before a file is replaced.
inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x00000002;

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    // Each question a seam does not ask is cancelled.
    // The text is shown as given (callers translate). True only for OK.
    virtual bool confirm(const std::wstring& text) {
        (void)text;
        return false;
    }
    // One required text row; true with value replaced on OK.
    virtual bool inputString(const std::wstring& title, const std::wstring& label, std::wstring& value) {
        (void)title, (void)label, (void)value;
        return false;
    }
    virtual bool sceneDialog(const std::wstring& title, SceneDialogValues& values) {
        (void)title, (void)values;
        return false;
    }
    virtual bool selectOpenFile(std::wstring& path, const std::wstring& filter) {
        (void)path, (void)filter;
        return false;
    }
    virtual bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                                FileDialogTemplate* childTemplate, bool defaultExtension, unsigned extraFlags) {
        (void)path, (void)filter, (void)title, (void)childTemplate, (void)defaultExtension, (void)extraFlags;
        return false;
    }
    // A length or time typed in seconds (at rate / scale) or in frames;
    // true with frames replaced on OK.
    virtual bool frameLength(const std::wstring& title, int rate, int scale, int& frames) {
        (void)title, (void)rate, (void)scale, (void)frames;
        return false;
    }
    // A one-number row within the limits; true with value replaced on OK.
    virtual bool inputNumber(const std::wstring& title, const std::wstring& label, int& value, int minimum,
                             int maximum) {
        (void)title, (void)label, (void)value, (void)minimum, (void)maximum;
        return false;
    }
    // One text row that may stay empty; true with value replaced on OK.
    virtual bool inputOptionalString(const std::wstring& title, const std::wstring& label, std::wstring& value) {
        (void)title, (void)label, (void)value;
        return false;
    }
    // The tempo grid's three values within their ranges; true with the
    // values replaced on OK.
    virtual bool tempoGridDialog(TempoGridValues& values) {
        (void)values;
        return false;
    }
    // The alias name and label; true with the values replaced on OK.
    virtual bool aliasDialog(const std::wstring& title, AliasDialogValues& values) {
        (void)title, (void)values;
        return false;
    }

    // The installed dialogs, or null. Null removes them.
    static DialogSeam* current();
    static void install(DialogSeam* seam);
};

// Ask through the installed dialogs; false (path or values unchanged) when
// none is installed or the user cancels. The filter is in the double-null
// form: pairs of display name and pattern list ("*.mvp2;*.txt").
bool selectOpenFile(std::wstring& path, const std::wstring& filter);
bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                    FileDialogTemplate* childTemplate, bool defaultExtension,
                    unsigned extraFlags);
bool inputString(const std::wstring& title, const std::wstring& label, std::wstring& value);
bool showSceneDialog(const std::wstring& title, SceneDialogValues& values);
// The frame-length dialog: frames holds the initial frame count.
bool showFrameLengthDialog(const std::wstring& title, int rate, int scale, int& frames);
bool inputNumber(const std::wstring& title, const std::wstring& label, int& value, int minimum, int maximum);
bool showAliasDialog(const std::wstring& title, AliasDialogValues& values);
bool inputOptionalString(const std::wstring& title, const std::wstring& label, std::wstring& value);
bool showTempoGridDialog(TempoGridValues& values);

}  // namespace Dialog
