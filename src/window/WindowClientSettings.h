#pragma once
// A panel's settings block: one section of the main settings file holding
// its placement keys, bound to its placement. The default placement gives
// left, top, right, bottom, area and hide; the other keys start at 0.
// Loaded at construction (a missing section or key, or a value that is no
// number, takes its default), written back at destruction.
#include "core/file/Config.h"
#include "window/ClientPlacement.h"

#include <string>

namespace Window {

class WindowClientSettings {
public:
    WindowClientSettings(std::string section, ClientPlacement& placement, const WindowClientLayout& layout);
    WindowClientSettings(const WindowClientSettings&) = delete;
    WindowClientSettings& operator=(const WindowClientSettings&) = delete;

    // Writes the block now and no more at destruction: a panel replaced by
    // a new one hands its keys over before the new one reads them.
    void writeNow();

    const std::string section;

private:
    System::Config group_{section.c_str()};
    System::Config::Float left_;
    System::Config::Float top_;
    System::Config::Float right_;
    System::Config::Float bottom_;
    System::Config::Int area_;
    System::Config::Int hide_;
    System::Config::Int groupKey_;
    System::Config::Int floating_;
    System::Config::Int x_;
    System::Config::Int y_;
    System::Config::Int w_;
    System::Config::Int h_;
    System::Config::Int zoom_;
    System::Config::Scope scope_;
};

}  // namespace Window
