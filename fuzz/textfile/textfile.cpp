// A text file dropped on a text object: any bytes, read as UTF-8 or the
// legacy code page, become a text without NUL or carriage return; its inline
// script blocks are found and replaced, and its timeline label stays short.
#include "effects/media/TextInput.h"

#include "../ReaderFile.h"
#include "effect/EffectTestSupport.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool movements = [] {
        EffectTest::Movements::install();
        // Each block's script comes back marked, so every expansion shows.
        Effect::TextInput::setInlineScriptRunner(
            [](const std::wstring& code, Render::ObjectContext*) { return L"[" + code + L"]"; });
        return true;
    }();
    (void)movements;
    static Effect::TextInput text;
    const std::wstring path = FuzzSupport::writeInput(data, size, "txt");
    std::wstring loaded;
    if (!Effect::TextInput::loadTextFile(path.c_str(), loaded)) return 0;
    if (loaded.find_first_of(std::wstring(L"\r\0", 2)) != std::wstring::npos) __builtin_trap();
    const std::wstring expanded = text.expandText(loaded, nullptr);
    if (loaded.find(L"<?") == std::wstring::npos && expanded != loaded) __builtin_trap();
    text.text.text = loaded;
    if (std::wstring(text.getDisplayName()).size() > 103) __builtin_trap();
    return 0;
}
