#pragma once
// A way of reading media files: the built-in readers and, later, input
// plugin modules. The input service keeps them, orders them by priority and
// asks them to open files by extension. Each reader has a settings section
// "Input." + name with its priority and the user's extension list.
#include "core/file/Config.h"

#include <memory>
#include <string>
#include <vector>

namespace Plugin {

class InputFile;

class InputPlugin {
public:
    enum Kind : int {
        KindVideo = 1,
        KindAudio = 2,
        KindSetting = 4,  // showSetting does something
        KindImage = 8,
    };

    InputPlugin(std::wstring name, std::wstring fileFilter, int kindFlags);
    virtual ~InputPlugin() = default;
    InputPlugin(const InputPlugin&) = delete;
    InputPlugin& operator=(const InputPlugin&) = delete;

    // The file, or empty when this reader does not take it. A throw ends
    // the input service's search for the file.
    virtual std::shared_ptr<InputFile> open(const wchar_t* path, int track) = 0;
    // The reader's settings dialog; the base raises "not implement.".
    virtual void showSetting(void* parent);

    // Binds the settings section and loads it; defaultPriority is the
    // priority a missing key gives. Written back when the reader goes.
    void loadConfig(int defaultPriority);
    // The user's list split at ',' as typed (empty pieces kept), else the
    // filter's extensions in lower case.
    std::vector<std::wstring> getExtList() const;
    // Empty, or exactly the default list, stores the default.
    void setExtList(const std::wstring& text);

    std::wstring name;
    std::wstring fileFilter;
    std::wstring information;
    int kindFlags = 0;
    std::string sectionName;
    System::Config config;
    int priority = 0;
    std::wstring extList;

private:
    System::Config::Int priorityParameter{config, "priority", &priority, 0};
    System::Config::String extParameter{config, "ext", &extList, L""};
    System::Config::Scope scope_;
};

}  // namespace Plugin
