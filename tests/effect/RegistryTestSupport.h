#pragma once
// Helpers of the registry tests: a program folder with its data folders and
// main settings file, the error boxes shown, and small effect classes of
// every kind.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/registry/EffectService.h"

#include "EffectTestSupport.h"
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace RegistryTest {

// The data folder, the main settings file and the log of one test.
class Environment {
public:
    CoreTest::ProgramFolder folder;
    System::Singleton<System::IniFile> settingsHolder;
    System::IniFile& settings = *System::Singleton<System::IniFile>::getInstance();
    CoreTest::LogLines log;

    std::filesystem::path data(const std::string& sub) const { return folder.data() / sub; }
    std::string file(const std::string& sub, const std::string& name) const {
        return (data(sub) / name).string();
    }

    // The texts of the error boxes shown so far.
    std::vector<std::string> errorBoxes() {
        std::vector<std::string> texts;
        for (const auto& line : log.of(System::Log::ERROR))
            if (line.tag == "Dialog::showError") texts.push_back(line.text.substr(19));
        return texts;
    }
    std::vector<std::string> infoLines(const std::string& tag) {
        std::vector<std::string> texts;
        for (const auto& line : log.of(System::Log::INFO))
            if (line.tag == tag) texts.push_back(line.text);
        return texts;
    }
};

// An effect kind with one number and one check item, described by its
// traits (name, kind, media, target, category); one class per traits type,
// so kinds can also be told apart by class.
template <class Traits>
class Kind : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = Traits::name;

    Kind() : EffectBase(Traits::name, Traits::kind, Traits::media, Traits::target, Traits::category) {
        if (Traits::failing) throw std::runtime_error("broken kind");
    }
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Kind>(); }
    const wchar_t* getInputEffectName() const override { return Traits::input; }
    void initialize() override {
        ++initialized;
        if (Traits::failingInitialize) throw std::runtime_error("broken initialize");
    }
    void createResource() override { resource = std::make_shared<int>(7); }
    void shareResource(const Effect::EffectBase& prototype) override {
        resource = static_cast<const Kind&>(prototype).resource;
    }

    Effect::EffectItemNumber size{items, L"サイズ", 10, 0, 100, 1};
    Effect::EffectItemCheck flag{items, L"反転", false};
    std::shared_ptr<int> resource;
    int initialized = 0;
};

struct Traits {
    static constexpr const wchar_t* category = L"";
    static constexpr const wchar_t* input = nullptr;
    static constexpr bool failing = false;
    static constexpr bool failingInitialize = false;
};

}  // namespace RegistryTest
