#pragma once
// The program's command line: a project file to open and the "-restart"
// option of a program started again after a module installation. The table
// lives only while the edit service decides what to open at start.
#include <string>
#include <unordered_map>
#include <vector>

namespace Edit {

enum class OptionKey : int {
    Project = 1,   // the argument as given (unexpanded)
    Restart = 2,   // empty text
    Recovery = 3,  // empty text; set at start when the user accepted recovery
};

using OptionTable = std::unordered_map<int, std::wstring>;

inline bool hasOption(const OptionTable& table, OptionKey key) {
    return table.count(static_cast<int>(key)) != 0;
}

// The arguments after the program name: "-restart" (exactly) sets Restart,
// other options are ignored; an argument whose extension, compared in lower
// case after the path variables are expanded, is "mvp2" becomes Project,
// a later one replacing an earlier one; anything else is ignored.
OptionTable parseCommandLine(const std::vector<std::wstring>& arguments);

// The running process's arguments after the program name. A command line
// that cannot be read raises "CommandLineToArgvW" with the place.
std::vector<std::wstring> readCommandLineArguments(const char* place);

}  // namespace Edit
