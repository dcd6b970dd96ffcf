// Effect sections: any text read into an effect with one item of every kind
// leaves items that write a section which reads back to the same section.
// Each line also goes raw (NULs and all) to an item's text reader, as
// parameter texts from other sources do.
#include "effect/AllKindsEffect.h"
#include "effect/EffectTestSupport.h"

#include "core/base/Log.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string& sectionFile() {
    static const std::string path = [] {
        char pattern[] = "/tmp/movane2-fuzz-effect-XXXXXX";
        const char* folder = mkdtemp(pattern);
        if (!folder) std::abort();
        return std::string(folder) + "/effect.ini";
    }();
    return path;
}

std::string written(const Effect::EffectBase& effect) {
    {
        System::IniFile::Save save(System::String::toWide(sectionFile()).c_str());
        save.writeSection("Effect.0");
        effect.saveIniSectionParameter(save);
        save.close();
    }
    std::ifstream in(sectionFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void load(Effect::EffectBase& effect, const System::IniFile& ini, const std::string& section) {
    try {
        effect.loadIniSectionParameter(ini.getSection(section));
    } catch (const std::exception&) {
        // A malformed flag ends the load; the items read so far stay.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        EffectTest::Movements::install();
        System::Log::handler = [](const System::Log::Type&, const char*, const char*) {};
        return true;
    }();
    (void)ready;
    const std::string text(reinterpret_cast<const char*>(data), size);

    EffectTest::AllKinds effect;
    System::IniFile ini;
    ini.loadMemory(text.c_str());
    for (const auto& [name, section] : ini.sections) load(effect, ini, name);
    const std::vector<std::string> lines = System::String::split(text, '\n');
    for (std::size_t i = 0; i < lines.size() && i < 2 * effect.items.size(); ++i) {
        try {
            effect.items[i % effect.items.size()]->fromString(lines[i]);
        } catch (const std::exception&) {
        }
    }

    const std::string first = written(effect);
    System::IniFile again;
    again.loadFile(System::String::toWide(sectionFile()).c_str());
    EffectTest::AllKinds back;
    load(back, again, "Effect.0");
    const std::string second = written(back);
    if (second != first) {
        std::fprintf(stderr, "written:\n%s\nread back and written:\n%s\n", first.c_str(), second.c_str());
        std::abort();
    }
    return 0;
}
