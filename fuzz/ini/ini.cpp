// The ini text reader: any bytes parse into sections and values, and every
// value converts or raises the reader's own error.
#include "core/file/IniFile.h"

#include <cstdint>
#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    System::IniFile ini;
    ini.loadMemory(text.c_str());
    for (const auto& [name, section] : ini.sections) {
        for (const auto& [key, value] : section) {
            try {
                value.toInt(0);
                value.toDouble();
            } catch (const std::exception&) {
            }
            value.toString(L"");
            try {
                value.toRGBA();
            } catch (const std::exception&) {
            }
            value.split(",");
        }
    }
    return 0;
}
