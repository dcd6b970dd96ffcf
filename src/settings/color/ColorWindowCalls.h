#pragma once
// The dialogs the colour window asks through, filled by the dialog layer
// once the windows exist. An empty entry answers as if cancelled.
#include <functional>
#include <string>
#include <vector>

namespace Component {

struct ColorWindowCalls {
    // One required name row that refuses what a file name cannot hold;
    // true with name replaced on OK.
    std::function<bool(const std::wstring& title, const std::wstring& label, std::wstring& name)> nameDialog;
    // A required name and a menu label chosen among labels or typed; true
    // with both replaced on OK.
    std::function<bool(const std::wstring& title, const std::wstring& nameLabel, std::wstring& name,
                       std::wstring& label, const std::vector<std::wstring>& labels)>
        nameLabelDialog;
    // One integer row within the limits; true with value replaced on OK.
    std::function<bool(const std::wstring& title, const std::wstring& label, int& value, int minimum, int maximum)>
        integerDialog;

    static ColorWindowCalls& installed() {
        static ColorWindowCalls calls;
        return calls;
    }
};

}  // namespace Component
