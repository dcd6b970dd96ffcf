// The movement preset reader: any bytes give key and value pairs, and every
// value converts to numbers or raises the standard library's error.
#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"
#include "effect/movement/MovementParamsDefine.h"
#include "effect/registry/KeyValueFile.h"

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    int order = 0;
    for (const auto& [key, value] : Effect::parseKeyValueText(text)) {
        try {
            std::vector<double> params = Effect::StdConvert::splitDoubles(value);
            Effect::StdConvert::joinDoubles(params);
            Effect::MovementParamsDefine define(System::String::toWide(key), order++, std::move(params));
        } catch (const std::exception&) {
        }
    }
    return 0;
}
