#include "effect/registry/KeyValueFile.h"

#include "core/file/AtomicFile.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/text/StringUtility.h"

#include <exception>

namespace Effect {

std::optional<std::string> readTextFile(const std::wstring& path) {
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    try {
        System::File file;
        file.open(expanded.c_str(), System::File::Mode::Read);
        return file.read();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::vector<KeyValue>> readKeyValueFile(const std::wstring& path) {
    const std::optional<std::string> contents = readTextFile(path);
    if (!contents) return std::nullopt;
    return parseKeyValueText(*contents);
}

std::vector<KeyValue> parseKeyValueText(const std::string& contents) {
    std::vector<KeyValue> pairs;
    for (std::string line : System::String::split(contents, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == ';') continue;
        const std::vector<std::string> pieces = System::String::split(line, '=');
        if (pieces.size() == 2) pairs.emplace_back(pieces[0], pieces[1]);
    }
    return pairs;
}

void replaceTextFile(const std::wstring& path, const std::string& text) {
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    System::AtomicFile file(expanded.c_str());
    file.write(text.data(), static_cast<DWORD>(text.size()));
    file.commit();
}

}  // namespace Effect
