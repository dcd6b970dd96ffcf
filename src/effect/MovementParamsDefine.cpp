#include "effect/MovementParamsDefine.h"

#include "core/AtomicFile.h"
#include "core/File.h"
#include "core/FileName.h"
#include "core/Log.h"
#include "core/StringConvert.h"
#include "core/StringUtility.h"
#include "effect/StdConvert.h"

#include <exception>

namespace Effect {

MovementParamsDefine::MovementParamsDefine(const std::wstring& key, int order,
                                           std::vector<double> params)
    : MenuDefineBase("Params", key, order, L"", true), params(std::move(params)), name(key) {}

std::vector<MovementParamsDefine::KeyValue> MovementParamsDefine::loadMovementParamsFile(
    const std::wstring& path) {
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    std::string contents;
    try {
        System::File file;
        file.open(expanded.c_str(), System::File::Mode::Read);
        contents = file.read();
    } catch (const std::exception&) {
        return {};
    }
    std::vector<KeyValue> pairs;
    for (std::string line : System::String::split(contents, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == ';') continue;
        const std::vector<std::string> pieces = System::String::split(line, '=');
        if (pieces.size() == 2) pairs.emplace_back(pieces[0], pieces[1]);
    }
    return pairs;
}

void MovementParamsDefine::saveMovementParamsFile(const std::wstring& path,
                                                  const std::vector<double>& params) {
    System::Log::info("Effect::MovementParamsDefine::saveMovementParamsFile",
                      "save movement params file : %s", System::String::toUtf8(path).c_str());
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    const std::string line = "params=" + StdConvert::joinDoubles(params) + "\r\n";
    System::AtomicFile file(expanded.c_str());
    file.write(line.data(), static_cast<DWORD>(line.size()));
    file.commit();
}

}  // namespace Effect
