#include "edit/model/FrameRate.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringUtility.h"
#include "effect/base/StdConvert.h"

#include <climits>
#include <cmath>
#include <exception>
#include <string>
#include <vector>

namespace Edit {

namespace {

struct Preset {
    double frameRate;
    RateScale pair;
};

std::vector<Preset> readPresets() {
    std::vector<Preset> presets;
    const auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!settings) return presets;
    for (const auto& [key, value] : settings->systemConfig.getSection(settings->frameRate.name)) {
        try {
            const std::vector<std::string> parts = System::String::split(value.text, '/');
            const int rate = Effect::StdConvert::toInt(parts[0]);
            const int scale = parts.size() > 1 ? Effect::StdConvert::toInt(parts[1]) : 1;
            presets.push_back({Effect::StdConvert::toDouble(key), {rate, scale}});
        } catch (const std::exception&) {
            // Not a preset.
        }
    }
    return presets;
}

}  // namespace

double getFrameRate(int rate, int scale) {
    for (const Preset& preset : readPresets())
        if (preset.pair.rate == rate && preset.pair.scale == scale) return preset.frameRate;
    return scale == 0 ? 0.0 : static_cast<double>(rate) / scale;
}

RateScale getFrameRateScale(double frameRate) {
    for (const Preset& preset : readPresets())
        if (preset.frameRate == frameRate) return preset.pair;
    long long rate = std::llround(frameRate * 1000000.0);
    int scale = 1000000;
    while (scale > 1 && rate % 10 == 0) {
        rate /= 10;
        scale /= 10;
    }
    // Far outside any frame rate the dialog accepts.
    if (rate > INT_MAX || rate < INT_MIN) rate = rate > 0 ? INT_MAX : INT_MIN;
    return {static_cast<int>(rate), scale};
}

}  // namespace Edit
