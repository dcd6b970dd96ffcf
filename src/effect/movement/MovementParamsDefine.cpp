#include "effect/movement/MovementParamsDefine.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"

namespace Effect {

MovementParamsDefine::MovementParamsDefine(const std::wstring& key, int order,
                                           std::vector<double> params)
    : MenuDefineBase("Params", key, order, L"", true), params(std::move(params)), name(key) {}

std::vector<KeyValue> MovementParamsDefine::loadMovementParamsFile(const std::wstring& path) {
    return readKeyValueFile(path).value_or(std::vector<KeyValue>());
}

void MovementParamsDefine::saveMovementParamsFile(const std::wstring& path,
                                                  const std::vector<double>& params) {
    System::Log::info("Effect::MovementParamsDefine::saveMovementParamsFile",
                      "save movement params file : %s", System::String::toUtf8(path).c_str());
    replaceTextFile(path, "params=" + StdConvert::joinDoubles(params) + "\r\n");
}

}  // namespace Effect
