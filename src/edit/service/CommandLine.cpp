#include "edit/service/CommandLine.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"

#include <cerrno>
#include <fstream>
#include <iterator>

namespace Edit {

namespace {

constexpr const char* kTag = "Edit::EditService::parseCommandLine";

}  // namespace

OptionTable parseCommandLine(const std::vector<std::wstring>& arguments) {
    OptionTable table;
    for (const std::wstring& argument : arguments) {
        if (!argument.empty() && argument[0] == L'-') {
            if (argument == L"-restart") {
                table[static_cast<int>(OptionKey::Restart)] = L"";
                System::Log::info(kTag, "option : restart");
            }
            continue;
        }
        std::wstring expanded = argument;
        System::FileName::expandVariable(expanded);
        if (System::FileName::getExtension(expanded.c_str()) != L"mvp2") continue;
        table[static_cast<int>(OptionKey::Project)] = argument;
        System::Log::info(kTag, L"project : %ls", argument.c_str());
    }
    return table;
}

std::vector<std::wstring> readCommandLineArguments(const char* place) {
    // The kernel's copy of argv: NUL-terminated arguments, one after another.
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    if (!in) throw System::makeErrnoException("CommandLineToArgvW", place, errno ? errno : ENOENT);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::wstring> arguments;
    std::size_t start = 0;
    bool programName = true;
    while (start < text.size()) {
        std::size_t end = text.find('\0', start);
        if (end == std::string::npos) end = text.size();
        if (!programName) arguments.push_back(System::String::toWide(text.substr(start, end - start)));
        programName = false;
        start = end + 1;
    }
    return arguments;
}

}  // namespace Edit
