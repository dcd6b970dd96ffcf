#pragma once
// The small "key=value" text files of the effect framework (movement
// presets, palettes): UTF-8 lines; empty lines and lines starting with ';'
// are comments; a line counts only with exactly one '='.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Effect {

using KeyValue = std::pair<std::string, std::string>;

// The pairs in file order; nothing when the file cannot be read. The path's
// variable is expanded.
std::optional<std::vector<KeyValue>> readKeyValueFile(const std::wstring& path);
// The whole contents of a file; nothing when it cannot be read. The path's
// variable is expanded.
std::optional<std::string> readTextFile(const std::wstring& path);
// The pairs of a file's contents, in order.
std::vector<KeyValue> parseKeyValueText(const std::string& contents);

// Replaces the file with the text (the old file stays when writing fails,
// and the failure is raised). The path's variable is expanded.
void replaceTextFile(const std::wstring& path, const std::string& text);

}  // namespace Effect
