#pragma once
// effect.conf of one test: the text in the data folder of the test's
// program folder, read by a setting service that lives as long as this
// object (the shipped copy in the program folder fills in what the text
// lacks).
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"

#include <optional>
#include <string>

namespace EffectTest {

class EffectConf {
public:
    EffectConf(const CoreTest::ProgramFolder& folder, const std::string& text) {
        CoreTest::writeBytes((folder.data() / "effect.conf").string(), text);
        service_.emplace();
    }

private:
    std::optional<System::Singleton<Setting::SettingService>> service_;
};

}  // namespace EffectTest
